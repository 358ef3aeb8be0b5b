// The Maple reader: both header forms, the chunks and their backslash continuation,
// non-square grids, and every kind of file it refuses.

#include <cstdio>

#include "tests/data/reader_files.h"
#include "tests/support/stdout_capture.h"

namespace {

const char* const kThreeByThree =
    "PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,\\\n"
    "5.],[6.,7.,8.]]),STYLE(PATCH))\n";

class ReadMapleTest : public ReaderFiles {
  protected:
    std::string load(DataSet& set, const std::string& name, const std::string& text) {
        const std::string path = write_file(name, text);
        StdoutCapture capture;
        set.read_maple(path.c_str());
        return capture.finish();
    }

    // The z values of a file that must load, in memory order.
    std::vector<double> z_values(const std::string& text) {
        DataSet set;
        const std::string out = load(set, "values.mpl", text);
        EXPECT_EQ(out.find("not loaded"), std::string::npos) << out;
        std::vector<double> z;
        for (std::size_t k = 0; k < set.point_count(); ++k) z.push_back(set.points[k].z());
        return z;
    }

    void expect_refused(const std::string& text, const std::string& message) {
        DataSet set;
        load(set, "picture.mpl", kThreeByThree);
        ASSERT_EQ(set.width, 3);
        const DataSetState before(set);
        const std::string out = load(set, "bad.mpl", text);
        EXPECT_EQ(out, "\nfilename = " + path_of("bad.mpl") + "\n" + message);
        before.expect_same_as(set);
    }
    std::string not_loaded(const std::string& problem) {
        return "File " + path_of("bad.mpl") + " not loaded: " + problem + "\n";
    }
};

TEST_F(ReadMapleTest, ThreeByThreeGrid) {
    DataSet set;
    const std::string path = path_of("grid.mpl");
    const std::string out = load(set, "grid.mpl", kThreeByThree);
    EXPECT_EQ(out, "\nfilename = " + path + "\n");
    EXPECT_EQ(set.width, 3);
    EXPECT_EQ(set.points_per_set, 3);
    for (int k = 0; k < 9; ++k) expect_point(set.point_at(k), k / 3, k % 3, k);
    expect_point(set.point_at(4), 1, 1, 4);
    expect_point(set.point(0, 0), 0, 0, 0);
    expect_point(set.point(0, 1), 1, 0, 3);
    expect_point(set.point(0, 2), 2, 0, 6);
    expect_point(set.min, 0, 0, 0);
    expect_point(set.max, 2, 2, 8);
    expect_point(set.axis_scale, 0.5, 0.5, 0.125);
    EXPECT_DOUBLE_EQ(set.scaleFactor, 0.125);
    expect_point(set.translation, 1, 1, 4);
    EXPECT_EQ(set.kind, DataSet::kMaple);
    EXPECT_EQ(set.filename, path);
}

TEST_F(ReadMapleTest, VerbosePrintsTheFirstChunkAndTheBoundsTwice) {
    DataSet set;
    verbose = 1;
    const std::string path = path_of("grid.mpl");
    const std::string out = load(set, "grid.mpl", kThreeByThree);
    const std::string bounds =
        "Input min = 0.000000 0.000000 0.000000\n"
        "Input max = 2.000000 2.000000 8.000000\n";
    EXPECT_EQ(out, "\nfilename = " + path +
                       "\nPLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,\\\n"
                       " \n-1" +
                       bounds + bounds +
                       "Input scaleFactor= 0.125000 sx = 0.500000 sy = 0.500000  sz = 0.125000\n"
                       "Input tx =1.000000 ty=1.000000 tz=4.000000\n"
                       "axis_data = 0\n");
}

TEST_F(ReadMapleTest, VerboseRefusalStartsALineOfItsOwn) {
    verbose = 1;
    expect_refused("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,2.,3.]])))\n",
                   "PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,2.,3.]])))\n \n-1\n" +
                       not_loaded("the index ranges give 2 x 2 = 4 values, the file holds 3"));
    expect_refused("plot3d(MESH)\n", "plot3d(MESH)\n \n-1Problem with maple file\n" +
                                         not_loaded("the first line holds neither \"GRID(\" nor "
                                                    "\"Matrix\""));
}

TEST_F(ReadMapleTest, MatrixFormPrintsItsRangesAlways) {
    DataSet set;
    const std::string path = path_of("matrix.mpl");
    // The whole grid on the first line, its index text opening with "(" and a blank.
    const std::string out = load(set, "matrix.mpl",
                                 "plot3d(0 .. 2,-1. .. 1.,Matrix( 1..3,1..3,"
                                 "[[0.,1.,2.],[3.,4.,5.],[6.,7.,8.]]))\n");
    EXPECT_EQ(out, "\nfilename = " + path + "\nmin max = 0.000000 2.000000 -1.000000 1.000000\n");
    EXPECT_EQ(set.width, 3);
    expect_point(set.point_at(5), 1, 1, 5);
    expect_point(set.min, 0, -1, 0);
    expect_point(set.max, 2, 1, 8);

    verbose = 1;
    const std::string verbose_out =
        load(set, "matrix.mpl", "plot3d(0 .. 1,0 .. 1,Matrix(1..1,1..1,[[5]]))");
    EXPECT_EQ(verbose_out.substr(0, verbose_out.find("min max")),
              "\nfilename = " + path + "\nplot3d(0 .. 1,0 .. 1,Matrix(1..1,1..1,[[5]])) \n21");
}

TEST_F(ReadMapleTest, NumberSplitAtABackslashJoins) {
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,0.1\\\n"
                       "25],[3.,4.]])))\n"),
              (std::vector<double>{1, 0.125, 3, 4}));
    // Without the backslash the line end separates the two parts.
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 2,Array(1..2,1..3,[[1.,0.1\n"
                       "25],[3.,4.,5.]])))\n"),
              (std::vector<double>{1, 0.1, 25, 3, 4, 5}));
    // A chunk without a comma is carried whole into the next one.
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.\\\n"
                       "5\\ anything after a backslash is dropped\n"
                       "0,2.],[3.,4.]])))\n"),
              (std::vector<double>{1.5, 2, 3, 4}));
}

