#pragma once
// A table of numbers in text (CSV, TSV, columns separated by blanks), read line by
// line from a block buffer for the Columns reader (data/read_columns.cpp).
//
// The delimiter, found from the first line of the table, is a comma, a semicolon,
// a tab or runs of blanks; a cell may be quoted ("1.5", "height (m)", a doubled
// quote inside); '#' starts a comment. A first line with a field that is not a
// number is a header, naming the axes. The first three columns are x, y and z, a
// fourth the point's value, further ones are ignored. A blank line ends a set of
// points. A row that runs past the bytes read so far is scanned again once more
// of the file is in, so that a row is taken whole or not at all.

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

class BlockReader;
class DataSet;

// How the scan of one line ended.
enum class TableLine {
    row,      // a row of numbers, its point taken
    blank,    // nothing but blanks: the end of a set
    skipped,  // a comment alone, or the header
    more,     // the line runs past the bytes in the buffer
    end,      // the file ended
    refused,  // a problem was reported
};

// One pass over the table: without a grid it counts the rows of each set into
// lengths_; with one (sized from those counts) it reads every row into it, each
// set padded with its last point, and the header into axis_names_.
class ColumnTable {
  public:
    // With a grid, `counted` holds the rows of each set the counting pass found: a
    // set that reads otherwise now means the file changed between the passes.
    ColumnTable(BlockReader& in, const char* name, DataSet* grid,
                const std::vector<std::size_t>* counted = nullptr)
        : in_(in), name_(name), grid_(grid), counted_(counted) {}
    // A chunk of the table's text (data/parallel_columns.h) read after `opening`
    // read the table's first part: with its delimiter and columns, its next row
    // row `rows` of set `set`, at line `line`. Counting, it counts the rows
    // between its blank lines into segments_; reading, it ends only the sets it
    // sees end and pads none (the whole table's reader pads them afterwards).
    ColumnTable(BlockReader& chunk, const ColumnTable& opening, DataSet* grid,
                const std::vector<std::size_t>* counted, int set, std::size_t rows, long long line);
    // False when the file was refused (reported).
    bool read_all();
    // Reads only the opening: up to and including the table's first row.
    bool read_opening();
    bool has_rows() const { return used_ != 0; }
    long long line() const { return line_; }
    int set() const { return set_; }
    std::size_t rows() const { return rows_; }
    bool changed() const { return changed_; }

    std::vector<std::size_t> segments_;  // a chunk's count: rows before, between, after blank lines

    std::vector<std::size_t> lengths_;  // rows of each set (the pass that counts)
    double lo_[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi_[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    int used_ = 0;  // columns read: 3, or 4 with values; 0 before the first row
    std::string axis_names_[3] = {"x", "y", "z"};
    // Missing values (an empty cell, NaN, NA, N/A, ? or - alone) in the columns
    // read: how many, and where the first stands. A point missing any coordinate
    // is missing as a whole (NaN), a gap in the picture.
    long long missing_ = 0, first_missing_line_ = 0;
    int first_missing_column_ = 0;
    bool skipped_index_ = false;  // a first column that numbers the rows was passed over
    std::string index_skipped_;   // its name in the header

  private:
    using Line = TableLine;
    static constexpr char kBlankRuns = ' ';  // the delimiter of columns separated by blanks

    // Lines and passes (data/column_table.cpp).
    Line scan_line(const char* p, const char*& next);
    void count_rows();
    void read_rows();
    template <typename T>
    [[gnu::always_inline]] inline bool plain_cell(const char*& p, T& value, bool last);
    Line first_line(const char* p, const char*& next);
    // Which columns are read, from the first row's fields (data/column_choice.h).
    Line choose_columns(const std::vector<std::string>& fields, const char* row, const char* after);
    bool numbers_the_rows(const char* row, const char* after) const;
    Line row(const char* p, const char*& next);
    [[gnu::always_inline]] inline Line store(const double xyz[3], float value);
    void end_set();
    // Past the line end at or after p (LF, CR LF or a lone CR) into next.
    Line end_of_line(const char* p, const char*& next);

    // Cells (data/column_cells.cpp). One cell of column `column` (from 0) at p:
    // its value, and p moved past it, the blanks after it and its delimiter.
    template <typename T>
    Line cell(const char*& p, int column, T& value, bool after_delimiter);
    Line skip_cell(const char*& p);
    void note_missing(int column);
    Line quoted_text(const char*& p, int column, std::string& text);
    Line bad_cell(const char* first, int column);
    Line missing_cell(int column, const char* found);
    std::vector<std::string> split(const char* p, const char* last) const;

    static bool is_line_end_char(char c) { return c == '\n' || c == '\r'; }
    // Blanks around cells; a tab is a delimiter in a table separated by tabs.
    bool skippable(char c) const { return c == ' ' || (c == '\t' && delimiter_ != '\t'); }
    bool ends_cell(char c) const {
        return is_line_end_char(c) || c == '#' || c == delimiter_ ||
               (delimiter_ == kBlankRuns && c == '\t');
    }

    BlockReader& in_;
    const char* name_;
    DataSet* grid_;                            // null in the pass that counts
    const std::vector<std::size_t>* counted_;  // rows of each set, as counted
    bool chunk_ = false;                       // a chunk of the table, not all of it
    bool opening_ = false;                     // read_opening: stop after the first row
    bool changed_ = false;                     // a set read with another length than counted
    int set_ = 0;                              // the set the next row goes to
    std::size_t rows_ = 0;                     // rows of that set so far
    const char* end_ = nullptr;                // end of the bytes in the buffer
    bool eof_ = false;                         // the buffer holds the rest of the file
    char delimiter_ = 0;                       // 0 until the first line of the table
    bool header_allowed_ = true;               // only the first line of the table may be a header
    std::vector<std::string> header_;          // its fields; none without one
    int wanted_[4] = {0, 1, 2, -1};            // the columns of x, y, z and the value (-1: none)
    bool first_columns_ = true;                // they come first, in order: the fast loop
    long long line_ = 1;
};

// Set `set` of `grid`, read to `rows` points, filled up with its last point.
void pad_set(DataSet& grid, int set, std::size_t rows, bool values);

// A number, within range or not, or nan or inf: a cell of a row, never a name.
bool is_number_or_not_finite(const std::string& field);
// The words that stand for a missing value: NaN (in any case), NA, N/A, ?, -.
bool is_missing_word(const std::string& word);
