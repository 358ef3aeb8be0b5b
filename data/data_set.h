#pragma once
// The one data set the viewer shows: a grid of `width` sets of `points_per_set`
// points, one colour value per point, the bounding box and the normalisation that
// maps it into the drawing box, and the colour-map texture the renderer uses.
//
// The readers live in data/read_*.cpp, the drawing in render/.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/choices.h"
#include "core/fixed_vector.h"

// Which part of the model's picture a draw emits: pieces [first, end) (end < 0:
// to the last, render/draw_cache.h) of the full picture or of the reduced one.
struct ModelPart {
    int first = 0;
    int end = -1;
    bool reduced = false;
};

class DataSet {
  public:
    // Which reader filled the set: a DataFormat (core/choices.h, data/formats.h).
    static constexpr int kData = kDataFormat, kMaple = kMapleFormat, kColorData = kColorDataFormat,
                         kColumns = kColumnsFormat;
    // Plain data is drawn in one colour-map entry per eye; coloured data in the
    // entries its values pick. A kind that is no format is neither.
    bool plain() const;

    int width = 0;                          // number of sets (lines of points)
    int points_per_set = 0;                 // points in each set
    std::unique_ptr<Vector3[]> points;      // width * points_per_set, set index fastest
    std::unique_ptr<float[]> color_values;  // one per point; only coloured data fills it
    std::string filename;                   // name of the file last opened (own copy); empty before
    int kind = 0;                           // the DataFormat of the reader that filled it
    // Whether color_values holds a value for every point: the colour values of a
    // "Data with Color" file, a fourth column of a table.
    bool has_values = false;
    // Names of the x, y and z axes, for the bounds box and the legend: a table's
    // header names them, every other file leaves "x", "y", "z".
    std::string axis_names[3] = {"x", "y", "z"};
    double scaleFactor = 0;        // uniform scale: the smallest per-axis scale
    double base_level = 0;         // height (y) of the needle feet and grid in "Special "
    Vector3 translation{0, 0, 0};  // centre of the bounding box
    Vector3 axis_scale{0, 0, 0};   // per-axis scales 1 / extent
    Vector3 min{0, 0, 0};          // smallest coordinate on each axis
    Vector3 max{0, 0, 0};          // largest coordinate on each axis
    unsigned char color_map[16 * 1 * 4] = {};  // 16 x 1 RGBA texels
    int color_map_width = 16;
    int color_map_height = 1;
    int color_map_row = 0;  // colour-map row used by tube texture coordinates
    // Changes with every new grid (allocate_grid, take_grid_from), never repeating
    // within a run, so a recorded picture of the model knows when it is stale.
    std::uint64_t revision = 0;

    DataSet() = default;
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;
    ~DataSet();

    // Sizes the grid to w sets of n points, contents unset. A negative dimension
    // throws -1 before anything changes; std::bad_alloc leaves the old grid too.
    void allocate_grid(int w, int n);

    // Grid access, no range checks. Set s, point i is element i * width + s.
    Vector3& point(int s, int i) { return points[static_cast<std::size_t>(i) * width + s]; }
    const Vector3& point(int s, int i) const {
        return points[static_cast<std::size_t>(i) * width + s];
    }
    float& color_value(int s, int i) {
        return color_values[static_cast<std::size_t>(i) * width + s];
    }
    float color_value(int s, int i) const {
        return color_values[static_cast<std::size_t>(i) * width + s];
    }
    Vector3& point_at(std::size_t k) { return points[k]; }
    std::size_t point_count() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(points_per_set);
    }

    // Per-axis scales, uniform scale and centre from min and max. With `verbose`
    // set it prints the bounds block; `translation_format` is the reader's own
    // spelling of the translation line.
    static constexpr const char* kDataTranslationFormat = "Input tx= %lf ty= %lf tz= %lf\n";
    static constexpr const char* kMapleTranslationFormat = "Input tx =%lf ty=%lf tz=%lf\n";
    void normalize_bounds(const char* translation_format = kDataTranslationFormat);

    // Readers (data/read_*.cpp): each prints its messages and either replaces the
    // grid, bounds and kind, or leaves the data set exactly as it was.
    void read_data(const char* name);
    void read_color_data(const char* name);
    void read_maple(const char* name);
    void read_columns(const char* name);  // data/read_columns.cpp: tables, CSV

    // Drawing (render/): the current display mode in colour-map entry texel_index,
    // the part of its picture the frame asks for; returns how many pieces the
    // picture has. Without a part, the whole of it, reduced when an interaction
    // wants it so now (render/reduced_picture.h).
    int draw(int texel_index, const ModelPart& part);
    void draw(int texel_index);
    void draw_segment(Vector3 from, Vector3 to, int texel_index);
    void draw_tube(double length, int texel_index);
    void set_material_and_texture();
    void build_color_map();

    // Moves the grid, bounds, normalisation, kind and filename of `fresh` into this
    // set; the colour-map fields and base_level stay. Readers fill a fresh set and
    // take it over only once the whole file is good.
    void take_grid_from(DataSet& fresh);
};

// The current data set: the readers refill it, the renderer draws it.
extern DataSet data_set;
