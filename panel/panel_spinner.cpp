// Int and float spinners: limits (clamp or wrap), and the value kept in step with
// an int or float live variable.
#include <algorithm>
#include <cmath>

#include "panel/panel.h"

namespace {
bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}
}  // namespace

void PanelSpinner::set_int_limits(int low, int high, int limit_type) {
    set_float_limits(static_cast<float>(low), static_cast<float>(high), limit_type);
}

void PanelSpinner::set_float_limits(float low, float high, int limit_type) {
    low_ = std::min(low, high);
    high_ = std::max(low, high);
    limit_type_ = limit_type;
    // A value outside the new limits is brought inside them at once.
    if (!same(limited(value_), value_)) store(value_);
}

double PanelSpinner::limited(double v) const {
    if (limit_type_ == PANEL_LIMIT_CLAMP) {
        if (v < low_) return low_;
        if (v > high_) return high_;
    } else if (limit_type_ == PANEL_LIMIT_WRAP) {
        if (v < low_) return high_;
        if (v > high_) return low_;
    }
    return v;
}

void PanelSpinner::store(double v) {
    if (is_int()) {
        v = limited(std::isfinite(v) ? std::round(v) : v);
        value_ = std::isfinite(v) ? v : 0.0;  // an int cannot hold NaN or infinity
        if (live_) *static_cast<int*>(live_) = static_cast<int>(value_);
    } else {
        value_ = static_cast<float>(limited(v));
        if (live_) *static_cast<float*>(live_) = static_cast<float>(value_);
    }
    redraw_window();
}

double PanelSpinner::step() const {
    double s = std::fabs(speed_);
    if (limit_type_ != PANEL_LIMIT_NONE && high_ > low_) s = std::min(s, (high_ - low_) / 100.0);
    return s;
}

void PanelSpinner::set_int_val(int v) {
    store(v);
}
void PanelSpinner::set_float_val(float v) {
    store(v);
}
int PanelSpinner::get_int_val() const {
    return static_cast<int>(value_);
}
float PanelSpinner::get_float_val() const {
    return static_cast<float>(value_);
}

void PanelSpinner::user_set_int(int v) {
    user_set_float(static_cast<float>(v));
}

void PanelSpinner::user_set_float(float v) {
    if (!live_enabled() || std::isnan(v)) return;
    store(v);
    finish_user_edit();
}

bool PanelSpinner::sync_live() {
    if (!live_) return false;
    const double live =
        is_int() ? double(*static_cast<int*>(live_)) : double(*static_cast<float*>(live_));
    if (same(live, value_)) return false;
    // As a program-side set: a value outside clamped limits is clamped, and the
    // clamped value goes back into the variable.
    store(live);
    return true;
}
