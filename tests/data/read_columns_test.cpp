// The Columns reader: delimiters, headers, comments, quotes, sets and their
// padding, refusals with line and column, and the format hints and guess.

#include <cmath>

#include "core/status_line.h"
#include "data/column_table.h"
#include "data/format_hints.h"
#include "data/formats.h"
#include "render/picture_vertices.h"
#include "tests/data/reader_files.h"
#include "tests/support/stdout_capture.h"

namespace {

class ReadColumnsTest : public ReaderFiles {
  protected:
    std::string load(DataSet& set, const std::string& name, const std::string& text) {
        const std::string path = write_file(name, text);
        StdoutCapture capture;
        set.read_columns(path.c_str());
        return capture.finish();
    }
    // The points of set s, as x y z triples.
    static std::vector<double> set_points(const DataSet& set, int s) {
        std::vector<double> out;
        for (int i = 0; i < set.points_per_set; ++i)
            for (int a = 0; a < 3; ++a) out.push_back(set.point(s, i)[a]);
        return out;
    }
};

TEST_F(ReadColumnsTest, CsvWithHeaderCommentsAndValues) {
    DataSet set;
    const std::string out = load(set, "dem.csv",
                                 "# elevation export\r\n"
                                 "\"east (m)\",north,height,slope  # names\r\n"
                                 "0,0,1.5,10,ignored\r\n"
                                 "# a comment between rows\r\n"
                                 "1, 0 ,-2.5e1,20\r\n");
    const std::string path = path_of("dem.csv");
    EXPECT_EQ(out, "\nfilename = " + path + "\nwidth = 1 points per set = 2\n");
    EXPECT_TRUE(set.kind == DataSet::kColumns && set.plain() && set.has_values);
    EXPECT_EQ(set.axis_names[0] + "|" + set.axis_names[1] + "|" + set.axis_names[2],
              "east (m)|north|height");
    expect_point(set.point(0, 1), 1, 0, -25);
    EXPECT_EQ(set.color_value(0, 1), 20.0f);
    expect_point(set.min, 0, 0, -25);
    expect_point(set.max, 1, 0, 1.5);
    EXPECT_EQ(status_line(), "");
}

TEST_F(ReadColumnsTest, EveryDelimiterAndBlockSizeReadsTheSame) {
    const std::string tables[] = {
        "1,2,3\n4,5,6\n7,8,9",
        "x\ty\tz\n1\t2\t3\n4\t5\t6\n7\t8\t9\n",
        "1;2;3\r4;5;6\r7;8;9\r",
        "  1   2\t 3\n4 5 6   # c\n7 8 9 10\n",
        "\"1\",\"2\",\" 3 \"\n\"4\",5,\"6\"\n7,8,\"9\"\n",
    };
    DataSet reference;
    load(reference, "reference.csv", "1 2 3\n4 5 6\n7 8 9\n");
    ASSERT_EQ(reference.points_per_set, 3);
    for (const std::string& text : tables) {
        for (std::size_t block : {BlockReader::kDefaultBlockSize, std::size_t{20}}) {
            BlockReader::block_size = block;
            DataSet set;
            load(set, "table.txt", text);
            EXPECT_EQ(set.width, 1) << text;
            EXPECT_EQ(set_points(set, 0), set_points(reference, 0)) << text << " block " << block;
        }
    }
    // Rows cut anywhere by the end of a block read as a whole.
    const std::string signs =
        "# t\r\nx;y;z;v\r\n-1.5e-3;+2;.5;7\r\n\r\n10;-20.25;3E2;-1\r\n\"4\";5;6;1e1";
    DataSet whole;
    load(whole, "signs.csv", signs);
    for (std::size_t block = 20; block < 48; ++block) {
        BlockReader::block_size = block;
        DataSet set;
        load(set, "signs.csv", signs);
        for (int s = 0; s < 2; ++s) EXPECT_EQ(set_points(set, s), set_points(whole, s)) << block;
        EXPECT_EQ(set.color_value(1, 1), 10.0f) << block;
    }
}

TEST_F(ReadColumnsTest, BlankLinesSeparateSetsAndShortSetsRepeatTheirLastPoint) {
    DataSet set;
    const std::string out =
        load(set, "scans.dat", "\n0 0 0 1\n1 0 0 2\n2 0 1 3\n\n\n0 1 0 4\n1 1 5 5\n  \n0 2 0 6\n");
    const std::string path = path_of("scans.dat");
    const std::string status =
        path + ": sets of 1 to 3 points; shorter sets repeat their last point";
    EXPECT_EQ(out, "\nfilename = " + path + "\nwidth = 3 points per set = 3\n" + status + "\n");
    EXPECT_EQ(status_line(), status);
    EXPECT_EQ(set_points(set, 0), (std::vector<double>{0, 0, 0, 1, 0, 0, 2, 0, 1}));
    EXPECT_EQ(set_points(set, 1), (std::vector<double>{0, 1, 0, 1, 1, 5, 1, 1, 5}));
    EXPECT_EQ(set_points(set, 2), (std::vector<double>{0, 2, 0, 0, 2, 0, 0, 2, 0}));
    EXPECT_EQ(set.color_value(1, 2), 5.0f);
    EXPECT_EQ(set.color_value(2, 2), 6.0f);

    // A table with a header alone holds no points.
    load(set, "empty.csv", "# nothing yet\nx,y,z\n");
    EXPECT_EQ(set.point_count(), 0u);
    EXPECT_EQ(status_line(), path_of("empty.csv") + " holds no points");
}

TEST_F(ReadColumnsTest, RefusesABadCellNamingLineAndColumn) {
    const std::pair<std::string, std::string> cases[] = {
        {"x,y,z\n1,2,3\n4,five,6\n", "line 3, column 2: expected a number, found \"five\""},
        {"1 2 3\n4 5 inf\n", "line 2, column 3: expected a finite number, found \"inf\""},
        {"1,2,-inf\n", "line 1, column 3: expected a finite number, found \"-inf\""},
        {"1,2,3\n1e39,2,3\n",
         "line 2, column 1: expected a single-precision number, found \"1e39\""},
        {"1,2,3,4\n1,2,3,4e40\n",
         "line 2, column 4: expected a single-precision number, found \"4e40\""},
        {"1,2,3,4\n1,2,3\n", "line 2, column 4: expected a number, found the end of the line"},
        {"1,\"2,3\n", "line 1, column 2: a quote is not closed on its line"},
        {"1,2,\"1e39\"\n", "line 1, column 3: expected a single-precision number, found \"1e39\""},
        {"1 2 \"1e391\"\n", "line 1, column 3: expected a finite number, found \"1e391\""},
        {"1,2,3\n1,2 3,4\n", "line 2, column 2: expected a number, found \"2 3\""},
        {"1 2\n", "line 1: expected at least 3 columns (x, y, z), found 2"},
    };
    DataSet set;
    load(set, "picture.csv", "0,0,0\n1,1,1\n");
    const DataSetState before(set);
    for (const auto& [text, problem] : cases) {
        const std::string out = load(set, "bad.csv", text);
        const std::string path = path_of("bad.csv");
        EXPECT_EQ(out,
                  "\nfilename = " + path + "\nFile " + path + " not loaded: " + problem + "\n");
        EXPECT_EQ(status_line(), path + " not loaded: " + problem);
        before.expect_same_as(set);
    }
}

TEST_F(ReadColumnsTest, HintsAndGuessesTellTablesFromTheOtherFormats) {
    const std::string csv = write_file("table.csv", "x,y,z\n1,2,3\n");
    EXPECT_EQ(data_refusal_hint(csv.c_str()), "; is it \"Columns\"?");
    // A header with a comment is no table; three numbers without counts are.
    EXPECT_EQ(data_refusal_hint(write_file("a.dat", "2 3 sets, points\n1 x\n").c_str()), "");
    EXPECT_EQ(data_refusal_hint(write_file("b.dat", "1.5 2 3\n").c_str()), "; is it \"Columns\"?");
    EXPECT_EQ(columns_refusal_hint(write_file("c.dat", "1 1\n1 2 3 4\n").c_str()),
              "; is it \"Data with Color\"?");

    EXPECT_EQ(guess_data_format(csv.c_str()), kColumnsFormat);
    EXPECT_EQ(guess_data_format(write_file("d.dat", "1 2 comment\n1 2 3\n4 5 6\n").c_str()),
              kDataFormat);
    EXPECT_EQ(guess_data_format(write_file("e.dat", "1 1\n1 2 3 4\n").c_str()), kColorDataFormat);
    EXPECT_EQ(guess_data_format(write_file("f.mpl", "PLOT3D(GRID(0 .. 1").c_str()), kMapleFormat);
    EXPECT_EQ(guess_data_format(write_file("g.dat", "0 0 0\n1 2 3\n").c_str()), kColumnsFormat);
}

TEST_F(ReadColumnsTest, ATableThatShrinksBetweenThePassesIsRefused) {
    // Counted with three rows, read with two: the lost row is not made up.
    const std::string path = write_file("t.csv", "x,y,z\n1,2,3\n4,5,6\n7,8,9\n");
    BlockReader first;
    ASSERT_EQ(first.open(path.c_str()), BlockReader::Opened::file);
    ColumnTable count(first, path.c_str(), nullptr);
    ASSERT_TRUE(count.read_all());
    DataSet fresh;
    fresh.allocate_grid(1, 3);
    write_file("t.csv", "x,y,z\n1,2,3\n4,5,6\n");
    BlockReader second;
    ASSERT_EQ(second.open(path.c_str()), BlockReader::Opened::file);
    ColumnTable read(second, path.c_str(), &fresh, &count.lengths_);
    StdoutCapture capture;
    EXPECT_FALSE(read.read_all());
    EXPECT_EQ(capture.finish(),
              "File " + path + " not loaded: the file changed while it was read\n");
}

TEST_F(ReadColumnsTest, MissingValuesAreGapsOfEveryModeAndOutOfTheBounds) {
    // A 5 x 5 grid of sets; the centre point missing its z, a corner its x (with
    // a y far beyond the others, which the bounds must not see).
    for (const char* word : {"", "NaN", "nan", "NA", "N/A", "?", "-"}) {
        std::string text = "x,y,z\n";
        for (int s = 0; s < 5; ++s) {
            for (int i = 0; i < 5; ++i) {
                const std::string z = s == 2 && i == 2 ? word : std::to_string(s * i);
                text += (s == 4 && i == 4 ? std::string(word) : std::to_string(s)) + "," +
                        (s == 4 && i == 4 ? "99" : std::to_string(i)) + "," + z + "\n";
            }
            text += "\n";
        }
        DataSet set;
        const std::string out = load(set, "gaps.csv", text);
        ASSERT_EQ(set.point_count(), 25u) << word << out;
        EXPECT_TRUE(std::isnan(set.point(2, 2).x()) && std::isnan(set.point(4, 4).y())) << word;
        expect_point(set.max, 4, 4, 12);
        EXPECT_EQ(status_line(), path_of("gaps.csv") +
                                     ": 2 missing values left as gaps (first: line 16, column 3)")
            << word;
        const DrawStyle style;
        const PointTexels plain = PointTexels::plain(0);
        EXPECT_EQ(point_vertices(set, plain, style).vertex_count(), 23u) << word;
        // Joined: sets 2 and 4 lose the segments that touch their missing points.
        EXPECT_EQ(tube_mesh(set, plain, kJoined, 0, style).vertex_count(),
                  17u * 2 * style.segments);
        // Filled: the four quads round the centre and the corner's one are gone.
        EXPECT_EQ(surface_vertices(set, plain, style).indices.size(), (16u - 5) * 4) << word;
    }
    DataSet set;
    load(set, "word.csv", "x,y,z\n1,2,3\n1,two,3\n");
    EXPECT_EQ(status_line(), path_of("word.csv") +
                                 " not loaded: line 3, column 2: expected a number, found \"two\"");
}

TEST_F(ReadColumnsTest, ColumnsChosenByNumberOrNameAndAnIndexPassedOver) {
    const std::string table = "id,east,north,elev,temp\n7,1,2,30,-4\n8,2,3,40,-5\n";
    DataSet set;
    const auto read = [&](const char* choice, const std::string& text) {
        columns = choice;
        load(set, "t.csv", text);
        columns.clear();
        return status_line();
    };
    read("2:3:4", table);
    expect_point(set.point(0, 1), 2, 3, 40);
    EXPECT_FALSE(set.has_values);
    read("east:north:temp:elev", table);
    expect_point(set.point(0, 0), 1, 2, -4);
    EXPECT_EQ(set.color_value(0, 1), 40.0f);
    EXPECT_EQ(set.axis_names[2], "temp");
    EXPECT_EQ(read("1:2:9", table),
              path_of("t.csv") + " not loaded: there is no column 9: the table has 5");
    EXPECT_EQ(read("east:north:height", table),
              path_of("t.csv") + " not loaded: there is no column \"height\"");
    // pandas' to_csv: an unnamed first column counting the rows.
    const std::string pandas = ",east,north,elev\n0,1,2,30\n1,2,3,40\n";
    EXPECT_EQ(read("", pandas), path_of("t.csv") +
                                    ": column 1 (\"\") numbers the rows; x, y and z are the next "
                                    "columns");
    expect_point(set.point(0, 1), 2, 3, 40);
    read("", "Unnamed: 0,a,b,c\n5,1,2,3\n9,2,3,4\n");  // no count of the rows: read as it is
    expect_point(set.point(0, 1), 9, 2, 3);
}

TEST_F(ReadColumnsTest, EveryReaderSkipsAByteOrderMark) {
    for (const FileFormat& f : kFileFormats) {
        DataSet set;
        const std::string path = write_file("bom", std::string("\xef\xbb\xbf") + f.sample);
        StdoutCapture quiet;
        f.read(set, path.c_str());
        quiet.finish();
        EXPECT_EQ(set.filename, path) << f.fuzz_name << ": " << status_line();
        EXPECT_EQ(guess_data_format(path.c_str()), f.format) << f.fuzz_name;
        // A file of the mark alone is an empty file (it once read past the buffer).
        DataSet empty;
        const std::string only = write_file("bom_only", "\xef\xbb\xbf");
        BlockReader::block_size = 8;
        StdoutCapture refused;
        f.read(empty, only.c_str());
        BlockReader::block_size = BlockReader::kDefaultBlockSize;
        EXPECT_NE(refused.finish(), "") << f.fuzz_name;
    }
}

}  // namespace
