#pragma once
// Every choice a setting makes: one enum each, and one table of its values (in
// the panel's order, but for the formats), each value with the label of its panel button or list
// item (trailing blanks included) and the word the command line takes for it. The panel's radio
// groups and lists, the command line, --help and the README's option table are made from these
// tables. What a value does lives with the layer that does it, in a table keyed by the same enum
// (render/mode_drawing.h, data/formats.h); a stereo form's eye passes are data, here. No GL here.

#include <cstddef>
#include <iterator>
#include <string>

// The name of one value of a choice.
struct Named {
    int value;
    const char* label;  // on the panel; null: not there
    const char* word;   // on the command line; null: not there
};

// Any table whose entries begin with a Named, seen as names alone.
class NamedList {
  public:
    NamedList() = default;  // no values
    template <typename Entry, std::size_t N>
    NamedList(const Entry (&table)[N])
        : first_(reinterpret_cast<const char*>(table)), stride_(sizeof(Entry)), count_(N) {
        static_assert(offsetof(Entry, name) == 0, "a choice's entry begins with its Named");
    }
    std::size_t size() const { return count_; }
    const Named& operator[](std::size_t i) const {
        return *reinterpret_cast<const Named*>(first_ + i * stride_);
    }
    // The value's name, or null for a value outside the choice.
    const Named* find(int value) const;
    const Named* find_word(const std::string& word) const;
    // The words joined by `between` ("mono|anaglyph|...").
    std::string words(const char* between) const;

  private:
    const char* first_ = nullptr;
    std::size_t stride_ = 0, count_ = 0;
};

// The entry of `value` in `table`, or null.
template <typename Entry, std::size_t N>
const Entry* find_choice(const Entry (&table)[N], int value) {
    for (const Entry& e : table)
        if (e.name.value == value) return &e;
    return nullptr;
}

// --- Stereo forms: "Mono/Stereo" ----------------------------------------------------
enum StereoMode : int {
    kMonoView,
    kAnaglyph,
    kStereoView,
    kRedBlueGlasses,
    kRedCyanGlasses,
    kSideBySide,
    kCrossEyed,
    kGreenMagentaGlasses,
    kAmberBlueGlasses,
    kRowInterlaced,
    kColumnInterlaced,
    kCheckerboard,
    kTopAndBottom,
    kSideBySideSqueezed,
    kTopAndBottomSqueezed
};
constexpr int kStereoModeCount = kTopAndBottomSqueezed + 1;

// One eye pass of a stereo form, as data: the eye it sees with ("Swap eyes"
// exchanges left and right), the buffer it selects first, what it clears, the
// colour channels it writes, the part of the window it draws into, the
// colour-map entry of plain data and whether coloured data is softened toward
// grey (through glasses).
enum class Eye { centre, left, right };
// The window's back buffers, or one of two offscreen pictures of the window's
// size that the form composes into the back buffer when both are drawn.
enum class PassBuffer { keep, back, back_left, back_right, first_picture, second_picture };
enum class PassPlace { whole, left_half, right_half, top_half, bottom_half };
// left_eye_texel, right_eye_texel, cyan_eye_texel; then fixed entries of the
// colour map: green 1, magenta 4, yellow 5.
enum class PassTexel { left, right, cyan, green, magenta, yellow };
enum PassClear : unsigned { kClearNothing = 0, kClearColour = 1, kClearDepth = 2, kClearAll = 3 };
enum Channels : unsigned { kRed = 1, kGreen = 2, kBlue = 4, kAlpha = 8, kAllChannels = 15 };
struct EyePassEntry {
    Eye eye;
    PassBuffer buffer = PassBuffer::back;
    unsigned clear = kClearAll;
    unsigned channels = kAllChannels;
    PassPlace place = PassPlace::whole;
    PassTexel texel = PassTexel::left;
    bool softened = false;
};
// How a picture of the form is saved: the back buffer as drawn, or the left and
// right back buffers of a quad-buffered window side by side.
enum class Saving { back_buffer, left_and_right };
// How the two offscreen pictures become the window's: the first on the rows,
// columns or squares of even number counted from the window's top-left pixel
// and the second on the others; each squeezed to half the width (first left)
// or half the height (first on top); or both through the least-squares
// matrices of a pair of glasses.
enum class Composition {
    none,
    rows,
    columns,
    checkerboard,
    side_by_side,
    top_and_bottom,
    least_squares
};
// The least-squares projection of a stereo pair onto what one pair of glasses
// passes (E. Dubois, 2001 and 2009): out = left * L + right * R, in linear light,
// each matrix by rows (red, green, blue out).
struct AnaglyphMatrices {
    float left[9];
    float right[9];
};
inline constexpr AnaglyphMatrices kRedCyanLeastSquares = {
    {0.437f, 0.449f, 0.164f, -0.062f, -0.062f, -0.024f, -0.048f, -0.050f, -0.017f},
    {-0.011f, -0.032f, -0.007f, 0.377f, 0.761f, 0.009f, -0.026f, -0.093f, 1.234f}};
