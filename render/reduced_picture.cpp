#include "render/reduced_picture.h"

#include <algorithm>
#include <cmath>

#include "core/settings.h"
#include "core/view_state.h"
#include "render/draw_cache.h"

namespace {
constexpr int kMaxStep = 64;
}  // namespace

bool reduced_picture_wanted(bool during_interaction) {
    return during_interaction && fast_interaction && draw_cache_enabled() &&
           full_frame_seconds > frame_budget;
}

bool reduced_picture_wanted() {
    return reduced_picture_wanted(interacting != 0);
}

int reduced_grid_step() {
    // The cost of the recorded picture, which the reduced one is drawn like; a
    // frame that recorded or drew directly says little of it.
    const double cost = recorded_frame_seconds > 0 ? recorded_frame_seconds : full_frame_seconds;
    const double ratio = cost / (0.75 * frame_budget);
    if (!(ratio < static_cast<double>(kMaxStep) * kMaxStep)) return kMaxStep;
    return std::clamp(static_cast<int>(std::ceil(std::sqrt(ratio))), 2, kMaxStep);
}