TEST_F(ReadMapleTest, BlanksBeforeABackslashAreNoValue) {
    // The blanks after the last comma start no carried run, on the first chunk or later.
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,2.], \\\n"
                       "[3.,  \\\n"
                       "4.]])))\n"),
              (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(ReadMapleTest, ClosingBracketsSplitByABackslashClose) {
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,2.],[3.,4.]\\\n"
                       "]),STYLE(PATCH))\n"),
              (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(ReadMapleTest, LongLinesReadInChunksOf99Characters) {
    // A line of 30 values: its 99-character pieces join where they cut a number.
    std::string line;
    std::vector<double> expected;
    for (int k = 0; k < 30; ++k) {
        line += std::to_string(k) + ".123456,";
        expected.push_back(k + 0.123456);
    }
    line.pop_back();
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..5,1..6,[[\n" + line + "]]))\n"),
              expected);

    // A backslash drops the rest of its own 99-character piece only.
    const std::string piece = "1.,2.,\\" + std::string(92, 'x');
    ASSERT_EQ(piece.size(), 99u);
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[\n" + piece + "3.,4.]]))\n"),
              (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(ReadMapleTest, RowsCarryNoMeaning) {
    const std::vector<double> rows =
        z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,2.],[3.,4.]])))\n");
    EXPECT_EQ(rows, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,2.,3.,4.]])))\n"), rows);
    // Blanks between the rows are no values; CR LF line ends read as line ends.
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1., 2.], \r\n"
                       " [3., 4.]])))\r\n"),
              rows);
}

TEST_F(ReadMapleTest, EntryThatIsNoNumberCountsAsZero) {
    EXPECT_EQ(z_values("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,"
                       "[[1.,Float(undefined)],[3.5e1x,-4.]])))\n"),
              (std::vector<double>{1, 0, 35, -4}));
}

TEST_F(ReadMapleTest, NonSquareGridWalksGridLines) {
    DataSet set;
    // Three x indices over 0 .. 2, two y indices over 0 .. 1; y index fastest.
    load(set, "wide.mpl",
         "PLOT3D(GRID(0 .. 2,0 .. 1,Array(1..3,1..2,[[0.,1.],[2.,3.],[4.,5.]])))\n");
    ASSERT_EQ(set.width, 2);           // one set per y index
    ASSERT_EQ(set.points_per_set, 3);  // one point per x index
    for (int s = 0; s < set.width; ++s) {
        for (int i = 0; i < set.points_per_set; ++i) {
            expect_point(set.point(s, i), i, s, i * 2 + s);
        }
    }
    expect_point(set.max, 2, 1, 5);
}

TEST_F(ReadMapleTest, SingleIndexHasNoSpacing) {
    DataSet set;
    load(set, "line.mpl", "PLOT3D(GRID(0 .. 4,0 .. 2,Array(7..7,1..3,[[1.,2.,3.]])))\n");
    ASSERT_EQ(set.width, 3);
    ASSERT_EQ(set.points_per_set, 1);
    expect_point(set.point(0, 0), 0, 0, 1);
    expect_point(set.point(2, 0), 0, 2, 3);
    expect_point(set.min, 0, 0, 1);
    expect_point(set.max, 4, 2, 3);  // the ranges as written
}