inline constexpr AnaglyphMatrices kGreenMagentaLeastSquares = {
    {-0.062f, -0.158f, -0.039f, 0.284f, 0.668f, 0.143f, -0.015f, -0.027f, 0.021f},
    {0.529f, 0.705f, 0.024f, -0.016f, -0.015f, -0.065f, 0.009f, 0.075f, 0.937f}};
inline constexpr AnaglyphMatrices kAmberBlueLeastSquares = {
    {1.062f, -0.205f, 0.299f, -0.026f, 0.908f, 0.068f, -0.038f, -0.173f, 0.022f},
    {-0.016f, -0.123f, -0.017f, 0.006f, 0.062f, -0.017f, 0.094f, 0.185f, 0.911f}};
struct StereoForm {
    Named name;
    int pass_count;
    EyePassEntry passes[2];
    bool stereo_window = false;  // needs a quad-buffered window
    Saving saved = Saving::back_buffer;
    Composition composed = Composition::none;
    // Glasses: their matrices, which "Least-squares colours" composes with instead
    // of the passes' filters.
    const AnaglyphMatrices* least_squares = nullptr;
};
// The passes of a composed form: each eye at the window's size into its picture.
inline constexpr EyePassEntry kFirstPicture{Eye::left, PassBuffer::first_picture};
inline constexpr EyePassEntry kSecondPicture{Eye::right, PassBuffer::second_picture};
// clang-format off
inline constexpr StereoForm kStereoForms[] = {
    // One centre pass.
    {{kMonoView, "MonoView ", "mono"}, 1, {{Eye::centre}}},
    // Both eyes in one buffer, told apart by their colour-map entries; the second
    // drawn over the first, against its depths.
    {{kAnaglyph, "Anaglyph", "anaglyph"}, 2,
     {{Eye::left}, {Eye::right, PassBuffer::keep, kClearNothing, kAllChannels, PassPlace::whole, PassTexel::right}}},
    // Quad-buffered left and right back buffers.
    {{kStereoView, "StereoView", "quad"}, 2,
     {{Eye::left, PassBuffer::back_left}, {Eye::right, PassBuffer::back_right, kClearAll, kAllChannels, PassPlace::whole, PassTexel::right}},
     true, Saving::left_and_right},
    // Each eye in the colour channels of its filter, softened toward grey.
    {{kRedBlueGlasses, "Red/Blue glasses", "red-blue"}, 2,
     {{Eye::left, PassBuffer::back, kClearAll, kRed | kAlpha, PassPlace::whole, PassTexel::left, true},
      {Eye::right, PassBuffer::keep, kClearDepth, kBlue | kAlpha, PassPlace::whole, PassTexel::right, true}}},
    {.name = {kRedCyanGlasses, "Red/Cyan glasses", "red-cyan"}, .pass_count = 2,
     .passes = {{Eye::left, PassBuffer::back, kClearAll, kRed | kAlpha, PassPlace::whole, PassTexel::left, true},
                {Eye::right, PassBuffer::keep, kClearDepth, kGreen | kBlue | kAlpha, PassPlace::whole, PassTexel::cyan, true}},
     .least_squares = &kRedCyanLeastSquares},
    // Each eye in one half of the window; crossed for cross-eyed viewing.
    {{kSideBySide, "Side by side", "side-by-side"}, 2,
     {{Eye::left, PassBuffer::back, kClearAll, kAllChannels, PassPlace::left_half},
      {Eye::right, PassBuffer::keep, kClearNothing, kAllChannels, PassPlace::right_half}}},
    {{kCrossEyed, "Cross-eyed", "cross-eyed"}, 2,
     {{Eye::right, PassBuffer::back, kClearAll, kAllChannels, PassPlace::left_half},
      {Eye::left, PassBuffer::keep, kClearNothing, kAllChannels, PassPlace::right_half}}},
    {.name = {kGreenMagentaGlasses, "Green/Magenta glasses", "green-magenta"}, .pass_count = 2,
     .passes = {{Eye::left, PassBuffer::back, kClearAll, kGreen | kAlpha, PassPlace::whole, PassTexel::green, true},
                {Eye::right, PassBuffer::keep, kClearDepth, kRed | kBlue | kAlpha, PassPlace::whole, PassTexel::magenta, true}},
     .least_squares = &kGreenMagentaLeastSquares},
    {.name = {kAmberBlueGlasses, "Amber/Blue glasses", "amber-blue"}, .pass_count = 2,
     .passes = {{Eye::left, PassBuffer::back, kClearAll, kRed | kGreen | kAlpha, PassPlace::whole, PassTexel::yellow, true},
                {Eye::right, PassBuffer::keep, kClearDepth, kBlue | kAlpha, PassPlace::whole, PassTexel::right, true}},
     .least_squares = &kAmberBlueLeastSquares},
    // Passive polarised screens (rows), lenticular and barrier screens (columns),
    // DLP projectors and televisions (squares): both eyes composed.
    {.name = {kRowInterlaced, "Row interlaced", "row-interlaced"}, .pass_count = 2,
     .passes = {kFirstPicture, kSecondPicture}, .composed = Composition::rows},
    {.name = {kColumnInterlaced, "Column interlaced", "column-interlaced"}, .pass_count = 2,
     .passes = {kFirstPicture, kSecondPicture}, .composed = Composition::columns},
    {.name = {kCheckerboard, "Checkerboard", "checkerboard"}, .pass_count = 2,
     .passes = {kFirstPicture, kSecondPicture}, .composed = Composition::checkerboard},
    // The left eye in the upper half, each half of its own shape.
    {.name = {kTopAndBottom, "Top and bottom", "top-bottom"}, .pass_count = 2,
     .passes = {{Eye::left, PassBuffer::back, kClearAll, kAllChannels, PassPlace::top_half},
                {Eye::right, PassBuffer::keep, kClearNothing, kAllChannels, PassPlace::bottom_half}}},
    // Each eye of the whole window's shape squeezed into its half, which a 3-D
    // television or a head-mounted player stretches back.
    {.name = {kSideBySideSqueezed, "Side by side (squeezed)", "side-by-side-squeezed"}, .pass_count = 2,
     .passes = {kFirstPicture, kSecondPicture}, .composed = Composition::side_by_side},
    {.name = {kTopAndBottomSqueezed, "Top and bottom (squeezed)", "top-bottom-squeezed"}, .pass_count = 2,
     .passes = {kFirstPicture, kSecondPicture}, .composed = Composition::top_and_bottom},
};
// clang-format on
inline const StereoForm* stereo_form(int value) {
    return find_choice(kStereoForms, value);
}
// Whether the form draws each eye into a part of the window.
inline bool split_viewport(int mode) {
    const StereoForm* f = stereo_form(mode);
    return f && f->passes[0].place != PassPlace::whole;
}

