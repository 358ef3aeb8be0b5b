#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/quad_normal.h"
#include "tests/render/render_fixture.h"

namespace {
void expect_texel(const unsigned char* map, int entry, int r, int g, int b, int a) {
    const unsigned char* t = map + 4 * entry;
    EXPECT_EQ(t[0], r) << "entry " << entry;
    EXPECT_EQ(t[1], g) << "entry " << entry;
    EXPECT_EQ(t[2], b) << "entry " << entry;
    EXPECT_EQ(t[3], a) << "entry " << entry;
}
}  // namespace

using ColorMapTest = RenderTest;

TEST_F(ColorMapTest, BytesAreTruncatedAndTheRestIsOpaqueBlack) {
    DataSet set;
    set.build_color_map();
    expect_texel(set.color_map, 0, 255, 0, 0, 255);
    expect_texel(set.color_map, 2, 0, 0, 255, 255);
    expect_texel(set.color_map, 6, 63, 0, 127, 255);
    expect_texel(set.color_map, 7, 153, 153, 255, 255);
    expect_texel(set.color_map, 8, 229, 102, 25, 255);
    for (int k = 9; k < 16; ++k) expect_texel(set.color_map, k, 0, 0, 0, 255);
}

TEST_F(ColorMapTest, DrawUploadsTheMapAndSetsTexelSizesAndMaterial) {
    texel_size_s = texel_size_t = 1.0;
    build_grid(data_set, 1, 1, DataSet::kData, [](int, int) { return Vector3(0, 0, 0); });
    data_set.draw(0);
    EXPECT_DOUBLE_EQ(texel_size_s, 0.0625);
    EXPECT_DOUBLE_EQ(texel_size_t, 1.0);

    unsigned char uploaded[16 * 4] = {};
    glBindTexture(GL_TEXTURE_2D, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, uploaded);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(uploaded[i], data_set.color_map[i]) << i;

    GLfloat diffuse[4], specular[4], shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glGetMaterialfv(GL_BACK, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    for (int c = 0; c < 3; ++c) {
        EXPECT_FLOAT_EQ(diffuse[c], 0.6f);
        EXPECT_FLOAT_EQ(specular[c], 1.0f);
    }
    EXPECT_FLOAT_EQ(shininess, 64);
}

TEST(ColorIndex, TruncatesNonNegativeValuesAndSendsTheRestToZero) {
    EXPECT_EQ(color_index(3.9f), 3);
    EXPECT_EQ(color_index(20.0f), 20);  // the repeating texture shows entry 4
    EXPECT_EQ(color_index(0.0f), 0);
    EXPECT_EQ(color_index(-1.0f), 0);
    EXPECT_EQ(color_index(-0.5f), 0);
    EXPECT_EQ(color_index(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(color_index(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(color_index(4100.5f), 4);  // reduced: 4100 = 256 * 16 + 4
    const int huge = color_index(1e20f);
    EXPECT_GE(huge, 0);
    EXPECT_LT(huge, 16);
}

TEST(QuadNormal, CrossOfTheEdgesToP01AndP11) {
    // Reversing the operands would point down.
    Vector3 n = quad_normal(Vector3(1, 1, 1), Vector3(1, 1, 3), Vector3(4, 1, 3));
    EXPECT_DOUBLE_EQ(n.x(), 0);
    EXPECT_DOUBLE_EQ(n.y(), 1);
    EXPECT_DOUBLE_EQ(n.z(), 0);
    n = quad_normal(Vector3(0, 0, 0), Vector3(2, 0, 0), Vector3(2, 2, 0));
    EXPECT_DOUBLE_EQ(n.z(), 1);
    n = quad_normal(Vector3(0, 0, 0), Vector3(1, 2, 3), Vector3(-2, 1, 0));
    EXPECT_NEAR(n.length(), 1, 1e-12);
}

TEST(QuadNormal, DegenerateQuadsFaceUp) {
    const Vector3 p(1, 2, 3);
    for (const Vector3& n :
         {quad_normal(p, p, Vector3(2, 2, 3)),                 // P01 = P00
          quad_normal(p, Vector3(2, 2, 3), Vector3(3, 2, 3)),  // parallel
          quad_normal(p, p + Vector3(1e-200, 0, 0), p + Vector3(0, 0, 1e-200))}) {
        EXPECT_DOUBLE_EQ(n.x(), kFallbackQuadNormal.x());
        EXPECT_DOUBLE_EQ(n.y(), kFallbackQuadNormal.y());
        EXPECT_DOUBLE_EQ(n.z(), kFallbackQuadNormal.z());
    }
    EXPECT_DOUBLE_EQ(kFallbackQuadNormal.y(), 1);
}
