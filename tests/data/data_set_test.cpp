#include "data/data_set.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/support/stdout_capture.h"

namespace {
void set_box(DataSet& set, Vector3 lo, Vector3 hi) {
    set.min = lo;
    set.max = hi;
}
}  // namespace

TEST(AllocateGrid, EmptyDimensionGivesAnEmptyGrid) {
    DataSet set;
    set.allocate_grid(0, 7);
    EXPECT_EQ(set.width, 0);
    EXPECT_EQ(set.points_per_set, 7);
    EXPECT_EQ(set.point_count(), 0u);
    int visited = 0;
    for (int s = 0; s < set.width; ++s)
        for (int i = 0; i < set.points_per_set; ++i) ++visited;
    EXPECT_EQ(visited, 0);
}

TEST(AllocateGrid, NegativeDimensionThrowsAndKeepsTheOldGrid) {
    DataSet set;
    set.allocate_grid(2, 3);
    set.point(1, 2) = Vector3(5, 6, 7);
    set.color_value(1, 2) = 4.5f;
    try {
        set.allocate_grid(-1, 5);
        FAIL() << "a negative width was accepted";
    } catch (int thrown) {
        EXPECT_EQ(thrown, -1);
    }
    EXPECT_EQ(set.width, 2);
    EXPECT_EQ(set.points_per_set, 3);
    EXPECT_EQ(set.point(1, 2)[1], 6);
    EXPECT_FLOAT_EQ(set.color_value(1, 2), 4.5f);
    EXPECT_THROW(set.allocate_grid(3, -2), int);
}

TEST(AllocateGrid, SetIndexRunsFastestInMemory) {
    DataSet set;
    set.allocate_grid(3, 2);
    for (int i = 0; i < 2; ++i)
        for (int s = 0; s < 3; ++s) set.point(s, i) = Vector3(s, i, 0);
    // point(s, i) is element i * width + s.
    EXPECT_EQ(set.point_at(4)[0], 1);
    EXPECT_EQ(set.point_at(4)[1], 1);
    EXPECT_EQ(set.point_at(2)[0], 2);
    EXPECT_EQ(set.point_at(2)[1], 0);
}

TEST(NormalizeBounds, ScalesAndCentreOfABox) {
    DataSet set;
    set_box(set, Vector3(0, 0, 0), Vector3(2, 1, 4));
    set.normalize_bounds();
    EXPECT_DOUBLE_EQ(set.axis_scale[0], 0.5);
    EXPECT_DOUBLE_EQ(set.axis_scale[1], 1.0);
    EXPECT_DOUBLE_EQ(set.axis_scale[2], 0.25);
    EXPECT_DOUBLE_EQ(set.scaleFactor, 0.25);
    EXPECT_DOUBLE_EQ(set.translation[0], 1);
    EXPECT_DOUBLE_EQ(set.translation[1], 0.5);
    EXPECT_DOUBLE_EQ(set.translation[2], 2);

    set_box(set, Vector3(-1, -1, -1), Vector3(1, 1, 1));
    set.normalize_bounds();
    for (int a = 0; a < 3; ++a) {
        EXPECT_DOUBLE_EQ(set.axis_scale[a], 0.5);
        EXPECT_DOUBLE_EQ(set.translation[a], 0);
    }
    EXPECT_DOUBLE_EQ(set.scaleFactor, 0.5);
}

TEST(NormalizeBounds, FlatAxesScaleByOneAndStayOutOfTheUniformScale) {
    DataSet set;
    set.scaleFactor = 0.001;  // left over from an earlier load: must not leak in
    set_box(set, Vector3(0, 3, 0), Vector3(4, 3, 2));
    set.normalize_bounds();
    EXPECT_DOUBLE_EQ(set.axis_scale[1], 1.0);
    EXPECT_DOUBLE_EQ(set.scaleFactor, 0.25);

    set_box(set, Vector3(1, 2, 3), Vector3(1, 2, 3));
    set.normalize_bounds();
    EXPECT_DOUBLE_EQ(set.scaleFactor, 1.0);
    for (int a = 0; a < 3; ++a) EXPECT_DOUBLE_EQ(set.axis_scale[a], 1.0);
}

TEST(NormalizeBounds, VerbosePrintsTheBoundsBlockWithTheReadersSpelling) {
    DataSet set;
    set_box(set, Vector3(0, 0, 0), Vector3(2, 1, 4));
    verbose = 1;
    axis_data = 1;
    StdoutCapture data_capture;
    set.normalize_bounds();
    const std::string data_out = data_capture.finish();
    StdoutCapture maple_capture;
    set.normalize_bounds(DataSet::kMapleTranslationFormat);
    const std::string maple_out = maple_capture.finish();
    StdoutCapture quiet_capture;
    verbose = 0;
    set.normalize_bounds();
    EXPECT_EQ(quiet_capture.finish(), "");
    axis_data = 0;

    const std::string head =
        "Input min = 0.000000 0.000000 0.000000\n"
        "Input max = 2.000000 1.000000 4.000000\n"
        "Input scaleFactor= 0.250000 sx = 0.500000 sy = 1.000000  sz = 0.250000\n";
    EXPECT_EQ(data_out, head + "Input tx= 1.000000 ty= 0.500000 tz= 2.000000\naxis_data = 1\n");
    EXPECT_EQ(maple_out, head + "Input tx =1.000000 ty=0.500000 tz=2.000000\naxis_data = 1\n");
}

TEST(DataSetTakeGrid, KeepsColourMapFieldsAndBaseLevel) {
    DataSet target;
    target.base_level = 2.5;
    target.color_map[5] = 77;
    DataSet fresh;
    fresh.allocate_grid(1, 2);
    fresh.point(0, 1) = Vector3(9, 8, 7);
    fresh.filename = "surface.dat";
    fresh.kind = DataSet::kMaple;
    fresh.min = Vector3(0, 0, 0);
    fresh.max = Vector3(1, 1, 1);
    fresh.normalize_bounds();
    target.take_grid_from(fresh);
    EXPECT_EQ(target.width, 1);
    EXPECT_EQ(target.points_per_set, 2);
    EXPECT_EQ(target.point(0, 1)[0], 9);
    EXPECT_EQ(target.filename, "surface.dat");
    EXPECT_EQ(target.kind, DataSet::kMaple);
    EXPECT_DOUBLE_EQ(target.scaleFactor, 1.0);
    EXPECT_DOUBLE_EQ(target.base_level, 2.5);
    EXPECT_EQ(target.color_map[5], 77);
    EXPECT_EQ(target.color_map_width, 16);
}

TEST(DataSet, StartsEmpty) {
    EXPECT_EQ(data_set.width, 0);
    EXPECT_EQ(data_set.points_per_set, 0);
    EXPECT_EQ(data_set.points, nullptr);
    EXPECT_TRUE(data_set.filename.empty());
    EXPECT_EQ(data_set.color_map_width, 16);
    EXPECT_EQ(data_set.color_map_height, 1);
    EXPECT_EQ(data_set.color_map_row, 0);
    EXPECT_EQ(data_set.scaleFactor, 0);
}
