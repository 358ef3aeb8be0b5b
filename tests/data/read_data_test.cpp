// The Data reader: the header, the layout of the numbers, the messages, and every
// kind of file it refuses.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/status_line.h"
#include "tests/data/reader_files.h"
#include "tests/support/stdout_capture.h"

namespace {

const char* const kTwoByThree =
    "2 3\n"
    "0 0 0\n1 0 0\n2 0 0\n"
    "0 1 1\n1 1 1\n2 1 1\n";

class ReadDataTest : public ReaderFiles {
  protected:
    // Loads `text` as a Data file and returns everything printed.
    std::string load(DataSet& set, const std::string& name, const std::string& text) {
        const std::string path = write_file(name, text);
        StdoutCapture capture;
        set.read_data(path.c_str());
        return capture.finish();
    }

    // A data set that already shows a picture, for the refusal tests.
    void load_picture(DataSet& set) {
        load(set, "picture.dat", kTwoByThree);
        ASSERT_EQ(set.width, 2);
    }

    // Loads a file that must be refused: prints the file name and then exactly
    // `message`, and changes nothing in `set`.
    void expect_refused(const std::string& text, const std::string& message) {
        DataSet set;
        load_picture(set);
        const DataSetState before(set);
        const std::string path = path_of("bad.dat");
        const std::string out = load(set, "bad.dat", text);
        EXPECT_EQ(out, "\nfilename = " + path + "\n" + message);
        before.expect_same_as(set);
    }
};

TEST_F(ReadDataTest, TwoSetsOfThreePoints) {
    DataSet set;
    const std::string path = path_of("grid.dat");
    const std::string out = load(set, "grid.dat", kTwoByThree);
    EXPECT_EQ(out, "\nfilename = " + path + "\nwidth = 2 points per set = 3\n");
    EXPECT_EQ(set.width, 2);
    EXPECT_EQ(set.points_per_set, 3);
    expect_point(set.point(0, 0), 0, 0, 0);
    expect_point(set.point(0, 2), 2, 0, 0);
    expect_point(set.point(1, 0), 0, 1, 1);
    expect_point(set.point(1, 2), 2, 1, 1);
    // The set index runs fastest in memory.
    expect_point(set.point_at(1), 0, 1, 1);
    expect_point(set.min, 0, 0, 0);
    expect_point(set.max, 2, 1, 1);
    expect_point(set.axis_scale, 0.5, 1, 1);
    EXPECT_DOUBLE_EQ(set.scaleFactor, 0.5);
    expect_point(set.translation, 1, 0.5, 0.5);
    EXPECT_EQ(set.kind, DataSet::kData);
    EXPECT_EQ(set.filename, path);
}

TEST_F(ReadDataTest, LayoutOfTheNumbersCarriesNoMeaning) {
    const std::string numbers[] = {
        "2 3\n0 0 0 1 0 0 2 0 0 0 1 1 1 1 1 2 1 1",
        "2 3\n0\n0\n0\n1\n0\n0\n2\n0\n0\n0\n1\n1\n1\n1\n1\n2\n1\n1\n",
        "2 3\r\n\t0\t0 0\r\n1 0\t\t0\r\n 2 0 0\r\n0 1 1\r\n1 1 1\r\n2 1 1\r\n",
        "  2\t3  \n\n\n  0.0 0e0 -0.0\n+1 .0 0.\n2 0 0\n0 1E0 1\n1 1 1\n2 1 1e+0 ",
    };
    DataSet reference;
    load(reference, "reference.dat", kTwoByThree);
    for (const std::string& text : numbers) {
        SCOPED_TRACE(text);
        DataSet set;
        load(set, "layout.dat", text);
        ASSERT_EQ(set.width, 2);
        ASSERT_EQ(set.points_per_set, 3);
        for (std::size_t k = 0; k < 6; ++k) {
            for (int a = 0; a < 3; ++a) EXPECT_EQ(set.points[k][a], reference.points[k][a]);
        }
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(set.min[a], reference.min[a]);
            EXPECT_EQ(set.max[a], reference.max[a]);
        }
    }
}

TEST_F(ReadDataTest, WholeFirstLineIsTheHeader) {
    DataSet set;
    const std::string out = load(set, "comment.dat",
                                 "3 4 sets of four points, written by hand\n"
                                 "0 0 0 1 0 0 2 0 0 3 0 0\n0 1 0 1 1 0 2 1 0 3 1 0\n"
                                 "0 2 1 1 2 1 2 2 1 3 2 1\n");
    EXPECT_NE(out.find("width = 3 points per set = 4\n"), std::string::npos);
    EXPECT_EQ(set.width, 3);
    EXPECT_EQ(set.points_per_set, 4);
    expect_point(set.point(2, 3), 3, 2, 1);

    // Numbers on a long first line are part of the header, not point data.
    DataSet long_header;
    load(long_header, "long.dat", "1 1" + std::string(200, ' ') + "7 7 7\n5 6 8\n");
    EXPECT_EQ(long_header.width, 1);
    expect_point(long_header.point(0, 0), 5, 6, 8);
}

