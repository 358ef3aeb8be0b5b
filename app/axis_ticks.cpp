#include "app/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Steps within a decade.
constexpr double kSteps[3] = {1, 2, 5};
constexpr double kQuarterSteps[4] = {1, 2, 2.5, 5};

// Multiples of `step` within [low, high]: the first and the last.
void multiples(double low, double high, double step, double& first, double& last) {
    const double slack = 1e-9;
    first = std::ceil(low / step - slack * std::fmax(1.0, std::fabs(low / step)));
    last = std::floor(high / step + slack * std::fmax(1.0, std::fabs(high / step)));
}

}  // namespace

std::string short_number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v == 0 ? 0.0 : v);
    std::string s = text;
    const std::size_t e = s.find('e');
    if (e == std::string::npos) return s;
    // "1e+06" -> "1e6", "2.5e-05" -> "2.5e-5".
    const int exponent = std::atoi(s.c_str() + e + 1);
    return s.substr(0, e) + "e" + std::to_string(exponent);
}

AxisTicks choose_ticks(double low, double high, int fewest, int most, bool quarters) {
    AxisTicks ticks;
    if (!std::isfinite(low) || !std::isfinite(high)) return ticks;
    if (high < low) std::swap(low, high);
    // A span too thin for a step of its own (a few denormals) counts as flat.
    const double thinnest = std::pow(10.0, std::floor(std::log10(high - low)) - 2);
    if (high == low || !std::isfinite(high - low) || !(thinnest > 0)) {
        ticks.values.push_back(low);
        ticks.labels.push_back(short_number(low));
        return ticks;
    }

    // The steps 1, 2, (2.5,) 5 x 10^k from a hundredth of the span upward: the
    // first with at most `most` ticks, or the one before it when that is as near.
    const int k0 = static_cast<int>(std::floor(std::log10(high - low))) - 2;
    const int per_decade = quarters ? 4 : 3;
    const auto mantissa = [&](int n) { return quarters ? kQuarterSteps[n % 4] : kSteps[n % 3]; };
    const auto step_at = [&](int n) { return mantissa(n) * std::pow(10.0, k0 + n / per_decade); };
    const auto count = [&](int n) {
        double first = 0, last = 0;
        multiples(low, high, step_at(n), first, last);
        return last - first + 1;
    };
    int n = 0;
    while (count(n) > most) ++n;
    if (n > 0 && count(n) < fewest && fewest - count(n) >= count(n - 1) - most) --n;
    const double step = step_at(n);
    // The place of the labels' last digit: a step of 2.5 needs one more.
    const double power = std::pow(10.0, k0 + n / per_decade) / (mantissa(n) == 2.5 ? 10 : 1);
    double first = 0, last = 0;
    multiples(low, high, step, first, last);
    for (double m = first; m <= last; ++m) ticks.values.push_back(m * step);

    // Beyond four digits at the labels' resolution, an offset at a round value
    // (a multiple of 1000 times it) is taken off; then a common exponent for
    // numbers of 10000 and more or below 0.01.
    const double largest =
        std::fmax(std::fabs(ticks.values.front()), std::fabs(ticks.values.back()));
    double offset = 0;
    if (largest / power >= 1e4) {
        const double round = power * 1000;
        offset = std::floor(ticks.values.front() / round) * round;
    }
    double widest = 0;
    for (const double v : ticks.values) widest = std::fmax(widest, std::fabs(v - offset));
    int exponent = 0;
    if (widest >= 1e4 || (widest > 0 && widest < 1e-2))
        exponent = 3 * static_cast<int>(std::floor(std::log10(widest) / 3));
    const int decimals = std::max(0, exponent - static_cast<int>(std::lround(std::log10(power))));
    for (const double v : ticks.values) {
        const double shown = (v - offset) / std::pow(10.0, exponent);
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", decimals, shown);
        // No "-0" for a zero the rounding left negative.
        ticks.labels.push_back(std::fabs(shown) < 0.5 * std::pow(10.0, -decimals) ? "0" : text);
    }
    if (offset != 0) ticks.note = (offset > 0 ? "+" : "") + short_number(offset);
    if (exponent != 0)
        ticks.note +=
            (ticks.note.empty() ? "" : " ") + std::string("\xD7") + "1e" + std::to_string(exponent);
    return ticks;
}
