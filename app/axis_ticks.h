#pragma once
// Tick marks at round values for an axis of the bounds box or the colour bar, and
// their numbers, each of at most four significant digits. What the numbers leave
// out, a common exponent or an offset, is written once per axis.

#include <string>
#include <vector>

struct AxisTicks {
    std::vector<double> values;       // in data units, ascending
    std::vector<std::string> labels;  // one per value
    // What to add to the labels' numbers to read values: "" or like "×1e-3",
    // "+1e6", "+1e6 ×1e-3" (labels times 10^exponent, plus the offset).
    std::string note;
};

// Ticks at multiples of 1, 2 or 5 x 10^k (with `quarters` also 2.5 x 10^k) within
// [low, high], their count in [fewest, most] where such a step exists, otherwise
// as near to that as can be (more rather than fewer).
// A flat range (low == high) has one tick at its value; a range that is not
// finite has none.
AxisTicks choose_ticks(double low, double high, int fewest, int most, bool quarters = false);

// A number in at most four significant digits: "%.4g" with a short exponent
// ("1e6", "2.5e-5").
std::string short_number(double v);
