#include "data/maple_header.h"

#include "data/decimal.h"
#include "data/load_report.h"

namespace {

// Scans text the way the C library's scanf family matches a format: numbers skip
// leading whitespace, literal characters must stand exactly where they are.
class FormatScan {
  public:
    explicit FormatScan(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

    void blanks() {
        while (p_ < end_ && is_blank(*p_)) ++p_;
    }
    bool literal(char c) {
        if (p_ == end_ || *p_ != c) return false;
        ++p_;
        return true;
    }
    bool number(double& value) {
        blanks();
        const DecimalScan scan = scan_decimal(p_, end_, value);
        if (scan.status == DecimalStatus::overflow) too_large_ = true;
        if (scan.status != DecimalStatus::ok) return false;
        p_ = scan.end;
        return true;
    }
    bool integer(int& value) {
        blanks();
        const IntegerScan scan = scan_integer(p_, end_, value);
        if (scan.status == DecimalStatus::overflow) too_large_ = true;
        if (scan.status != DecimalStatus::ok) return false;
        p_ = scan.end;
        return true;
    }
    bool too_large() const { return too_large_; }

  private:
    const char* p_;
    const char* end_;
    bool too_large_ = false;
};

std::string quoted(std::string_view text) {
    return quote_text(text.data(), text.data() + text.size());
}

std::string_view part(std::string_view text, std::size_t from, std::size_t to) {
    if (from >= text.size() || to <= from) return {};
    return text.substr(from, to - from);
}

}  // namespace

MapleHeader parse_maple_header(std::string_view chunk) {
    MapleHeader header;
    std::string_view ranges;
    std::string_view indices;
    const std::size_t grid = chunk.find("GRID(");
    const std::size_t matrix = chunk.find("Matrix");
    if (grid != std::string_view::npos) {
        header.form = MapleHeader::kGrid;
        const std::size_t array = chunk.find("Array", grid + 5);
        if (array == std::string_view::npos) {
            header.problem = "the first line has \"GRID(\" but no \"Array\"";
            return header;
        }
        ranges = part(chunk, grid + 5, array);
        indices = part(chunk, array + 6, chunk.size());
    } else if (matrix != std::string_view::npos) {
        header.form = MapleHeader::kMatrix;
        ranges = part(chunk, 7, matrix);
        indices = part(chunk, matrix + 6, chunk.size());
    } else {
        header.problem = "the first line holds neither \"GRID(\" nor \"Matrix\"";
        return header;
    }

    FormatScan r(ranges);
    if (!(r.number(header.x_min) && (r.blanks(), r.literal('.')) && r.literal('.') &&
          r.number(header.x_max) && r.literal(',') && r.number(header.y_min) &&
          (r.blanks(), r.literal('.')) && r.literal('.') && r.number(header.y_max))) {
        header.problem = "the ranges " + quoted(ranges) +
                         (r.too_large() ? " hold a number too large to be finite"
                                        : " do not read as \"xmin .. xmax,ymin .. ymax\"");
        return header;
    }
    header.ranges_read = true;

    // The index text may open with "(" and blanks: the matrix form's starts at the
    // parenthesis right after "Matrix".
    FormatScan s(indices);
    s.blanks();
    s.literal('(');
    if (!(s.integer(header.x1) && s.literal('.') && s.literal('.') && s.integer(header.x2) &&
          s.literal(',') && s.integer(header.y1) && s.literal('.') && s.literal('.') &&
          s.integer(header.y2))) {
        header.problem = "the index ranges " + quoted(indices) +
                         (s.too_large() ? " hold a number beyond the range of an integer"
                                        : " do not read as \"x1..x2,y1..y2\"");
        return header;
    }

    const std::size_t open = chunk.find("[[");
    if (open == std::string_view::npos) {
        header.problem = "the first line holds no \"[[\" to open the values";
        return header;
    }
    header.values_start = open + 2;
    return header;
}