// --- "Least-squares colours" ---------------------------------------------------------
// Glasses forms through colour filters, softened toward grey; or composed from
// both eyes' full colours with the glasses' least-squares matrices.
enum AnaglyphColours : int { kFilterColours = 0, kLeastSquaresColours = 1 };
constexpr int kAnaglyphColoursCount = kLeastSquaresColours + 1;
struct AnaglyphColoursChoice {
    Named name;
};
inline constexpr AnaglyphColoursChoice kAnaglyphColourChoices[] = {
    {{kFilterColours, nullptr, "filters"}}, {{kLeastSquaresColours, nullptr, "least-squares"}}};

// --- "Axis Scaling" -----------------------------------------------------------------
// Each axis filling the box; one factor for all, keeping the data's proportions;
// or that one factor with the up axis stretched by height_exaggeration.
enum AxisScaling : int { kIndividualAxes = 0, kUniformAxes = 1, kHeightAxes = 2 };
constexpr int kAxisScalingCount = kHeightAxes + 1;
struct AxisScalingChoice {
    Named name;
};
inline constexpr AxisScalingChoice kAxisScalings[] = {
    {{kIndividualAxes, "Individual", "individual"}},
    {{kUniformAxes, "Uniform ", "uniform"}},
    {{kHeightAxes, "Height \u00d7", "height"}}};

// --- "Up axis" ----------------------------------------------------------------------
// The data's axis that points up the screen: y, as the Parts draw it, or z, so
// that z(x, y) surfaces lie flat as maps (+y into the screen).
enum UpAxis : int { kUpY = 0, kUpZ = 1 };
constexpr int kUpAxisCount = kUpZ + 1;
struct UpAxisChoice {
    Named name;
    int axis;  // the coordinate: 1 y, 2 z
};
inline constexpr UpAxisChoice kUpAxes[] = {{{kUpY, "y", "y"}, 1}, {{kUpZ, "z", "z"}, 2}};
// The coordinate that points up for the up_axis setting's value.
inline int up_coordinate(int up_axis) {
    const UpAxisChoice* c = find_choice(kUpAxes, up_axis);
    return c ? c->axis : 1;
}

