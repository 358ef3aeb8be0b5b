#include "render/mode_drawing.h"

#include <algorithm>

#include "core/choices.h"
#include "render/segment_walk.h"

namespace {

void joined(const DataSet& set, const PointTexels& texels, int, int, TubeVisit visit) {
    for_each_joined_segment(set, texels, visit);
}
void needled(const DataSet& set, const PointTexels& texels, int, int up, TubeVisit visit) {
    for_each_needled_segment(set, texels, visit, up);
}
void special(const DataSet& set, const PointTexels&, int texel, int up, TubeVisit visit) {
    for_each_special_needle(set, texel, visit, up);
    for_each_special_grid_segment(set, texel, visit, up);
}
double none(double, double) {
    return 0;
}

}  // namespace

const ModeDrawing kModeDrawings[kDisplayModeCount] = {
    {kPoints, nullptr, none, nullptr, false},
    {kJoined, joined, [](double w, double n) { return w * std::max(0.0, n - 1); }, nullptr, true},
    {kNeedled, needled, [](double w, double n) { return 2 * w * n; }, nullptr, false},
    {kSurfaceGrid, nullptr, none, nullptr, false},
    {kSurfaceFilled, nullptr, none, nullptr, false},
    {kSpecial, special,
     [](double w, double n) { return w * n + w * std::max(0.0, n - 1) + n * std::max(0.0, w - 1); },
     [](const DataSet& set) { return static_cast<long long>(set.point_count()); }, false},
};

const ModeDrawing* mode_drawing(int mode) {
    for (const ModeDrawing& d : kModeDrawings)
        if (d.mode == mode) return &d;
    return nullptr;
}

void walk_tubes(const ModeDrawing& drawing, const DataSet& set, const PointTexels& texels,
                int texel, int up, const PictureRange& range, TubeVisit visit,
                FunctionRef<void()> grid_starts) {
    if (!drawing.tubes) return;
    const long long grid = drawing.grid_from ? drawing.grid_from(set) : -1;
    const bool reaches_grid = grid >= 0 && range.end > grid;
    bool started = false;
    long long n = 0;
    drawing.tubes(set, texels, texel, up, [&](const Vector3& from, const Vector3& to, int k) {
        if (n == grid && reaches_grid) {
            grid_starts();
            started = true;
        }
        if (range.holds(n)) visit(from, to, k);
        ++n;
    });
    if (reaches_grid && !started) grid_starts();
}
