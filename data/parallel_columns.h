#pragma once
// A large table read on every core, in the Columns reader's two passes: its
// opening (up to the first row: delimiter, header, columns) read as one, then the
// rest cut into chunks (data/text_chunks.h) that threads count side by side, the
// rows between blank lines of each chunk joined into the sets; then the grid, and
// the chunks read into it side by side, each from the set and row where it
// starts. The result is the one-thread reader's bit for bit; a problem anywhere
// (which that reader names, with its line) gives up, and one thread reads again.

#include <cstddef>
#include <vector>

#include "data/column_table.h"
#include "data/parallel_points.h"

class BlockReader;
class DataSet;

// Reads the table open in `in` (at its start) into `fresh`; on loaded, `summary`
// holds the bounds, names and missing values of the whole table and `lengths`
// the rows of each set.
ParallelRead read_columns_in_parallel(const char* name, BlockReader& in, DataSet& fresh,
                                      ColumnTable& summary, std::vector<std::size_t>& lengths);
