#include "data/data_set.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <new>

#include "core/console.h"
#include "data/formats.h"
#include "data/load_settings.h"
#include "data/memory_limit.h"

DataSet data_set;

namespace {
// Loads fill their sets on worker threads too.
std::uint64_t next_revision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}
}  // namespace

bool DataSet::plain() const {
    const FileFormat* format = file_format(kind);
    return format && !format->coloured;
}

DataSet::~DataSet() {
    width = 0;
    points_per_set = 0;
}

void DataSet::allocate_grid(int w, int n) {
    if (w < 0 || n < 0) throw -1;
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(n);
    // Both arrays are allocated before anything is released, so running out of
    // memory leaves the previous grid in place.
    std::unique_ptr<Vector3[]> new_points(new Vector3[count]);
    std::unique_ptr<float[]> new_values(new float[count]);
    points = std::move(new_points);
    color_values = std::move(new_values);
    width = w;
    points_per_set = n;
    revision = next_revision();
}

void DataSet::normalize_bounds(const char* translation_format) {
    // An axis without extent (every point shares that coordinate), or one too thin
    // for its reciprocal to be finite, gets scale 1 and takes no part in the uniform
    // scale; with every axis flat the uniform scale is 1.
    double uniform = 0;
    bool any_extent = false;
    for (int a = 0; a < 3; ++a) {
        const double extent = max[a] - min[a];
        if (extent != 0 && std::isfinite(1.0 / extent)) {
            axis_scale[a] = 1.0 / extent;
            uniform = any_extent ? std::fmin(uniform, axis_scale[a]) : axis_scale[a];
            any_extent = true;
        } else {
            axis_scale[a] = 1.0;
        }
    }
    scaleFactor = any_extent ? uniform : 1.0;
    translation = (max + min) / 2.0;
    const LoadSettings settings = load_settings();
    if (settings.verbose) {
        console_print("Input min = %lf %lf %lf\n", min.x(), min.y(), min.z());
        console_print("Input max = %lf %lf %lf\n", max.x(), max.y(), max.z());
        console_print("Input scaleFactor= %lf sx = %lf sy = %lf  sz = %lf\n", scaleFactor,
                      axis_scale.x(), axis_scale.y(), axis_scale.z());
        console_print(translation_format, translation.x(), translation.y(), translation.z());
        console_print("axis_data = %d\n", settings.axis_data);
    }
}

void DataSet::take_grid_from(DataSet& fresh) {
    // A grid that gives way to a much smaller one leaves memory worth handing back;
    // one of about the same size reuses it.
    const auto bytes = [](const DataSet& set) {
        return set.point_count() * (sizeof(Vector3) + sizeof(float));
    };
    const bool shrinks = bytes(*this) >= bytes(fresh) + kLargeRelease;
    width = fresh.width;
    points_per_set = fresh.points_per_set;
    points = std::move(fresh.points);
    color_values = std::move(fresh.color_values);
    fresh.width = fresh.points_per_set = 0;
    filename = std::move(fresh.filename);
    kind = fresh.kind;
    has_values = fresh.has_values;
    for (int a = 0; a < 3; ++a) axis_names[a] = std::move(fresh.axis_names[a]);
    scaleFactor = fresh.scaleFactor;
    translation = fresh.translation;
    axis_scale = fresh.axis_scale;
    min = fresh.min;
    max = fresh.max;
    revision = next_revision();
    if (shrinks) return_free_memory();
}
