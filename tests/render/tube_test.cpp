#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

#include "render/draw_cache.h"
#include "render/picture_vertices.h"
#include "tests/render/render_fixture.h"
#include "tests/support/stdout_capture.h"

namespace {
constexpr double kEps = 1e-3;  // window coordinates are floats of hundreds of pixels

Feedback segment_feedback(const Vector3& from, const Vector3& to, int texel) {
    return record_feedback([&] { data_set.draw_segment(from, to, texel); });
}

// Whether some vertex of the tube lies at p. With three sides the ring is not
// symmetric, so ring point 0 (after the 45-degree roll at local angle 45
// degrees) tells a turn from its mirror image.
bool has_vertex_at(const Feedback& fb, const Vector3& p) {
    for (const auto& v : fb.all_vertices())
        if ((ortho_object(v) - p).length() < kEps) return true;
    return false;
}

bool all_finite(const Feedback& fb) {
    for (const auto& v : fb.all_vertices()) {
        for (float f : {v.x, v.y, v.z, v.r, v.g, v.b, v.a, v.s, v.t}) {
            if (!std::isfinite(f)) return false;
        }
    }
    return true;
}
}  // namespace

class TubeTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        data_set.build_color_map();  // texel sizes of the 16 x 1 map
        thickness = 0.5f;
    }
};

TEST_F(TubeTest, EmitsFourNPlusTwoVerticesAlsoAtLengthZero) {
    for (int n : {3, 8, 60}) {
        for (double len : {1.0, 0.0}) {
            segments = n;
            const Feedback fb = segment_feedback(Vector3(0, 0, 0), Vector3(len, 0, 0), 0);
            // Filled, the two caps and the side strip (three primitives of V
            // vertices each) come back as V - 2 triangles apiece.
            ASSERT_EQ(fb.triangles(), static_cast<int>(fb.primitives.size()));
            EXPECT_EQ(fb.triangles() + 3 * 2, 4 * n + 2) << "n = " << n << ", length " << len;
            EXPECT_TRUE(all_finite(fb));
        }
    }
}

TEST_F(TubeTest, TexelTwoIsAddressedAtItsCentre) {
    // Off the texel's edges, where nearest filtering may pick a neighbour.
    const Feedback fb = segment_feedback(Vector3(0, 0, 0), Vector3(1, 1, 0), 2);
    ASSERT_FALSE(fb.primitives.empty());
    for (const auto& v : fb.all_vertices()) {
        EXPECT_FLOAT_EQ(v.s, 2.5f / 16);
        EXPECT_FLOAT_EQ(v.t, 0.5f);
    }
}

TEST_F(TubeTest, VerticalSegmentsTurnByMinusOrPlusNinetyDegrees) {
    segments = 3;  // a triangle tells the two turns apart, a square would not
    const double r = thickness, c45 = r * std::sqrt(0.5);

    // Up: local (x, y, z) becomes (x, z, -y); ring point 0, rolled by 45 degrees,
    // sits at (r cos 45, -r sin 45) in x and z.
    Feedback up = segment_feedback(Vector3(0, 0, 0), Vector3(0, 2, 0), 0);
    for (const auto& v : up.all_vertices()) {
        const Vector3 p = ortho_object(v);
        EXPECT_TRUE(std::fabs(p.y()) < kEps || std::fabs(p.y() - 2) < kEps) << p.y();
        EXPECT_NEAR(std::hypot(p.x(), p.z()), r, kEps);
    }
    for (double y : {0.0, 2.0}) {
        EXPECT_TRUE(has_vertex_at(up, Vector3(c45, y, -c45))) << y;
        EXPECT_FALSE(has_vertex_at(up, Vector3(c45, y, c45))) << y;
    }

    // Down: local (x, y, z) becomes (x, -z, y), from y = 2 down to 0.
    Feedback down = segment_feedback(Vector3(0, 2, 0), Vector3(0, 0, 0), 0);
    for (double y : {0.0, 2.0}) {
        EXPECT_TRUE(has_vertex_at(down, Vector3(c45, y, c45))) << y;
        EXPECT_FALSE(has_vertex_at(down, Vector3(c45, y, -c45))) << y;
    }
}

