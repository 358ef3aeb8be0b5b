// Reading values off the picture: the labelled bounds box (also in stereo), the
// colour scale of "Color by" with its bar, the swatches of coloured data, the data
// colours and transparency, and the view from above.
#include <GL/glu.h>

#include <array>
#include <cmath>

#include "app/bounds_box.h"
#include "app/legend.h"
#include "app/stereo_passes.h"
#include "render/box_transform.h"
#include "render/color_scale.h"
#include "tests/app/frame_fixture.h"
#include "ui/control_callback.h"
#include "ui/control_ids.h"

namespace {

using ReadingValuesTest = FrameTest;

// A 9 x 9 pyramid over x and z, from y = 0 at the rim to `top` at the centre.
void load_pyramid(double top) {
    load(9, 9, [&](int s, int i) {
        return Vector3(s, top * (4 - std::max(std::abs(s - 4), std::abs(i - 4))) / 4, i);
    });
    display_mode = kSurfaceFilled;
    object_translation[1] = 0;
}

// The mono camera of the frames (parallel in the map view) with the model
// transform: box coordinates.
void mono_camera() {
    begin_eye_pass(frame_camera(), 1);
    gluLookAt(0, 0, focal_length, 0, 0, focal_length - 1, 0, 1, 0);
    apply_model_transform();
}
// Window position of `p` under the current matrices.
Vector3 on_screen(const Vector3& p) {
    double model[16], proj[16], x, y, z;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.x(), p.y(), p.z(), model, proj, viewport, &x, &y, &z);
    return Vector3(x, y, z);
}
// Window rectangle of a bounds-box label: x0, y0, x1, y1.
std::array<int, 4> label_rect(const BoxLabel& label) {
    const Vector3 w = on_screen(label.at);
    const int x = static_cast<int>(w.x() + label.dx), y = static_cast<int>(w.y() + label.dy);
    const auto* text = reinterpret_cast<const unsigned char*>(label.text.c_str());
    return {x, y - 3, x + glutBitmapLength(GLUT_BITMAP_HELVETICA_12, text), y + 10};
}

// Mean column of the pixels of channel `ch` brighter than 60 within the rows and
// columns given whose value differs from `without` there; -1 when none.
double channel_column(const Picture& p, const Picture& without, int ch, int x0, int y0, int x1,
                      int y1) {
    double sum = 0;
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(kHeight - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(kWidth - 1, x1); ++x)
            if (p.at(x, y)[ch] > 60 && p.at(x, y)[ch] != without.at(x, y)[ch]) sum += x, ++n;
    return n ? sum / n : -1;
}

TEST_F(ReadingValuesTest, BoundsBoxShowsItsEdgesAndALabelOnEachAxisOutsideTheData) {
    load_pyramid(3);
    set_view_preset(4);
    draw_frame();
    const Picture data_only = read_back();
    show_bounds = 1;
    draw_frame();
    const Picture boxed = read_back();
    keep_if_failed(boxed, "bounds_box");
    mono_camera();
    const BoundsBox box = layout_bounds_box(data_set);
    ASSERT_GE(box.lines.size(), 12u);
    int edges_seen = 0;  // at their middles, where the data do not hide them
    for (std::size_t e = 0; e < 12; ++e) {
        const Vector3 w = on_screen((box.lines[e].first + box.lines[e].second) / 2.0);
        const int x = static_cast<int>(w.x()), y = static_cast<int>(w.y());
        edges_seen += x > 0 && y > 0 && x < kWidth - 1 && y < kHeight - 1 &&
                      !is_drawn(data_only.at(x, y)) &&
                      count_pixels(boxed, is_dark, x - 1, y - 1, x + 2, y + 2) > 0;
    }
    EXPECT_GE(edges_seen, 6);
    for (int axis = 0; axis < 3; ++axis) {
        bool shown = false;  // a label written where the data left background
        for (const BoxLabel& label : box.labels) {
            const auto r = label_rect(label);
            if (label.axis != axis || r[0] < 0 || r[1] < 0 || r[2] >= kWidth || r[3] >= kHeight)
                continue;
            shown = shown || (count_pixels(data_only, is_drawn, r[0], r[1], r[2], r[3]) == 0 &&
                              count_pixels(boxed, is_dark, r[0], r[1], r[2], r[3]) > 5);
        }
        EXPECT_TRUE(shown) << "axis " << axis;
    }
}