TEST_F(ReadDataTest, TextAfterTheLastPointIsNotRead) {
    DataSet set;
    load(set, "tail.dat", "1 2\n1 2 3 4 5 6 and then anything at all ]]\x01\n");
    EXPECT_EQ(set.kind, DataSet::kData);
    expect_point(set.point(0, 1), 4, 5, 6);
    expect_point(set.max, 4, 5, 6);
}

TEST_F(ReadDataTest, BoundsComeFromTheDataBeyondAMillion) {
    DataSet set;
    load(set, "far.dat", "1 2\n2000000 -3000000 5e7\n2500000 -2000000 6e7\n");
    expect_point(set.min, 2000000, -3000000, 5e7);
    expect_point(set.max, 2500000, -2000000, 6e7);
    expect_point(set.translation, 2250000, -2500000, 5.5e7);
}

TEST_F(ReadDataTest, EmptyGridLoadsAsAnEmptyPicture) {
    // Kept as 0 x 0 whichever count is 0, so that no loop runs over empty sets.
    for (const char* header : {"0 7\n", "2147483647 0\n"}) {
        SCOPED_TRACE(header);
        DataSet set;
        load(set, "empty-grid.dat", header);
        EXPECT_EQ(set.width, 0);
        EXPECT_EQ(set.points_per_set, 0);
        expect_point(set.min, 0, 0, 0);
        expect_point(set.max, 0, 0, 0);
        EXPECT_EQ(set.kind, DataSet::kData);
        EXPECT_EQ(set.filename, path_of("empty-grid.dat"));
    }
}

TEST_F(ReadDataTest, VerbosePrintsTheBoundsBlock) {
    DataSet set;
    verbose = 1;
    const std::string path = path_of("grid.dat");
    const std::string out = load(set, "grid.dat", kTwoByThree);
    EXPECT_EQ(out, "\nfilename = " + path +
                       "\nwidth = 2 points per set = 3\n"
                       "Input min = 0.000000 0.000000 0.000000\n"
                       "Input max = 2.000000 1.000000 1.000000\n"
                       "Input scaleFactor= 0.500000 sx = 0.500000 sy = 1.000000  sz = 1.000000\n"
                       "Input tx= 1.000000 ty= 0.500000 tz= 0.500000\n"
                       "axis_data = 0\n");
}

TEST_F(ReadDataTest, NumbersAcrossBlockBoundariesReadTheSame) {
    std::string text = "3 5\n";
    for (int k = 0; k < 15; ++k) {
        text += std::to_string(k * 0.125) + " -" + std::to_string(k) + "e-2\t" +
                std::to_string(1000 + k * 7) + "\r\n";
    }
    DataSet whole;
    load(whole, "whole.dat", text);
    ASSERT_EQ(whole.width, 3);
    // Every block size from just above the longest number (8 characters) up cuts
    // the numbers in other places.
    for (std::size_t block = 9; block <= 40; ++block) {
        SCOPED_TRACE(block);
        BlockReader::block_size = block;
        DataSet set;
        load(set, "small-blocks.dat", text);
        ASSERT_EQ(set.width, 3);
        for (std::size_t k = 0; k < 15; ++k) {
            for (int a = 0; a < 3; ++a) EXPECT_EQ(set.points[k][a], whole.points[k][a]);
        }
    }
}

TEST_F(ReadDataTest, MissingFileKeepsThePicture) {
    DataSet set;
    load_picture(set);
    const DataSetState before(set);
    const std::string path = path_of("no-such-file.dat");
    StdoutCapture capture;
    set.read_data(path.c_str());
    EXPECT_EQ(capture.finish(), "\nfilename = " + path + "\nFile " + path + " does not exist\n");
    before.expect_same_as(set);

    // A folder cannot be read as a file either.
    StdoutCapture folder_capture;
    set.read_data(folder_.c_str());
    EXPECT_EQ(folder_capture.finish(), "\nfilename = " + folder_.string() + "\nFile " +
                                           folder_.string() + " does not exist\n");
    before.expect_same_as(set);
}

TEST_F(ReadDataTest, RefusesAnEmptyFile) {
    expect_refused("", "File " + path_of("bad.dat") +
                           " not loaded: line 1: expected two integers (number of sets, points "
                           "per set), found an empty file\n");
}

