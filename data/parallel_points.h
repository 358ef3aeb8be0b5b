#pragma once
// The points of a large "Data" or "Data with Color" file read on every core:
// the text after the header cut into chunks (data/text_chunks.h); each thread
// counts the words of its chunk, learns from the chunks before it at which
// value the chunk starts, and converts its numbers straight into the grid, so
// that the threads also fault in the grid's memory as they write it. The values
// are the one-thread reader's bit for bit. Whatever that reader would refuse or
// has to name (a word that is no number among the points, too few numbers, a
// coordinate beyond single precision, a read error, a file that changes) is
// left to it: the parallel read gives up and the file is read again in one thread.

#include "data/format_hints.h"

class BlockReader;
class DataSet;

enum class ParallelRead { loaded, given_up, cancelled };

// Reads `grid`'s points (values 3 or 4 a point) from the file open in `in`,
// from in.offset() to its end; on loaded, grid's min and max are set and
// `rest` counts the words after the last point, as count_rest would.
ParallelRead read_points_in_parallel(BlockReader& in, int values, DataSet& grid, RestOfFile& rest);