TEST_F(ReadingValuesTest, ABoundsLabelHasTheParallaxOfTheDataAtItsDepth) {
    // Points at two corners of the box: (1, 1, 1) lands on its near top right one.
    load(2, 1, [](int s, int) { return Vector3(s, s, s); });
    display_mode = kPoints;
    thickness = 0.08f;
    object_translation[1] = 0;
    eye_separation = 10;
    background_color = Color4(0, 0, 0, 1);
    stereo_mode = kRedCyanGlasses;
    draw_frame();
    const Picture data_only = read_back();
    show_bounds = 1;
    draw_frame();
    const Picture boxed = read_back();
    keep_if_failed(boxed, "bounds_parallax");
    mono_camera();
    // The number at x's end, on the near face: its rows, red (left eye) against cyan.
    const BoundsBox box = layout_bounds_box(data_set);
    const BoxLabel* label = nullptr;
    for (const BoxLabel& l : box.labels)
        if (l.axis == 0 && l.text == "1.0") label = &l;
    ASSERT_TRUE(label != nullptr && label->at.z() > 4.5);
    const auto r = label_rect(*label);
    const double label_shift =
        channel_column(boxed, data_only, 1, r[0] - 40, r[1], r[2] + 40, r[3]) -
        channel_column(boxed, data_only, 0, r[0] - 40, r[1], r[2] + 40, r[3]);
    // The data point at the near corner, in the picture without the box.
    const Picture black{std::vector<unsigned char>(kWidth * kHeight * 3, 0)};
    const Vector3 p = on_screen(Vector3(5, 5, 5));
    const int px = static_cast<int>(p.x()), py = static_cast<int>(p.y());
    const double data_shift =
        channel_column(data_only, black, 1, px - 60, py - 2, px + 60, py + 2) -
        channel_column(data_only, black, 0, px - 60, py - 2, px + 60, py + 2);
    EXPECT_GT(std::fabs(data_shift), 8) << "the eyes must see the corner apart";
    EXPECT_NEAR(data_shift, label_shift, 2.0);
}

TEST_F(ReadingValuesTest, ColorByYRunsTheScaleFromTheLowestToTheHighestPointsWithItsBar) {
    load_pyramid(1000);
    set_view_preset(2);  // from above
    color_by = kColorByY;
    draw_frame();
    const Picture p = read_back();
    keep_if_failed(p, "color_by_y");
    mono_camera();
    // The rim takes the scale's first colour (violet: hardly any green), the top
    // its last (yellow: hardly any blue), whatever the lights add.
    for (const Vector3& box_point :
         {Vector3(-4.9, -5, -4.9), Vector3(4.9, -5, 4.9), Vector3(0, 5, 0)}) {
        const Vector3 w = on_screen(box_point);
        const unsigned char* c = p.at(static_cast<int>(w.x()), static_cast<int>(w.y()));
        const bool top = box_point.y() > 0;
        EXPECT_TRUE(top ? 2 * c[2] < c[0] && 2 * c[2] < c[1] : 3 * c[1] < c[0] && 3 * c[1] < c[2])
            << +c[0] << " " << +c[1] << " " << +c[2];
    }
    // The bar: the same colours from its foot to its head, numbers at round heights.
    const Legend legend = layout_legend(data_set, kWidth, kHeight);
    ASSERT_TRUE(legend.bar);
    float rgb[3];
    for (const double t : {0.0, 1.0}) {
        color_scale_rgb(t, rgb);
        const unsigned char* b = p.at(legend.bar_x + kLegendBarWidth / 2,
                                      legend.bar_y + static_cast<int>(t * (legend.bar_height - 1)));
        for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(rgb[ch] * 255, b[ch], 12) << t;
    }
    std::vector<std::string> labels;
    for (std::size_t t = 0; t < legend.tick_y.size(); ++t) {
        const LegendText& text = legend.texts[t];
        labels.push_back(text.text);
        EXPECT_GT(count_pixels(p, is_dark, static_cast<int>(text.x), static_cast<int>(text.y) - 2,
                               legend.bar_x - 2, static_cast<int>(text.y) + 11),
                  3)
            << text.text;
    }
    EXPECT_EQ((std::vector<std::string>{"0", "200", "400", "600", "800", "1000"}), labels);
    EXPECT_EQ("y", legend.texts.back().text);
    // "Value" keys the values' own range.
    data_set.has_values = true;
    for (int k = 0; k < 81; ++k) data_set.color_values[k] = 10 + k / 2.0f;
    color_by = kColorByValue;
    const Legend values = layout_legend(data_set, kWidth, kHeight);
    EXPECT_EQ("10", values.texts.front().text);
    EXPECT_EQ("value", values.texts.back().text);
}

