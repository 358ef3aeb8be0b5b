#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

#include "tests/render/render_fixture.h"

namespace {
constexpr double kPixelEps = 1e-2;

Feedback draw_feedback(int texel = 0) {
    return record_feedback([&] { data_set.draw(texel); });
}

// Index of the expected window position that v lands on, or -1.
int match(const FeedbackVertex& v, const std::vector<Vector3>& expected) {
    for (size_t k = 0; k < expected.size(); ++k) {
        if (std::fabs(v.x - expected[k].x()) < kPixelEps &&
            std::fabs(v.y - expected[k].y()) < kPixelEps) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

int tube_triangles() {
    return 4 * segments - 4;
}

// Colour-map entry that a texture s coordinate lies in (entries are 1/16 wide).
int texel_of(float s) {
    return static_cast<int>(std::floor(s * 16 + 1e-4));
}

// A tube's s coordinates span its whole texel, both edges included.
bool in_tube_texel(float s, int k) {
    return s >= k / 16.0f - 1e-6f && s <= (k + 1) / 16.0f + 1e-6f;
}

// Entry of a tube triangle: that of its smallest s.
int tube_texel_of(const FeedbackPrimitive& tri) {
    float lo = tri.vertices[0].s;
    for (const auto& v : tri.vertices) lo = std::min(lo, v.s);
    return texel_of(lo);
}
}  // namespace

class ModesTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        box_camera();
    }
};

TEST_F(ModesTest, TwoByTwoGridGivesOneQuadP00P01P11P10) {
    build_grid(data_set, 2, 2, DataSet::kData,
               [](int s, int i) { return Vector3(s, i, 0.5 * s * i); });
    const Vector3 corners[4] = {data_set.point(0, 0), data_set.point(0, 1), data_set.point(1, 1),
                                data_set.point(1, 0)};

    // Outlines: exactly the four edges P00-P01, P01-P11, P11-P10, P10-P00.
    display_mode = 3;
    const Feedback lines = draw_feedback();
    std::vector<Vector3> win;
    for (const Vector3& c : corners) win.push_back(window_of_model_point(c));
    std::set<std::pair<int, int>> edges;
    ASSERT_EQ(lines.count(GL_LINE_TOKEN), 4);
    for (const auto& prim : lines.primitives) {
        const int a = match(prim.vertices[0], win), b = match(prim.vertices[1], win);
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        edges.insert({std::min(a, b), std::max(a, b)});
    }
    EXPECT_EQ(edges, (std::set<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 3}, {0, 3}}));

    // Filled: two triangles turning the way P00 -> P01 -> P11 -> P10 does (on
    // screen that is clockwise), all in the caller's entry.
    display_mode = 4;
    const Feedback filled = draw_feedback(2);
    ASSERT_EQ(filled.triangles(), 2);
    for (const auto& tri : filled.primitives) {
        ASSERT_EQ(tri.vertices.size(), 3u);
        const auto& a = tri.vertices[0];
        const auto& b = tri.vertices[1];
        const auto& c = tri.vertices[2];
        EXPECT_LT((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x), 0);
        for (const auto& v : tri.vertices) {
            EXPECT_GE(match(v, win), 0);
            EXPECT_FLOAT_EQ(v.s, 2.5f / 16);  // the centre of texel 2
            EXPECT_FLOAT_EQ(v.t, 2.5f);
        }
    }
}

TEST_F(ModesTest, ColouredSurfaceQuadTakesTheEntryOfItsP00) {
    // Three sets of two points: two quads, P00 values 1 and 5.
    build_grid(
        data_set, 3, 2, DataSet::kColorData, [](int s, int i) { return Vector3(s, i, 0); },
        [](int s, int i) { return static_cast<float>(1 + 4 * s + 2 * i); });
    display_mode = 4;
    const Feedback fb = draw_feedback();
    ASSERT_EQ(fb.triangles(), 4);
    const Vector3 left = window_of_model_point(Vector3(1, 0.5, 0));
    for (const auto& tri : fb.primitives) {
        const bool first_quad =
            tri.vertices[0].x + tri.vertices[1].x + tri.vertices[2].x < 3 * left.x();
        for (const auto& v : tri.vertices) EXPECT_EQ(texel_of(v.s), first_quad ? 1 : 5);
    }
}

TEST_F(ModesTest, JoinedLeavesAGapAfterANegativeValue) {
    auto make = [](int kind) {
        build_grid(
            data_set, 1, 3, kind, [](int, int i) { return Vector3(0, i, 0.3 * i); },
            [](int, int i) { return i == 1 ? -1.0f : 3.0f; });
    };
    display_mode = 1;
    make(DataSet::kData);
    EXPECT_EQ(draw_feedback().triangles(), 2 * tube_triangles()) << "plain data joins both";

    make(DataSet::kColorData);
    const Feedback fb = draw_feedback();
    ASSERT_EQ(fb.triangles(), tube_triangles()) << "only the segment from point 0";
    const double top = window_of_model_point(data_set.point(0, 1)).y();
    for (const auto& v : fb.all_vertices()) {
        EXPECT_LT(v.y, top + 10) << "nothing beyond point 1";
        EXPECT_TRUE(in_tube_texel(v.s, 3)) << "the colour of the starting point, not " << v.s;
    }
}

TEST_F(ModesTest, SpecialDrawsNothingForColouredData) {
    auto make = [](int kind) {
        build_grid(
            data_set, 2, 2, kind, [](int s, int i) { return Vector3(s, s + i, i); },
            [](int, int) { return 2.0f; });
    };
    display_mode = 5;
    make(DataSet::kData);
    // Four needles, two grid lines along z and two along x.
    EXPECT_EQ(draw_feedback().triangles(), 8 * tube_triangles());
    make(DataSet::kColorData);
    EXPECT_TRUE(draw_feedback().primitives.empty());
}

