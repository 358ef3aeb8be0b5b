// The movement controls: the rotation ball (a virtual trackball with spin after
// release) and the translation controls.
#include <chrono>
#include <cmath>
#include <cstring>

#include "panel/panel.h"
#include "panel/trackball.h"

namespace {
double now_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool same(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A release this long after the last movement means the ball was held still.
constexpr double kHeldStill = 0.1;
// Below this turn per frame (radians) a decaying spin counts as stopped.
constexpr float kSpinStops = 1e-4f;
}  // namespace

void PanelRotation::write_live() {
    if (live_) std::memcpy(live_, shown_, sizeof shown_);
}

void PanelRotation::reset() {
    spin_angle_ = 0.0f;
    pressed_ = false;
    trackball::set_identity(shown_);
    write_live();
    redraw_window();
}

bool PanelRotation::spinning() const {
    return spin_angle_ > 0.0f;
}

void PanelRotation::press(float x, float y) {
    if (!live_enabled()) return;
    pressed_ = true;
    spin_angle_ = 0.0f;  // grabbing the ball stops it
    last_angle_ = 0.0f;
    trackball::ball_point(x, y, kRadius, last_point_);
    redraw_window();
}

void PanelRotation::drag_to(float x, float y) {
    if (!pressed_ || !live_enabled()) return;
    float point[3], axis[3] = {0, 0, 1};
    trackball::ball_point(x, y, kRadius, point);
    const float angle = trackball::turn_between(last_point_, point, axis);
    std::memcpy(last_point_, point, sizeof point);
    if (angle == 0.0f) return;
    std::memcpy(last_axis_, axis, sizeof axis);
    last_angle_ = angle;
    last_move_time_ = now_seconds();
    trackball::rotate_by(shown_, axis, angle);
    write_live();
    finish_user_edit();
}

void PanelRotation::release() {
    if (!pressed_) return;
    pressed_ = false;
    // It spins on with the turn of the last step, unless it was held still first.
    if (spin_ > 0.0f && last_angle_ > 0.0f && now_seconds() - last_move_time_ < kHeldStill) {
        std::memcpy(spin_axis_, last_axis_, sizeof last_axis_);
        spin_angle_ = last_angle_;
        if (window_) window_->keep_ticking();
    }
    redraw_window();
}

void PanelRotation::step_spin() {
    if (!spinning()) return;
    trackball::rotate_by(shown_, spin_axis_, spin_angle_);
    write_live();
    spin_angle_ *= spin_;
    if (spin_angle_ < kSpinStops) spin_angle_ = 0.0f;
    finish_user_edit();
}

void PanelRotation::user_drag(float dx, float dy) {
    press(0.0f, 0.0f);
    drag_to(dx, dy);
    release();
}

bool PanelRotation::sync_live() {
    if (!live_) return false;
    bool changed = false;
    for (int i = 0; i < 16; ++i) {
        if (!same(live_[i], shown_[i])) {
            shown_[i] = live_[i];
            changed = true;
        }
    }
    return changed;
}

void PanelTranslation::user_drag(float dx, float dy) {
    if (!live_enabled() || !live_) return;
    switch (type_) {
        case PANEL_TRANSLATION_XY:
            live_[0] += dx * speed_;
            live_[1] += dy * speed_;
            break;
        case PANEL_TRANSLATION_X:
            live_[0] += dx * speed_;
            break;
        default:  // Y and Z follow the vertical movement
            live_[0] += dy * speed_;
            break;
    }
    shown_[0] = live_[0];
    if (type_ == PANEL_TRANSLATION_XY) shown_[1] = live_[1];
    finish_user_edit();
}

bool PanelTranslation::sync_live() {
    if (!live_) return false;
    const int n = type_ == PANEL_TRANSLATION_XY ? 2 : 1;
    bool changed = false;
    for (int i = 0; i < n; ++i) {
        if (!same(live_[i], shown_[i])) {
            shown_[i] = live_[i];
            changed = true;
        }
    }
    return changed;
}
