// What a reader tells the user beyond loading: the first problem in the file, the
// hints at another format, the status line, and values GL could not draw.
#include "data/format_hints.h"

#include <chrono>

#include "core/status_line.h"
#include "tests/data/reader_files.h"
#include "tests/support/stdout_capture.h"

namespace {

class FileReportTest : public ReaderFiles {
  protected:
    // Loads `text` from `name` with the reader of `format` (0 Data, 1 Maple, 2 Data
    // with Color) and returns what was printed after the header line (or the file
    // name line, for Maple).
    // Format -1 reads the file as it stands as "Data ", without writing it.
    std::string load(const std::string& name, const std::string& text, int format = 0) {
        const std::string path = format < 0 ? path_of(name) : write_file(name, text);
        StdoutCapture capture;
        if (format <= 0) set.read_data(path.c_str());
        if (format == 1) set.read_maple(path.c_str());
        if (format == 2) set.read_color_data(path.c_str());
        const std::string out = capture.finish();
        const std::size_t width = out.find("width = ");
        const std::size_t after =
            width != std::string::npos ? out.find('\n', width) : out.find('\n', 1);
        return out.substr(after + 1);
    }
    std::string refused(const std::string& name, const std::string& problem) {
        return "File " + path_of(name) + " not loaded: " + problem + "\n";
    }
    DataSet set;
};

const char* const kData = "1 2\n0 0 0\n1 2 3\n";
const char* const kMaple = "PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[0.,1.],[2.,3.]])))\n";

TEST_F(FileReportTest, TheFirstProblemInTheFileIsNamed) {
    const std::string out = load("bad.dat", "3 3\n1 2 3\nfoo\n");
    EXPECT_EQ(out, refused("bad.dat",
                           "line 3: expected a number for the x coordinate of point 2 "
                           "of set 1, found \"foo\""));
    EXPECT_EQ("File " + status_line() + "\n", out);
    // Too large to allocate and nothing wrong before the end: the header is named.
    EXPECT_EQ(load("huge.dat", "2000000000 2000000000\n1 2 3\n"),
              refused("huge.dat",
                      "line 1: the header promises 2000000000 sets of 2000000000 "
                      "points, more than a file of 28 bytes can hold"));
}

TEST_F(FileReportTest, HintsAtTheFormatTheFileSeemsToHave) {
    // A fourth number for every point: coloured data.
    const std::string out = load("colour.dat", "1 2\n0 0 0 3\n1 2 4 7\n");
    EXPECT_EQ(out, path_of("colour.dat") +
                       ": 2 more numbers after the last point; is it \"Data with Color\"?\n");
    EXPECT_EQ(status_line() + "\n", out);
    EXPECT_EQ(load("more.dat", "1 1\n0 0 0 3 4\n"),
              path_of("more.dat") + ": 2 more numbers after the last point (not read)\n");
    EXPECT_EQ(load("plain.dat", kData), "");
    EXPECT_EQ(status_line(), "");
    EXPECT_EQ(load("plain.dat", kData, 2),
              refused("plain.dat",
                      "line 3: expected the z coordinate of point 2 of set 1, "
                      "found the end of the file; is it \"Data\"?"));
    EXPECT_EQ(load("plain.dat", kData, 1),
              "Problem with maple file\n" +
                  refused("plain.dat",
                          "the first line holds neither \"GRID(\" nor \"Matrix\"; "
                          "is it \"Data\"?"));
    EXPECT_EQ(load("grid.mpl", kMaple),
              refused("grid.mpl",
                      "line 1: expected two integers (number of sets, points per "
                      "set), found \"PLOT3D(GRID(0\"; is it \"Maple\"?"));
    EXPECT_EQ(load("grid.mpl", kMaple, 1), "");
    EXPECT_EQ(status_line(), "");
}

TEST_F(FileReportTest, ValuesBeyondSinglePrecisionAreRefusedAndThinAxesAreFlat) {
    EXPECT_EQ(load("far.dat", "1 2\n0 0 0\n1e39 0 0\n"),
              refused("far.dat",
                      "line 3: expected a single-precision number for the x "
                      "coordinate of point 2 of set 1, found \"1e39\""));
    EXPECT_EQ(load("far.dat", "1 2\n1e39 0 0\nfoo\n"),  // named before the later word
              refused("far.dat",
                      "line 2: expected a single-precision number for the x "
                      "coordinate of point 1 of set 1, found \"1e39\""));
    EXPECT_EQ(
        load("far.mpl", "PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[0.,1.],[-1e39,3.]])))\n", 1),
        refused("far.mpl", "value 3, -1e+39, is beyond the single-precision range"));
    EXPECT_EQ(load("thin.dat", "1 2\n0 0 0\n1e-320 1 2\n"), "");
    EXPECT_EQ(set.axis_scale.x(), 1.0);
    EXPECT_EQ(set.scaleFactor, 0.5);
}

TEST_F(FileReportTest, EveryReaderReturnsForEveryEndOfFile) {
    struct Shape {
        int format;
        const char* text;     // without its final line end
        const char* outcome;  // what is printed after the header, or "loads"
    };
    const Shape shapes[] = {
        {0, "1 2\n0 0 0\n1 2 3", "loads"},
        {0, "1 2\n0 0 0\n1 2 3 4", "loads"},
        {0, "1 1\n1 2",
         "line 2: expected the z coordinate of point 1 of set 1, found the end "
         "of the file"},
        {2, "1 2\n0 0 0 1\n1 2 3 4", "loads"},
        {2, "1 1\n1 2 3 4 5", "loads"},
        {2, "1 1\n1 2 3",
         "line 2: expected the colour value of point 1 of set 1, found the "
         "end of the file; is it \"Data\"?"},
        {1, "PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[0.,1.],[2.,3.]])))", "loads"},
        {1, "PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[0.,1.],[2.,3.,4.]])))",
         "the index ranges give 2 x 2 = 4 values, the file holds 5"},
        {1, "PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[0.,1.],[2.]])))",
         "the index ranges give 2 x 2 = 4 values, the file holds 3"},
    };
    for (const std::size_t block : {BlockReader::kDefaultBlockSize, std::size_t{5}}) {
        BlockReader::block_size = block;
        for (const Shape& shape : shapes) {
            for (const char* end : {"\n", ""}) {
                const std::string text = std::string(shape.text) + end;
                SCOPED_TRACE(text + " block " + std::to_string(block));
                const std::string out = load("shape", text, shape.format);
                if (std::string(shape.outcome) == "loads") {
                    EXPECT_EQ(set.filename, path_of("shape"));
                    EXPECT_EQ(out.find("not loaded"), std::string::npos) << out;
                } else {
                    EXPECT_NE(out.find(refused("shape", shape.outcome)), std::string::npos) << out;
                }
                set.filename.clear();
            }
        }
    }
}

TEST_F(FileReportTest, ALoneCarriageReturnEndsALineAndEmptyGridsAreNamed) {
    const char* const files[3] = {"2 2 sets\n0 0 0\n1 0 1\n0 1 2\n1 1 3\n",
                                  ("PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[0.,1.],\\\n"
                                   "[2.,3.]])))\n"),
                                  "1 2\n0 0 0 5\n1 2 3 6\n"};
    for (int format = 0; format < 3; ++format) {
        std::string mac = files[format];
        for (char& c : mac) c = c == '\n' ? '\r' : c;
        load("lf", files[format], format);
        const std::vector<double> lf = DataSetState(set).coordinates;
        EXPECT_EQ(load("cr", mac, format), "") << format;
        EXPECT_EQ(set.filename, path_of("cr"));
        EXPECT_EQ(DataSetState(set).coordinates, lf) << format;
    }
    // Line numbers count lone CRs, and CR LF once.
    EXPECT_EQ(load("bad.dat", "3 3\r1 2 3\rfoo\r"),
              refused("bad.dat",
                      "line 3: expected a number for the x coordinate of point 2 of "
                      "set 1, found \"foo\""));
    EXPECT_EQ(load("bad.dat", "3 3\r\n1 2 3\r\n\r\nfoo\r\n"),
              refused("bad.dat",
                      "line 4: expected a number for the x coordinate of point 2 of "
                      "set 1, found \"foo\""));
    // A zero count loads an empty set, and the status line says so.
    for (const char* header : {"0 0\n", "0 5\n", "5 0\n"}) {
        EXPECT_EQ(load("empty.dat", header), "");
        EXPECT_EQ(status_line(), path_of("empty.dat") + " holds no points");
    }
}

TEST_F(FileReportTest, AGuessReadsOnlyTheStartAndAFileThatWontOpenSaysWhy) {
    // A gigabyte (sparse) whose second line is wrong: guessed from its header as
    // "Data ", whose reader names the line, at once.
    const std::string big = write_file("big.dat", "2 3\n1 2 x\n");
    std::filesystem::resize_file(big, 1ull << 30);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(guess_data_format(big.c_str()), kDataFormat);
    EXPECT_EQ(load("big.dat", "", -1),
              refused("big.dat",
                      "line 2: expected a number for the z coordinate of point 1 of set "
                      "1, found \"x\""));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    EXPECT_EQ(guess_data_format(write_file("c.dat", "1 2\n0 0 0 1\n1 1 1 2 x\n").c_str()),
              kDataFormat);
    EXPECT_EQ(guess_data_format(write_file("d.dat", "9 9\n0 0 0 1\n1 1 1 2\n").c_str()),
              kColorDataFormat);

    const std::string loop = path_of("loop");
    std::filesystem::create_symlink(loop, loop);
    EXPECT_EQ(load("loop", "", -1),
              "File " + loop + " not loaded: too many levels of symbolic links\n");
}

}  // namespace