TEST_F(ReadingValuesTest, ColouredDataShowsOneSwatchPerValuePresent) {
    load(6, 6, [](int s, int i) { return Vector3(s, std::sin(s + i), i); });
    data_set.kind = DataSet::kColorData;
    for (int k = 0; k < 36; ++k)
        data_set.color_values[k] = k == 7 ? -1.0f : k % 3 == 0 ? 0.0f : k % 3 == 1 ? 3.5f : 7.0f;
    draw_frame();  // joined: the negative value leaves a gap
    const Picture p = read_back();
    keep_if_failed(p, "swatches");
    const Legend legend = layout_legend(data_set, kWidth, kHeight);
    ASSERT_EQ(4u, legend.swatches.size());
    EXPECT_EQ("gap", legend.texts.back().text);
    // Red, cyan and lilac stand in the legend; no other entry colour does.
    const auto in_legend = [&](int r, int g, int b) {
        const auto match = [&](const unsigned char* c) {
            return std::abs(c[0] - r) < 8 && std::abs(c[1] - g) < 8 && std::abs(c[2] - b) < 8;
        };
        return count_pixels(p, match, legend.swatches[0].x, 0, kWidth, kHeight);
    };
    EXPECT_GT(std::min({in_legend(255, 0, 0), in_legend(0, 255, 255), in_legend(153, 153, 255)}),
              100);
    EXPECT_EQ(0, in_legend(0, 255, 0) + in_legend(0, 0, 255) + in_legend(255, 255, 0));
    // Where negative values leave no gap they are drawn in entry 0: no "gap" swatch.
    display_mode = kPoints;
    EXPECT_EQ(3u, layout_legend(data_set, kWidth, kHeight).swatches.size());
}

TEST_F(ReadingValuesTest, AppliedDataColourAndTransparencyReachThePicture) {
    load_quad();
    object_translation[1] = 0;
    draw_frame();
    EXPECT_TRUE(is_red(read_back().at(400, 300)));
    apply_color_to = kApplyToDataColor;
    color_red = color_blue = 0;
    color_green = 1;
    control_callback(control_id::apply_color);
    draw_frame();
    EXPECT_TRUE(is_green(read_back().at(400, 300)));

    // A quad tilted in depth hides the far edge (x = max, z = min) of the bounds
    // box, unless it is half transparent.
    load(2, 2, [](int s, int i) { return Vector3(i, s, s); });
    show_bounds = 1;
    const auto far_edge = [] {
        draw_frame();
        const Picture q = read_back();
        keep_if_failed(q, "transparency");
        mono_camera();
        const Vector3 w = on_screen(Vector3(5, 0, -5));
        const int x = static_cast<int>(w.x()), y = static_cast<int>(w.y());
        return count_pixels(q, is_dark, x - 3, y - 3, x + 4, y + 4);
    };
    EXPECT_EQ(0, far_edge());
    transparency = 0.5f;
    EXPECT_GT(far_edge(), 0);
}

TEST_F(ReadingValuesTest, KeyTwoShowsASurfaceOverXAndZFromAbove) {
    load_pyramid(0.5);
    axis_data = kUniformAxes;  // a map: its height in proportion
    const auto area = [](unsigned char key) {
        on_key(key, 0, 0);
        draw_frame();
        return count_pixels(read_back(), is_drawn);
    };
    const int along_z = area('1'), from_above = area('2');
    EXPECT_GT(from_above, 2 * along_z);
    EXPECT_EQ(90.0f, angle_x);
}

}  // namespace

TEST_F(ReadingValuesTest, BothEyesLabelTheSameEdgesOfABoxSeenSquareOn) {
    // Seen square-on, opposite edges lie equally far out: a tie each eye must
    // break alike, through its own off-axis frustum and offset.
    load(2, 2, [](int s, int i) { return Vector3(s, s * i, i); });  // a unit cube
    stereo_mode = kRedCyanGlasses;
    const CameraFrame c = compute_camera(eye_separation, focal_length, kWidth, kHeight);
    std::vector<BoundsBox> seen;
    for (const EyePass& pass : eye_passes(c)) {
        begin_eye_pass(c, pass.window);
        look_from_eye(pass.offset);
        apply_model_transform();
        seen.push_back(layout_bounds_box(data_set, pass.offset));
    }
    ASSERT_EQ(seen.size(), 2u);
    ASSERT_EQ(seen[0].labels.size(), seen[1].labels.size());
    for (std::size_t i = 0; i < seen[0].labels.size(); ++i) {
        EXPECT_EQ(seen[0].labels[i].text, seen[1].labels[i].text);
        EXPECT_LT((seen[0].labels[i].at - seen[1].labels[i].at).length(), 1e-9) << i;
    }
}