TEST_F(ReadDataTest, RefusesAHeaderWithoutTwoIntegers) {
    const std::string prefix = "File " + path_of("bad.dat") +
                               " not loaded: line 1: expected two integers (number of sets, "
                               "points per set), found ";
    expect_refused("2 x3\n1 2 3\n", prefix + "\"x3\"; is it \"Columns\"?\n");
    expect_refused("2.5 3\n1 2 3\n", prefix + "\".5\"\n");
    expect_refused("2\n3\n1 2 3\n", prefix + "the end of the line\n");
    expect_refused("4", prefix + "the end of the file\n");
    expect_refused("3000000000 1\n", prefix + "\"3000000000\", which is too large\n");
}

TEST_F(ReadDataTest, RefusesANegativeCount) {
    expect_refused("2 -3\n1 2 3\n",
                   "width = 2 points per set = -3\nFile " + path_of("bad.dat") +
                       " not loaded: line 1: expected counts of 0 or more, found 2 sets of -3 "
                       "points\n");
}

TEST_F(ReadDataTest, RefusesACountTheFileCannotHold) {
    // 1000 x 1000 points need at least 6,000,000 characters.
    expect_refused("1000 1000\n1 2 3\n",
                   "width = 1000 points per set = 1000\nFile " + path_of("bad.dat") +
                       " not loaded: line 1: the header promises 1000 sets of 1000 points, more "
                       "than a file of 16 bytes can hold\n");
}

TEST_F(ReadDataTest, RefusesACountMemoryCannotHoldAndAnythingButARegularFile) {
    DataSet set;
    load_picture(set);
    const DataSetState before(set);
    // A sparse file large enough for the count leaves the decision to the memory.
    const std::string huge = write_file("huge.dat", "100000 100000\n1 2 3\n");
    if (truncate(huge.c_str(), 64'000'000'000LL) == 0) {
        StdoutCapture capture;
        set.read_data(huge.c_str());
        EXPECT_EQ(capture.finish(), "\nfilename = " + huge +
                                        "\nwidth = 100000 points per set = 100000\nFile " + huge +
                                        " not loaded: not enough memory for 100000 sets of 100000 "
                                        "points\n");
        before.expect_same_as(set);
    }
    // A named pipe is refused at once, without waiting for a writer, by every reader.
    const std::string fifo = path_of("pipe.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (auto reader : {&DataSet::read_data, &DataSet::read_color_data, &DataSet::read_maple}) {
        StdoutCapture capture;
        (set.*reader)(fifo.c_str());
        EXPECT_EQ(capture.finish(),
                  "\nfilename = " + fifo + "\nFile " + fifo + " not loaded: not a regular file\n");
        EXPECT_EQ(status_line(), fifo + " not loaded: not a regular file");
        before.expect_same_as(set);
    }
}

TEST_F(ReadDataTest, RefusesAFileWithFewerNumbersThanPromised) {
    expect_refused("2 2\n0 0 0\n1 1 1\n2 2 2\n3 3\n\n",
                   "width = 2 points per set = 2\nFile " + path_of("bad.dat") +
                       " not loaded: line 5: expected the z coordinate of point 2 of set 2, "
                       "found the end of the file\n");
}

TEST_F(ReadDataTest, RefusesAWordWhereANumberMustStand) {
    expect_refused("1 3\n0 0 0\n1 1,5 1\n2 2 2\n",
                   "width = 1 points per set = 3\nFile " + path_of("bad.dat") +
                       " not loaded: line 3: expected a number for the y coordinate of point 2 "
                       "of set 1, found \"1,5\"\n");
}

TEST_F(ReadDataTest, RefusesAValueThatIsNotFinite) {
    expect_refused("1 2\n0 0 0\n1 1e999 1\n",
                   "width = 1 points per set = 2\nFile " + path_of("bad.dat") +
                       " not loaded: line 3: expected a finite number for the y coordinate of "
                       "point 2 of set 1, found \"1e999\"\n");
    expect_refused("1 1\nnan 0 0\n",
                   "width = 1 points per set = 1\nFile " + path_of("bad.dat") +
                       " not loaded: line 2: expected a number for the x coordinate of point 1 "
                       "of set 1, found \"nan\"\n");
}

TEST_F(ReadDataTest, RefusesANumberLongerThanTheBuffer) {
    BlockReader::block_size = 16;
    expect_refused("1 1\n1 2 " + std::string(30, '3') + "\n",
                   "width = 1 points per set = 1\nFile " + path_of("bad.dat") +
                       " not loaded: line 2: expected a number for the z coordinate of point 1 "
                       "of set 1, found a word of more than 16 characters\n");
}

}  // namespace