TEST_F(TubeTest, HorizontalSquareTubeHasFacesAlongTheFrame) {
    // From (0,0,0) to (1,0,0): col1 = (0,0,-1), col2 = (0,1,0); with four sides
    // and the 45-degree roll the corners sit at y, z = +-r/sqrt(2).
    segments = 4;
    const double c45 = thickness * std::sqrt(0.5);
    const Feedback fb = segment_feedback(Vector3(0, 0, 0), Vector3(1, 0, 0), 0);
    ASSERT_FALSE(fb.primitives.empty());
    for (const auto& v : fb.all_vertices()) {
        const Vector3 p = ortho_object(v);
        EXPECT_TRUE(std::fabs(p.x()) < kEps || std::fabs(p.x() - 1) < kEps) << p.x();
        EXPECT_NEAR(std::fabs(p.y()), c45, kEps);
        EXPECT_NEAR(std::fabs(p.z()), c45, kEps);
    }
    // Ring point 0 = (r, 0) rolled to (c45, c45): c45 * col1 + c45 * col2. The
    // square is symmetric; three sides show which way the frame turns.
    segments = 3;
    const Feedback tri = segment_feedback(Vector3(0, 0, 0), Vector3(1, 0, 0), 0);
    EXPECT_TRUE(has_vertex_at(tri, Vector3(0, c45, -c45)));
    EXPECT_FALSE(has_vertex_at(tri, Vector3(0, c45, c45)));
}

TEST_F(TubeTest, NothingNonFiniteReachesGl) {
    // Horizontal differences too small to square take the general path and
    // still give a finite, upright tube.
    const Feedback tiny = segment_feedback(Vector3(0, 0, 0), Vector3(1e-170, 1, 1e-170), 0);
    EXPECT_EQ(tiny.triangles(), 4 * segments - 4);
    EXPECT_TRUE(all_finite(tiny));
    for (const auto& v : tiny.all_vertices()) {
        const Vector3 p = ortho_object(v);
        EXPECT_NEAR(std::hypot(p.x(), p.z()), thickness, kEps);
    }

    // A segment with a non-finite end is left out.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(segment_feedback(Vector3(0, 0, 0), Vector3(nan, 1, 0), 0).primitives.empty());
    EXPECT_TRUE(segment_feedback(Vector3(inf, 0, 0), Vector3(0, 1, 0), 0).primitives.empty());

    // A tube of radius 0 takes the centre of its texel.
    thickness = 0;
    const Feedback thin = segment_feedback(Vector3(0, 0, 0), Vector3(1, 0, 0), 2);
    ASSERT_FALSE(thin.primitives.empty());
    EXPECT_TRUE(all_finite(thin));
    for (const auto& v : thin.all_vertices()) EXPECT_FLOAT_EQ(v.s, 5.0f / 32);
}

TEST_F(TubeTest, DataSpanningSinglePrecisionSendsNothingNonFiniteInAnyMode) {
    // x from -3e38 to 3e38, each value within single precision: tubes 6e38 long.
    const std::string path = ::testing::TempDir() + "zendral_far.dat";
    std::ofstream(path) << "2 2\n-3e38 0 0\n3e38 1 0\n-3e38 0 1\n3e38 1 1\n";
    StdoutCapture quiet;
    data_set.read_data(path.c_str());
    quiet.finish();
    ASSERT_EQ(data_set.filename, path);
    box_camera();
    thickness = 0.02f;
    for (const bool recorded : {false, true}) {
        set_draw_cache(recorded);
        for (int mode = 0; mode <= 5; ++mode) {
            display_mode = mode;
            const Feedback fb = record_feedback([] { data_set.draw(0); });
            EXPECT_FALSE(fb.primitives.empty()) << "mode " << mode << " recorded " << recorded;
            EXPECT_TRUE(all_finite(fb)) << "mode " << mode << " recorded " << recorded;
        }
    }
    set_draw_cache(false);
    const DrawStyle style = current_draw_style(data_set);
    for (int mode : {1, 2, 5}) {
        for (const PictureVertices& v :
             {tube_mesh(data_set, PointTexels::plain(0), mode, 0, style),
              tube_lines(data_set, PointTexels::plain(0), mode, 0, style)}) {
            EXPECT_TRUE(std::all_of(v.vertices.begin(), v.vertices.end(),
                                    [](float f) { return std::isfinite(f); }))
                << "mode " << mode;
            for (const float f : v.last) EXPECT_TRUE(std::isfinite(f)) << "mode " << mode;
        }
    }
}
