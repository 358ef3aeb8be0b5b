// Ticks at round values with short numbers, whatever the range.
#include "app/axis_ticks.h"

#include <gtest/gtest.h>

namespace {

using Labels = std::vector<std::string>;

TEST(AxisTicks, RoundValuesInShortNumbersWithTheRestWrittenOnce) {
    AxisTicks t = choose_ticks(0, 1000, 4, 8);
    EXPECT_EQ((Labels{"0", "200", "400", "600", "800", "1000"}), t.labels);
    EXPECT_EQ("", t.note);

    // Small numbers share one exponent.
    t = choose_ticks(-0.003, 0.007, 4, 8);
    EXPECT_EQ((Labels{"-2", "0", "2", "4", "6"}), t.labels);
    EXPECT_EQ(
        "\xD7"
        "1e-3",
        t.note);
    ASSERT_EQ(5u, t.values.size());
    EXPECT_NEAR(-0.002, t.values.front(), 1e-15);

    // Seven digits would be needed: an offset, written once, takes them.
    t = choose_ticks(1e6, 1e6 + 3, 4, 8);
    EXPECT_EQ((Labels{"0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0"}), t.labels);
    EXPECT_EQ("+1e6", t.note);
    EXPECT_EQ(1e6 + 3, t.values.back());

    // A flat axis: one tick at its value.
    t = choose_ticks(2.5e-7, 2.5e-7, 4, 8);
    EXPECT_EQ((std::vector<double>{2.5e-7}), t.values);
    EXPECT_EQ((Labels{"2.5e-7"}), t.labels);

    // Between 1, 2 and 5 there is no step with four to six ticks of 320..1769;
    // the colour bar's quarter steps find one.
    EXPECT_EQ((Labels{"500", "750", "1000", "1250", "1500", "1750"}),
              choose_ticks(320, 1769, 4, 6, true).labels);
}

}  // namespace
