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

namespace {
// The step whose square divides `ratio`, the full picture's cost over the
// reduced one's share of the budget, between `least` and kMaxStep.
int step_for(double ratio, int least) {
    if (!(ratio < static_cast<double>(kMaxStep) * kMaxStep)) return kMaxStep;
    return std::clamp(static_cast<int>(std::ceil(std::sqrt(ratio))), least, kMaxStep);
}

// The cost of the recorded picture, which the reduced one is drawn like; a
// frame that recorded or drew directly says little of it.
double full_picture_cost() {
    return recorded_frame_seconds > 0 ? recorded_frame_seconds : full_frame_seconds;
}
}  // namespace

int reduced_grid_step() {
    return step_for(full_picture_cost() / (0.75 * frame_budget), 2);
}

int reduced_tube_step() {
    return step_for(full_picture_cost() / (std::max(1, segments) * 0.75 * frame_budget), 1);
}