// --- Display modes: "Data Display" --------------------------------------------------
enum DisplayMode : int { kPoints, kJoined, kNeedled, kSurfaceGrid, kSurfaceFilled, kSpecial };
constexpr int kDisplayModeCount = kSpecial + 1;
// What a mode draws: points, tubes (the line sets, "Special "), or a surface.
enum class Draws { points, tubes, surface };
struct DisplayModeChoice {
    Named name;
    Draws draws;
    bool filled;  // a surface: filled quads, or their outlines
    // Colours its points: draws coloured data, and "Color by" applies ("Special "
    // does neither).
    bool colours_points;
};
inline constexpr DisplayModeChoice kDisplayModes[] = {
    {{kPoints, "Points ", "points"}, Draws::points, false, true},
    {{kJoined, "Line Sets:Joined ", "joined"}, Draws::tubes, false, true},
    {{kNeedled, "Line Sets:Needled ", "needled"}, Draws::tubes, false, true},
    {{kSurfaceGrid, "Surface grid ", "grid"}, Draws::surface, false, true},
    {{kSurfaceFilled, "Surface filled ", "filled"}, Draws::surface, true, true},
    {{kSpecial, "Special ", "special"}, Draws::tubes, false, false},
};
inline const DisplayModeChoice* display_mode_choice(int mode) {
    return find_choice(kDisplayModes, mode);
}
inline bool draws_tubes(int mode) {
    const DisplayModeChoice* m = display_mode_choice(mode);
    return m && m->draws == Draws::tubes;
}
inline bool draws_surface(int mode) {
    const DisplayModeChoice* m = display_mode_choice(mode);
    return m && m->draws == Draws::surface;
}

// --- "Color by" ---------------------------------------------------------------------
// The Part's colours, or a continuous colour map of a coordinate or of each point's value.
enum ColorBy : int { kColorByNone, kColorByX, kColorByY, kColorByZ, kColorByValue };
constexpr int kColorByCount = kColorByValue + 1;
struct ColorByChoice {
    Named name;
    int scale;  // what the colour scale shows: coordinate 0..2, 3 the values; -1 none
};
inline constexpr ColorByChoice kColorByChoices[] = {
    {{kColorByNone, "None", "none"}, -1},
    {{kColorByX, "x", "x"}, 0},
    {{kColorByY, "y", "y"}, 1},
    {{kColorByZ, "z", "z"}, 2},
    {{kColorByValue, "Value", "value"}, 3},
};

// --- View presets: keys 1 to 4 and --view -------------------------------------------
struct ViewPreset {
    Named name;       // its key, as the word
    float angles[3];  // angle_x, angle_y, angle_z, degrees
};
inline constexpr ViewPreset kViewPresets[] = {
    {{1, nullptr, "1"}, {0, 0, 0}},    // along the z axis: the view after a reset
    {{2, nullptr, "2"}, {90, 0, 0}},   // straight down the up axis: a map, parallel in mono
    {{3, nullptr, "3"}, {0, -90, 0}},  // along the x axis from +x
    {{4, nullptr, "4"}, {30, 45, 0}},  // three-quarter view from above
};

// --- "Data Format" (what each format's reader is: data/formats.h) --------------------
enum DataFormat : int { kDataFormat, kMapleFormat, kColorDataFormat, kColumnsFormat };
constexpr int kDataFormatCount = kColumnsFormat + 1;
struct DataFormatChoice {
    Named name;
};
// In the command line's order; the panel's buttons go by value.
inline constexpr DataFormatChoice kDataFormats[] = {
    {{kDataFormat, "Data ", "data"}},
    {{kColorDataFormat, "Data with Color", "color"}},
    {{kMapleFormat, "Maple", "maple"}},
    {{kColumnsFormat, "Columns", "columns"}},
};

// --- "Apply Color To:" --------------------------------------------------------------
enum ApplyColorTo : int {
    kApplyToBackground,
    kApplyToLeft,
    kApplyToRight,
    kApplyToLight1,
    kApplyToLight2,
    kApplyToDataColor
};
constexpr int kApplyColorToCount = kApplyToDataColor + 1;
struct ApplyColorChoice {
    Named name;
};
inline constexpr ApplyColorChoice kApplyColorTargets[] = {
    {{kApplyToBackground, "Background", nullptr}}, {{kApplyToLeft, "Left", nullptr}},
    {{kApplyToRight, "Right", nullptr}},           {{kApplyToLight1, "Light 1", nullptr}},
    {{kApplyToLight2, "Light 2", nullptr}},        {{kApplyToDataColor, "Data Color", nullptr}},
};

// Every value of every choice has its entry (tests/app/tables_test.cpp: once each).
static_assert(std::size(kStereoForms) == kStereoModeCount);
static_assert(std::size(kAnaglyphColourChoices) == kAnaglyphColoursCount);
static_assert(std::size(kAxisScalings) == kAxisScalingCount);
static_assert(std::size(kUpAxes) == kUpAxisCount);
static_assert(std::size(kDisplayModes) == kDisplayModeCount);
static_assert(std::size(kColorByChoices) == kColorByCount);
static_assert(std::size(kDataFormats) == kDataFormatCount);
static_assert(std::size(kApplyColorTargets) == kApplyColorToCount);