TEST_F(ModesTest, SpecialWithOneSetDrawsNeedlesAndOneLineAlongZ) {
    build_grid(data_set, 1, 3, DataSet::kData, [](int, int i) { return Vector3(0, i, i); });
    display_mode = 5;
    const Feedback fb = draw_feedback();
    EXPECT_EQ(fb.triangles(), (3 + 2) * tube_triangles());
    for (const auto& v : fb.all_vertices()) {
        ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    }

    // One point per set: needles and lines along x only.
    build_grid(data_set, 3, 1, DataSet::kData, [](int s, int) { return Vector3(s, s, 0); });
    EXPECT_EQ(draw_feedback().triangles(), (3 + 2) * tube_triangles());
}

TEST_F(ModesTest, NeedledDrawsABaselinePieceAndANeedlePerPoint) {
    build_grid(
        data_set, 3, 2, DataSet::kColorData, [](int s, int i) { return Vector3(s, 1 + s * i, i); },
        [](int s, int i) { return static_cast<float>(s + 3 * i); });
    display_mode = 2;
    const Feedback fb = draw_feedback();
    EXPECT_EQ(fb.triangles(), 2 * 3 * 2 * tube_triangles());
    // The baseline piece ending at a foot and the needle over it share the point's
    // entry: two tubes' worth of triangles in each of the six entries.
    std::vector<int> per_entry(16, 0);
    for (const auto& tri : fb.primitives) ++per_entry[tube_texel_of(tri)];
    for (int k : {0, 1, 2, 3, 4, 5}) EXPECT_EQ(per_entry[k], 2 * tube_triangles()) << k;

    // No sets: nothing to stand on, nothing drawn.
    data_set.allocate_grid(0, 4);
    EXPECT_TRUE(draw_feedback().primitives.empty());
}

TEST_F(ModesTest, ColouredPointsTakeTheirOwnEntries) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[4] = {3.9f, -1.0f, 20.0f, nan};
    build_grid(
        data_set, 2, 2, DataSet::kColorData, [](int s, int i) { return Vector3(s, i, s + i); },
        [&](int s, int i) { return values[2 * i + s]; });
    display_mode = 0;
    const Feedback fb = draw_feedback(2);
    ASSERT_EQ(fb.count(GL_POINT_TOKEN), 4);
    // Row by row, sets inner: (0,0), (1,0), (0,1), (1,1).
    const float expected_s[4] = {3.5f / 16, 0.5f / 16, 20.5f / 16, 0.5f / 16};
    for (int k = 0; k < 4; ++k) {
        const Vector3 at = window_of_model_point(data_set.point(k % 2, k / 2));
        EXPECT_NEAR(fb.primitives[k].vertices[0].x, at.x(), kPixelEps);
        EXPECT_NEAR(fb.primitives[k].vertices[0].y, at.y(), kPixelEps);
        EXPECT_FLOAT_EQ(fb.primitives[k].vertices[0].s, expected_s[k]) << k;
    }
}

TEST_F(ModesTest, StateLeftBehindCarriesIntoLaterModes) {
    build_grid(data_set, 2, 2, DataSet::kData, [](int s, int i) { return Vector3(s, i, s * i); });
    thickness = 0.03f;

    display_mode = 0;
    draw_feedback();
    GLfloat size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_FLOAT_EQ(size, 3.0f);
    EXPECT_TRUE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 1);

    // Surface grid leaves outlines: the joined tubes come back as lines.
    display_mode = 3;
    draw_feedback();
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    display_mode = 1;
    Feedback fb = draw_feedback();
    EXPECT_GT(fb.count(GL_LINE_TOKEN), 0);
    EXPECT_EQ(fb.triangles(), 0);

    // Surface filled makes them solid again.
    display_mode = 4;
    draw_feedback();
    display_mode = 1;
    fb = draw_feedback();
    EXPECT_EQ(fb.count(GL_LINE_TOKEN), 0);
    EXPECT_EQ(fb.triangles(), 2 * tube_triangles());

    // "Special " leaves the grid material: white minus the background.
    background_color = Color4(0.0f, 0.25f, 1.0f, 1.0f);
    display_mode = 5;
    draw_feedback();
    GLfloat diffuse[4], specular[4], shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glGetMaterialfv(GL_BACK, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    const float grid[4] = {1, 0.75f, 0, 0};
    for (int c = 0; c < 4; ++c) {
        EXPECT_FLOAT_EQ(diffuse[c], grid[c]);
        EXPECT_FLOAT_EQ(specular[c], grid[c]);
    }
    EXPECT_FLOAT_EQ(shininess, 60);
}

TEST_F(ModesTest, KeepsTheMatrixOfTheModelDrawAndRestoresTheStack) {
    build_grid(data_set, 2, 1, DataSet::kData,
               [](int s, int) { return s ? Vector3(1, 2, 4) : Vector3(0, 0, 0); });
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -3);  // the camera part
    std::fill(matCur, matCur + 16, 0.0f);
    data_set.draw(0);
    // Bounds (0,0,0)..(1,2,4), individual scaling: scale (10, 5, 2.5), then -5
    // on every axis, under the camera's translation.
    const float expected[16] = {10, 0, 0, 0, 0, 5, 0, 0, 0, 0, 2.5f, 0, -5, -5, -8, 1};
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(matCur[i], expected[i]) << i;
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_FLOAT_EQ(after[14], -3);
    EXPECT_FLOAT_EQ(after[0], 1);
}
