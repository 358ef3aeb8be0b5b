// The sample files of Data/ load with the format each is written for and hold
// what the README promises of them.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "core/settings.h"
#include "data/data_set.h"
#include "tests/support/stdout_capture.h"

namespace {

std::string sample(const char* name) {
    return std::string(ZENDRAL_SOURCE_DIR "/Data/") + name;
}

// Loads with the reader of `format` (0 Data, 1 Maple, 2 Data with Color, 3
// Columns) and returns what it printed.
std::string load(const char* name, int format) {
    StdoutCapture capture;
    const std::string path = sample(name);
    if (format == 0) data_set.read_data(path.c_str());
    if (format == 1) data_set.read_maple(path.c_str());
    if (format == 2) data_set.read_color_data(path.c_str());
    if (format == 3) data_set.read_columns(path.c_str());
    return capture.finish();
}

bool all_finite() {
    for (std::size_t k = 0; k < data_set.point_count(); ++k) {
        const Vector3& p = data_set.point_at(k);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || !std::isfinite(p.z())) return false;
    }
    return true;
}

TEST(SampleData, SurfaceAndCurvesInDataFormat) {
    std::string out = load("wave_surface.dat", 0);
    EXPECT_NE(std::string::npos, out.find("width = 30 points per set = 30\n")) << out;
    EXPECT_EQ(DataSet::kData, data_set.kind);
    EXPECT_TRUE(all_finite());
    // A grid over x and z with the height in y.
    EXPECT_DOUBLE_EQ(-3.0, data_set.min.x());
    EXPECT_DOUBLE_EQ(3.0, data_set.max.z());
    EXPECT_GT(data_set.max.y() - data_set.min.y(), 1.0);

    // Terrain in metres: 6 km east (x) by 8 km north (z), heights in y.
    out = load("elevation.dat", 0);
    EXPECT_NE(std::string::npos, out.find("width = 61 points per set = 81\n")) << out;
    EXPECT_TRUE(all_finite());
    EXPECT_DOUBLE_EQ(6000, data_set.max.x());
    EXPECT_DOUBLE_EQ(8000, data_set.max.z());
    EXPECT_GT(data_set.max.y() - data_set.min.y(), 1000.0);

    out = load("helix_curves.dat", 0);
    EXPECT_NE(std::string::npos, out.find("width = 6 points per set = 80\n")) << out;
    EXPECT_TRUE(all_finite());
    EXPECT_DOUBLE_EQ(4.0, data_set.point(3, 79).y());
}

TEST(SampleData, ColouredDataUsesAllNineColoursAndOneGap) {
    const std::string out = load("color_levels.cdat", 2);
    EXPECT_NE(std::string::npos, out.find("width = 12 points per set = 12\n")) << out;
    EXPECT_EQ(DataSet::kColorData, data_set.kind);
    std::set<int> colours;
    int negative = 0;
    for (int s = 0; s < data_set.width; ++s) {
        for (int i = 0; i < data_set.points_per_set; ++i) {
            const float v = data_set.color_value(s, i);
            if (v < 0) {
                ++negative;
            } else {
                colours.insert(static_cast<int>(v));
            }
        }
    }
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}), colours);
    EXPECT_EQ(1, negative);
}

TEST(SampleData, MapleGridForm) {
    const std::string out = load("saddle_grid.mpl", 1);
    EXPECT_EQ(std::string::npos, out.find("Problem")) << out;
    EXPECT_EQ(DataSet::kMaple, data_set.kind);
    EXPECT_EQ(21, data_set.width);
    EXPECT_EQ(21, data_set.points_per_set);
    EXPECT_TRUE(all_finite());
    // The saddle (x^2 - y^2) / 4 over [-2, 2]^2: z from -1 to 1.
    EXPECT_DOUBLE_EQ(-1.0, data_set.min.z());
    EXPECT_DOUBLE_EQ(1.0, data_set.max.z());
    EXPECT_DOUBLE_EQ(-2.0, data_set.min.x());
}

TEST(SampleData, MapleMatrixFormWithContinuedLines) {
    const std::string out = load("ripple_matrix.mpl", 1);
    EXPECT_NE(std::string::npos, out.find("min max = -3.000000 3.000000 -3.000000 3.000000\n"))
        << out;
    EXPECT_EQ(DataSet::kMaple, data_set.kind);
    EXPECT_EQ(16, data_set.width);
    EXPECT_EQ(16, data_set.points_per_set);
    EXPECT_TRUE(all_finite());
    // The extremes of the ripple as written: numbers split across lines were
    // joined again (a split one would read as two values, one of them large).
    EXPECT_DOUBLE_EQ(-0.50350, data_set.min.z());
    EXPECT_DOUBLE_EQ(0.89347, data_set.max.z());
}

TEST(SampleData, TogetherUnderOneMegabyte) {
    std::size_t total = 0;
    for (const char* name : {"wave_surface.dat", "helix_curves.dat", "color_levels.cdat",
                             "saddle_grid.mpl", "ripple_matrix.mpl"}) {
        std::FILE* f = std::fopen(sample(name).c_str(), "rb");
        ASSERT_NE(nullptr, f) << name;
        std::fseek(f, 0, SEEK_END);
        total += static_cast<std::size_t>(std::ftell(f));
        std::fclose(f);
    }
    EXPECT_LT(total, 1u << 20);
}

TEST(SampleData, HillScansAreATableOfUnequalScans) {
    const std::string out = load("hill_scans.csv", 3);
    EXPECT_NE(std::string::npos, out.find("width = 15 points per set = 30\n")) << out;
    EXPECT_NE(std::string::npos, out.find("sets of 16 to 30 points")) << out;
    EXPECT_EQ(DataSet::kColumns, data_set.kind);
    EXPECT_TRUE(data_set.has_values);
    EXPECT_EQ("height", data_set.axis_names[1]);
    EXPECT_TRUE(all_finite());
    EXPECT_GT(data_set.max.y(), 5.0);  // the hill top, in y
}

}  // namespace
