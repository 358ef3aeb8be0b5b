#include "bench/generate.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Height of the benchmark surface, with a small deterministic ripple so that the
// numbers do not repeat and all of their digits vary.
double surface(double x, double z) {
    return std::sin(x * 0.7) * std::cos(z * 0.5) * 3.0 + 0.001 * std::sin(x * 37.0 + z * 11.0);
}

bool finish(File& f) {
    const bool ok = std::ferror(f.get()) == 0;
    return std::fclose(f.release()) == 0 && ok;
}

}  // namespace

namespace {

// The points of the benchmark surface, set by set, one per line, the numbers
// separated by `sep`; with `table`, a blank line after every set.
void write_points(FILE* f, int sets, int points_per_set, bool coloured, char sep, bool table) {
    for (int s = 0; s < sets; ++s) {
        const double x = s * 0.1;
        for (int i = 0; i < points_per_set; ++i) {
            const double z = i * 0.1;
            const double y = surface(x * 0.1, z * 0.1) * 10.0;
            if (coloured) {
                const double v = std::fmod(std::fabs(y) * 0.3 + s * 0.001, 9.0);
                std::fprintf(f, "%.6f%c%.6f%c%.6f%c%.3f\n", x, sep, y, sep, z, sep, v);
            } else {
                std::fprintf(f, "%.6f%c%.6f%c%.6f\n", x, sep, y, sep, z);
            }
        }
        if (table && s + 1 < sets) std::fputc('\n', f);
    }
}

}  // namespace

bool write_data_file(const std::string& path, int sets, int points_per_set, bool coloured) {
    File f(std::fopen(path.c_str(), "w"));
    if (!f) return false;
    std::fprintf(f.get(), "%d %d\n", sets, points_per_set);
    // The file runs set by set: all points of set 0 first.
    write_points(f.get(), sets, points_per_set, coloured, ' ', false);
    return finish(f);
}

bool write_columns_file(const std::string& path, int sets, int points_per_set) {
    File f(std::fopen(path.c_str(), "w"));
    if (!f) return false;
    std::fputs("x,y,z\n", f.get());
    write_points(f.get(), sets, points_per_set, false, ',', true);
    return finish(f);
}

namespace {

// Collects the text of a Maple file and breaks it into lines of at most `width`
// characters, each but the last ending in a backslash. A closing "]]" is never
// split, as the reader finds the end of the grid by it on one line.
class MapleLineWriter {
  public:
    MapleLineWriter(FILE* f, std::size_t width) : f_(f), width_(width) {}
    void put(const std::string& text) {
        line_ += text;
        while (line_.size() > width_) {
            std::size_t cut = width_;
            if (line_[cut - 1] == ']' && line_[cut] == ']') --cut;
            std::fwrite(line_.data(), 1, cut, f_);
            std::fputs("\\\n", f_);
            line_.erase(0, cut);
        }
    }
    void end() {
        std::fwrite(line_.data(), 1, line_.size(), f_);
        std::fputc('\n', f_);
        line_.clear();
    }

  private:
    FILE* f_;
    std::size_t width_;
    std::string line_;
};

}  // namespace

bool write_maple_file(const std::string& path, int nx, int ny) {
    File f(std::fopen(path.c_str(), "w"));
    if (!f) return false;
    const double x_max = 10.0, y_max = 10.0;
    MapleLineWriter out(f.get(), 78);
    char buf[64];
    std::snprintf(buf, sizeof buf, "PLOT3D(GRID(0 .. %g,0 .. %g,Array(1..%d,1..%d,[", x_max, y_max,
                  nx, ny);
    out.put(buf);
    // One bracketed row per x index, the y index running fastest within it.
    for (int i = 0; i < nx; ++i) {
        out.put(i == 0 ? "[" : ",[");
        const double x = nx > 1 ? x_max * i / (nx - 1) : 0;
        for (int j = 0; j < ny; ++j) {
            const double y = ny > 1 ? y_max * j / (ny - 1) : 0;
            std::snprintf(buf, sizeof buf, j == 0 ? "%.10g" : ",%.10g", surface(x, y));
            out.put(buf);
        }
        out.put("]");
    }
    out.put("]),STYLE(PATCH),AXES(BOXED))");
    out.end();
    return finish(f);
}

long long file_size(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return -1;
    return static_cast<long long>(st.st_size);
}

namespace {
// A file is written under a temporary name first, so an interrupted run never
// leaves a short file behind that a later run would take as complete.
template <typename Writer>
bool make_once(const std::string& path, Writer writer) {
    if (file_size(path) > 0) return true;
    const std::string tmp = path + ".part";
    if (!writer(tmp)) return false;
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}
}  // namespace

bool ensure_large_inputs(const std::string& dir, LargeInputs& out) {
    mkdir(dir.c_str(), 0755);
    out.points_10m = dir + "/points_10m.dat";
    out.points_30m = dir + "/points_30m.dat";
    return make_once(out.points_10m,
                     [](const std::string& p) { return write_data_file(p, 3163, 3163, false); }) &&
           make_once(out.points_30m,
                     [](const std::string& p) { return write_data_file(p, 5477, 5477, false); });
}

bool ensure_bench_inputs(const std::string& dir, BenchInputs& out) {
    mkdir(dir.c_str(), 0755);
    out.data = dir + "/points_1m.dat";
    out.color_data = dir + "/points_1m_color.dat";
    out.maple = dir + "/grid_1000x1000.mpl";
    out.tubes = dir + "/tubes_20k.dat";
    out.columns = dir + "/points_1m.csv";
    const auto make = [](const std::string& path, auto&& writer) {
        return make_once(path, writer);
    };
    return make(out.data,
                [](const std::string& p) { return write_data_file(p, 1000, 1000, false); }) &&
           make(out.color_data,
                [](const std::string& p) { return write_data_file(p, 1000, 1000, true); }) &&
           make(out.maple, [](const std::string& p) { return write_maple_file(p, 1000, 1000); }) &&
           make(out.tubes,
                [](const std::string& p) { return write_data_file(p, 100, 201, false); }) &&
           make(out.columns,
                [](const std::string& p) { return write_columns_file(p, 1000, 1000); });
}
