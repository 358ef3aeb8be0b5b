#include <gtest/gtest.h>

#include "core/fixed_vector.h"

TEST(FixedVector, IndexOutsideTheComponentsThrowsMinusOne) {
    Vector3 v(1, 2, 3);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[2], 3);
    for (int bad : {-1, 3}) {
        try {
            (void)v[bad];
            FAIL() << "index " << bad << " did not throw";
        } catch (int thrown) {
            EXPECT_EQ(thrown, -1);
        }
    }
    const Color4 c(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_FLOAT_EQ(c.a(), 0.4f);
    EXPECT_THROW((void)c[4], int);
}

TEST(FixedVector, NamedComponentsAreReferencesIntoTheVector) {
    Vector3 v(0, 0, 0);
    v.x() = 4;
    v.z() += 2;
    EXPECT_EQ(v[0], 4);
    EXPECT_EQ(v[2], 2);
    Color4 c(1.0f);
    c.g() = 0.5f;
    EXPECT_FLOAT_EQ(c[1], 0.5f);
    EXPECT_FLOAT_EQ(c[3], 1.0f);
}

TEST(FixedVector, ArithmeticIsComponentwise) {
    const Vector3 a(1, 2, 3), b(4, 6, 8);
    const Vector3 sum = a + b, diff = b - a, half = b / 2.0;
    EXPECT_EQ(sum[1], 8);
    EXPECT_EQ(diff[2], 5);
    EXPECT_EQ(half[0], 2);
    Vector3 c = a;
    c *= 3;
    c -= a;
    EXPECT_EQ(c[2], 6);
    EXPECT_DOUBLE_EQ(Vector3(3, 4, 0).length(), 5);
    Vector3 n(0, 3, 4);
    n.normalize();
    EXPECT_DOUBLE_EQ(n.length(), 1);
    EXPECT_DOUBLE_EQ(n[2], 0.8);
    // The four-argument constructor fills as far as the vector reaches.
    const Vector3 three(7, 8, 9, 10);
    EXPECT_EQ(three[2], 9);
}

TEST(FixedVector, CrossSharesOneResultBetweenCalls) {
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    Vector3& first = x.cross(y);
    EXPECT_EQ(first[2], 1);
    const Vector3 copy = first;
    y.cross(z);  // (1, 0, 0)
    EXPECT_EQ(first[0], 1) << "a kept reference shows the newer result";
    EXPECT_EQ(first[2], 0);
    EXPECT_EQ(copy[2], 1) << "a copy keeps its own value";
    // Operand order: y x x = -z.
    EXPECT_EQ(y.cross(x)[2], -1);
}

TEST(FixedVector, CrossOfAFourComponentVectorThrows) {
    const Color4 a(1.0f), b(2.0f);
    EXPECT_THROW(a.cross(b), int);
}
