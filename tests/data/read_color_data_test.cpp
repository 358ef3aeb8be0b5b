// The Data with Color reader: a fourth number per point, read in single precision.

#include <cstdio>
#include <cstring>
#include <string>

#include "data/point_file.h"
#include "tests/data/reader_files.h"
#include "tests/support/stdout_capture.h"

namespace {

class ReadColorDataTest : public ReaderFiles {
  protected:
    std::string load(DataSet& set, const std::string& name, const std::string& text) {
        const std::string path = write_file(name, text);
        StdoutCapture capture;
        set.read_color_data(path.c_str());
        return capture.finish();
    }
};

TEST_F(ReadColorDataTest, OneSetOfTwoColouredPoints) {
    DataSet set;
    const std::string path = path_of("colour.dat");
    const std::string out = load(set, "colour.dat", "1 2\n0 0 0 3\n1 2 4 7.9\n");
    EXPECT_EQ(out, "\nfilename = " + path + "\nwidth = 1 points per set = 2\n");
    expect_point(set.point(0, 0), 0, 0, 0);
    expect_point(set.point(0, 1), 1, 2, 4);
    EXPECT_EQ(set.color_value(0, 0), 3.0f);
    EXPECT_EQ(set.color_value(0, 1), 7.9f);
    expect_point(set.min, 0, 0, 0);
    expect_point(set.max, 1, 2, 4);
    expect_point(set.axis_scale, 1, 0.5, 0.25);
    EXPECT_DOUBLE_EQ(set.scaleFactor, 0.25);
    expect_point(set.translation, 0.5, 1, 2);
    EXPECT_EQ(set.kind, DataSet::kColorData);
    EXPECT_EQ(set.filename, path);
}

TEST_F(ReadColorDataTest, ColourValuesFollowTheGridAndStayOutOfTheBounds) {
    DataSet set;
    load(set, "grid.dat",
         "2 2\n0 0 0 100\n1 0 0 -50\n"
         "0 1 1 0.5\n1 1 1 1e3\n");
    EXPECT_EQ(set.color_value(0, 1), -50.0f);
    EXPECT_EQ(set.color_value(1, 0), 0.5f);
    EXPECT_EQ(set.color_values[1], 0.5f);  // set index fastest, as for the points
    expect_point(set.min, 0, 0, 0);
    expect_point(set.max, 1, 1, 1);
}

TEST_F(ReadColorDataTest, ColourValueIsRoundedToSinglePrecision) {
    DataSet set;
    load(set, "digits.dat", "1 1\n0 0 0 0.123456789012345678\n");
    EXPECT_EQ(set.color_value(0, 0), 0.123456789012345678f);
    EXPECT_NE(static_cast<double>(set.color_value(0, 0)), 0.123456789012345678);
}

TEST_F(ReadColorDataTest, LoadingDataAfterColouredDataClearsTheKind) {
    DataSet set;
    load(set, "colour.dat", "1 2\n0 0 0 3\n1 2 4 7.9\n");
    ASSERT_EQ(set.kind, DataSet::kColorData);
    const std::string plain = write_file("plain.dat", "1 2\n0 0 0\n1 2 4\n");
    StdoutCapture capture;
    set.read_data(plain.c_str());
    capture.finish();
    EXPECT_EQ(set.kind, DataSet::kData);
}

TEST_F(ReadColorDataTest, RefusedFileKeepsTheColouredPicture) {
    DataSet set;
    load(set, "colour.dat", "1 2\n0 0 0 3\n1 2 4 7.9\n");
    const DataSetState before(set);
    // A colour value beyond single precision has no finite value.
    const std::string out = load(set, "bad.dat", "1 2\n0 0 0 3\n1 2 4 1e39\n");
    EXPECT_EQ(out, "\nfilename = " + path_of("bad.dat") + "\nwidth = 1 points per set = 2\nFile " +
                       path_of("bad.dat") +
                       " not loaded: line 3: expected a finite number for the colour value of "
                       "point 2 of set 1, found \"1e39\"\n");
    before.expect_same_as(set);
    EXPECT_EQ(set.color_value(0, 1), 7.9f);
}

TEST_F(ReadColorDataTest, MissingColourValueIsRefused) {
    DataSet set;
    const std::string out = load(set, "short.dat", "1 2\n0 0 0 3\n1 2 4\n");
    EXPECT_EQ(out, "\nfilename = " + path_of("short.dat") +
                       "\nwidth = 1 points per set = 2\nFile " + path_of("short.dat") +
                       " not loaded: line 3: expected the colour value of point 2 of set 1, "
                       "found the end of the file\n");
    EXPECT_EQ(set.width, 0);
    EXPECT_EQ(set.filename, "");
}

TEST_F(ReadColorDataTest, SetsGatheredInABufferLandInTheGridAsReadOneByOne) {
    // 7 sets of 5 points, each value telling its set and point apart.
    std::string text = "7 5\n";
    for (int s = 0; s < 7; ++s)
        for (int i = 0; i < 5; ++i)
            text += std::to_string(s) + "." + std::to_string(i) + " " + std::to_string(-i) + " " +
                    std::to_string(s * 100 + i) + "e-3 " + std::to_string(s + i) + "\n";
    const std::string path = write_file("grid.dat", text);
    // No buffer, a buffer of 3 sets (two full and one partly), one of all of them.
    for (const std::size_t bytes :
         {std::size_t{0}, std::size_t{5 * 28 * 3}, kDefaultSetBlockBytes}) {
        set_block_bytes = bytes;
        DataSet set;
        StdoutCapture quiet;
        set.read_color_data(path.c_str());
        quiet.finish();
        ASSERT_EQ(set.point_count(), 35u) << bytes;
        for (int s = 0; s < 7; ++s) {
            for (int i = 0; i < 5; ++i) {
                const Vector3 expected(std::stod(std::to_string(s) + "." + std::to_string(i)), -i,
                                       std::stod(std::to_string(s * 100 + i) + "e-3"));
                EXPECT_EQ(0, std::memcmp(&set.point(s, i), &expected, sizeof expected)) << s << i;
                EXPECT_EQ(set.color_value(s, i), static_cast<float>(s + i));
            }
        }
    }
    set_block_bytes = kDefaultSetBlockBytes;
}

}  // namespace
