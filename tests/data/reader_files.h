#pragma once
// Helpers for the reader tests: a temporary folder for test files, and a copy of
// everything a reader may change in a data set, to show that a refused file changes
// nothing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/settings.h"
#include "data/block_reader.h"
#include "data/data_set.h"

class ReaderFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zendral-readers-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        verbose = 0;
        BlockReader::block_size = BlockReader::kDefaultBlockSize;
    }
    void TearDown() override {
        std::filesystem::remove_all(folder_);
        verbose = 0;
        BlockReader::block_size = BlockReader::kDefaultBlockSize;
    }

    // Writes `text` byte for byte into the folder and returns the file's path.
    std::string write_file(const std::string& name, const std::string& text) {
        const std::string path = (folder_ / name).string();
        std::ofstream out(path, std::ios::binary);
        out << text;
        return path;
    }
    std::string path_of(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

// Everything a reader replaces, copied out, so a refused load can be compared.
struct DataSetState {
    explicit DataSetState(const DataSet& set)
        : width(set.width),
          points_per_set(set.points_per_set),
          points_array(set.points.get()),
          colors_array(set.color_values.get()),
          filename(set.filename),
          kind(set.kind),
          scale_factor(set.scaleFactor),
          translation(set.translation),
          axis_scale(set.axis_scale),
          min(set.min),
          max(set.max) {
        for (std::size_t k = 0; k < set.point_count(); ++k) {
            const Vector3& p = set.points[k];
            coordinates.insert(coordinates.end(), {p.x(), p.y(), p.z()});
        }
    }

    void expect_same_as(const DataSet& set) const {
        const DataSetState now(set);
        EXPECT_EQ(now.width, width);
        EXPECT_EQ(now.points_per_set, points_per_set);
        EXPECT_EQ(now.points_array, points_array);
        EXPECT_EQ(now.colors_array, colors_array);
        EXPECT_EQ(now.coordinates, coordinates);
        EXPECT_EQ(now.filename, filename);
        EXPECT_EQ(now.kind, kind);
        EXPECT_EQ(now.scale_factor, scale_factor);
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(now.translation[a], translation[a]);
            EXPECT_EQ(now.axis_scale[a], axis_scale[a]);
            EXPECT_EQ(now.min[a], min[a]);
            EXPECT_EQ(now.max[a], max[a]);
        }
    }

    int width, points_per_set;
    const Vector3* points_array;
    const float* colors_array;
    std::vector<double> coordinates;
    std::string filename;
    int kind;
    double scale_factor;
    Vector3 translation, axis_scale, min, max;
};

inline void expect_point(const Vector3& p, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(p.x(), x);
    EXPECT_DOUBLE_EQ(p.y(), y);
    EXPECT_DOUBLE_EQ(p.z(), z);
}