TEST_F(ReadMapleTest, EmptyGridLoadsAsAnEmptyPicture) {
    DataSet set;
    load(set, "empty.mpl", "PLOT3D(GRID(0 .. 1,0 .. 3,Array(1..0,1..2000000000,[[]])))\n");
    EXPECT_EQ(set.width, 0);
    EXPECT_EQ(set.points_per_set, 0);
    EXPECT_EQ(set.kind, DataSet::kMaple);
    expect_point(set.max, 1, 3, 0);
}

TEST_F(ReadMapleTest, MissingFileKeepsThePicture) {
    DataSet set;
    load(set, "picture.mpl", kThreeByThree);
    const DataSetState before(set);
    const std::string path = path_of("missing.mpl");
    StdoutCapture capture;
    set.read_maple(path.c_str());
    EXPECT_EQ(capture.finish(), "\nfilename = " + path + "\nFile " + path + " does not exist\n");
    before.expect_same_as(set);
}

TEST_F(ReadMapleTest, RefusesAnEmptyFile) {
    expect_refused("", not_loaded("the file is empty"));
}

TEST_F(ReadMapleTest, RefusesAHeaderOfNeitherForm) {
    const std::string message = "Problem with maple file\n" +
                                not_loaded("the first line holds neither \"GRID(\" nor \"Matrix\"");
    expect_refused("PLOT3D(MESH([[[0,0,0]]]))\n", message);
    // Keywords beyond the 99th character of the first line are not seen.
    expect_refused(
        "PLOT3D(" + std::string(95, ' ') + "GRID(0 .. 1,0 .. 1,Array(1..1,1..1,[[1.]])))\n",
        message);
}

TEST_F(ReadMapleTest, RefusesAGridHeaderWithoutArray) {
    expect_refused("PLOT3D(GRID(0 .. 1,0 .. 1,[[1.]]))\n",
                   not_loaded("the first line has \"GRID(\" but no \"Array\""));
}

TEST_F(ReadMapleTest, RefusesRangesThatDoNotScan) {
    // The first number takes the first dot as its decimal point.
    expect_refused("PLOT3D(GRID(0..1,0..1,Array(1..2,1..2,[[1.,2.,3.,4.]])))\n",
                   not_loaded("the ranges \"0..1,0..1,\" do not read as \"xmin .. xmax,ymin .. "
                              "ymax\""));
}

TEST_F(ReadMapleTest, RefusesIndexRangesThatDoNotScan) {
    expect_refused("plot3d(0 .. 1,0 .. 1,Matrix(1 .. 2,1 .. 2,[[1.]]))\n",
                   "min max = 0.000000 1.000000 0.000000 1.000000\n" +
                       not_loaded("the index ranges \"(1 .. 2,1 .. 2,[[1.]]))\\x0a\" do not read "
                                  "as \"x1..x2,y1..y2\""));
}

TEST_F(ReadMapleTest, RefusesAHeaderWithoutOpeningBrackets) {
    expect_refused("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..1,1..2,[1.,2.])))\n",
                   not_loaded("the first line holds no \"[[\" to open the values"));
}

TEST_F(ReadMapleTest, RefusesANegativeCount) {
    expect_refused("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..3,5..1,[[1.]])))\n",
                   not_loaded("the index ranges give a negative count (3 x -3)"));
}

TEST_F(ReadMapleTest, RefusesACountTheFileCannotHold) {
    expect_refused("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..1000,1..1000,[[1.]])))\n",
                   not_loaded("the index ranges promise 1000 x 1000 values, more than a file of "
                              "58 bytes can hold"));
}

TEST_F(ReadMapleTest, RefusesAFileThatEndsBeforeTheClosingBrackets) {
    expect_refused("PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],\n[3.,4.,5.],\n",
                   not_loaded("the file ends before the closing \"]]\" (6 values read)"));
}

TEST_F(ReadMapleTest, RefusesAValueCountThatDiffersFromTheGrid) {
    expect_refused("PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,5.],[6.,7.]])))\n",
                   not_loaded("the index ranges give 3 x 3 = 9 values, the file holds 8"));
    expect_refused(
        "PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,5.],[6.,7.,8.,9.]])))\n",
        not_loaded("the index ranges give 3 x 3 = 9 values, the file holds 10"));
}

TEST_F(ReadMapleTest, RefusesAValueThatIsNotFinite) {
    expect_refused("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..1,[[1.,1e999]])))\n",
                   not_loaded("value 2, \"1e999\", is not a finite number"));
}

}  // namespace
