// The Maple reader: a surface z(x, y) sampled on a regular grid, written as
// PLOT3D(GRID(xmin .. xmax,ymin .. ymax,Array(x1..x2,y1..y2,[[z,z,...],[...]]),...)
// or with "Matrix(" in place of "Array(", over lines that may end in a backslash.

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/format_hints.h"
#include "data/load_report.h"
#include "data/maple_header.h"
#include "data/maple_text.h"
#include "data/memory_limit.h"
#include "core/status_line.h"
#include "core/settings.h"

namespace {

// Spacing between neighbouring indices; a range with a single index has none.
double spacing(double low, double high, long long first, long long last) {
    return last == first ? 0.0 : (high - low) / static_cast<double>(last - first);
}

}  // namespace

void DataSet::read_maple(const char* name) {
    std::printf("\nfilename = %s\n", name);
    BlockReader in;
    if (const BlockReader::Opened opened = in.open(name); opened != BlockReader::Opened::file) {
        report_unopened(name, opened == BlockReader::Opened::not_regular);
        return;
    }
    const RefusalHint hint(maple_refusal_hint);
    MapleChunks chunks(in);
    std::string_view chunk = chunks.next();
    if (chunk.empty()) {
        if (in.error()) report_not_loaded(name, "cannot read it (%s)", std::strerror(in.error()));
        else report_not_loaded(name, "the file is empty");
        return;
    }
    // The verbose print of the first chunk leaves its line open; a refusal starts a
    // line of its own.
    bool line_open = false;
    if (verbose) {
        const std::size_t matrix = chunk.find("Matrix");
        std::printf("%.*s \n%d", static_cast<int>(chunk.size()), chunk.data(),
                    matrix == std::string_view::npos ? -1 : static_cast<int>(matrix));
        line_open = true;
    }
    const auto end_open_line = [&line_open] {
        if (line_open) std::printf("\n");
        line_open = false;
    };

    chunk = cut_at_backslash(chunk);
    const MapleHeader header = parse_maple_header(chunk);
    if (header.form == MapleHeader::kNone) {
        std::printf("Problem with maple file");
        line_open = true;
        end_open_line();
        report_not_loaded(name, "%s", header.problem.c_str());
        return;
    }
    if (header.form == MapleHeader::kMatrix && header.ranges_read) {
        std::printf("min max = %lf %lf %lf %lf\n", header.x_min, header.x_max, header.y_min,
                    header.y_max);
        line_open = false;
    }
    if (!header.problem.empty()) {
        end_open_line();
        report_not_loaded(name, "%s", header.problem.c_str());
        return;
    }

    // Sets run along x, one per y index: width = number of y indices.
    const long long nx = static_cast<long long>(header.x2) - header.x1 + 1;
    const long long ny = static_cast<long long>(header.y2) - header.y1 + 1;
    if (nx < 0 || ny < 0) {
        end_open_line();
        report_not_loaded(name, "the index ranges give a negative count (%lld x %lld)", nx, ny);
        return;
    }
    // Every value takes at least two characters, a digit and a separator.
    if (nx > INT_MAX || ny > INT_MAX ||
        (in.size() >= 0 && static_cast<unsigned long long>(nx) * static_cast<unsigned long long>(ny) >
                               static_cast<unsigned long long>(in.size()) / 2)) {
        end_open_line();
        report_not_loaded(name,
                          "the index ranges promise %lld x %lld values, more than a file of %lld "
                          "bytes can hold",
                          nx, ny, in.size());
        return;
    }
    const double dx = spacing(header.x_min, header.x_max, header.x1, header.x2);
    const double dy = spacing(header.y_min, header.y_max, header.y1, header.y2);
    // x and y grow steadily with the index, so the far corner bounds them all.
    const double x_far = header.x_min + static_cast<double>(nx > 0 ? nx - 1 : 0) * dx;
    const double y_far = header.y_min + static_cast<double>(ny > 0 ? ny - 1 : 0) * dy;
    if (!std::isfinite(x_far) || !std::isfinite(y_far)) {
        end_open_line();
        report_not_loaded(name, "the ranges are too wide for finite grid coordinates");
        return;
    }
    // GL draws in single precision; x and y grow steadily, so the ends bound them.
    for (const double end : {header.x_min, x_far, header.y_min, y_far}) {
        if (std::fabs(end) > FLT_MAX) {
            end_open_line();
            report_not_loaded(name, "the ranges reach %g, beyond the single-precision range", end);
            return;
        }
    }

    if (!grid_fits_in_memory(static_cast<unsigned long long>(nx) * static_cast<unsigned long long>(ny))) {
        end_open_line();
        report_not_loaded(name, "not enough memory for %lld x %lld values", nx, ny);
        return;
    }
    DataSet fresh;
    try {
        // A grid without points is kept as 0 x 0, like the Data readers keep it.
        if (nx == 0 || ny == 0) fresh.allocate_grid(0, 0);
        else fresh.allocate_grid(static_cast<int>(ny), static_cast<int>(nx));
    } catch (const std::bad_alloc&) {
        end_open_line();
        report_not_loaded(name, "not enough memory for %lld x %lld values", nx, ny);
        return;
    }

    MapleValues values(fresh, header.x_min, dx, header.y_min, dy);
    // GL draws in single precision. The values are tested once they are read, or
    // before a later problem is named: the first value beyond the range, in file
    // order, refuses the file.
    const auto refuse_beyond_range = [&] {
        if (values.z_min() >= -FLT_MAX && values.z_max() <= FLT_MAX) return false;
        const long long stored = std::min(values.count(), static_cast<long long>(fresh.point_count()));
        for (long long k = 0; k < stored; ++k) {
            const double z = fresh.point_at(static_cast<std::size_t>(k)).z();
            if (std::fabs(z) <= FLT_MAX) continue;
            end_open_line();
            report_not_loaded(name, "value %lld, %g, is beyond the single-precision range", k + 1, z);
            return true;
        }
        return false;
    };
    std::string_view text = chunk.substr(header.values_start);
    std::size_t close = text.find("]]");
    bool good = values.feed(text.substr(0, close));
    // The closing "]]" may also be split by a chunk boundary or a backslash cut.
    char last = text.empty() ? '[' : text.back();
    while (good && close == std::string_view::npos) {
        if (!chunks.next_cut(text, close)) {
            if (refuse_beyond_range()) return;
            end_open_line();
            if (in.error()) {
                report_not_loaded(name, "cannot read it (%s)", std::strerror(in.error()));
            } else {
                report_not_loaded(name, "the file ends before the closing \"]]\" (%lld values read)",
                                  values.count());
            }
            return;
        }
        if (last == ']' && !text.empty() && text.front() == ']') break;
        good = values.feed(text.substr(0, close), chunks.readable_end());
        if (!text.empty()) last = text.back();
    }
    if (good) good = values.finish();
    if (refuse_beyond_range()) return;
    if (!good) {
        end_open_line();
        report_not_loaded(name, "%s", values.problem().c_str());
        return;
    }
    if (values.count() != nx * ny) {
        end_open_line();
        report_not_loaded(name, "the index ranges give %lld x %lld = %lld values, the file holds %lld",
                          nx, ny, nx * ny, values.count());
        return;
    }

    // x and y bounds are the ranges as written, z comes from the values.
    const bool empty = values.count() == 0;
    fresh.min = Vector3(header.x_min, header.y_min, empty ? 0.0 : values.z_min());
    fresh.max = Vector3(header.x_max, header.y_max, empty ? 0.0 : values.z_max());
    if (verbose) {
        std::printf("Input min = %lf %lf %lf\n", fresh.min.x(), fresh.min.y(), fresh.min.z());
        std::printf("Input max = %lf %lf %lf\n", fresh.max.x(), fresh.max.y(), fresh.max.z());
    }
    fresh.normalize_bounds(kMapleTranslationFormat);
    fresh.kind = kMaple;
    fresh.filename = name;
    take_grid_from(fresh);
    set_status_line(empty ? no_points_status(name) : "");
}
