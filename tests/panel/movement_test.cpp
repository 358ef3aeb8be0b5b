#include <cmath>
#include <random>

#include "panel/trackball.h"
#include "tests/panel/panel_fixture.h"

namespace {
double det3(const float* m) {
    return double(m[0]) * (double(m[5]) * m[10] - double(m[9]) * m[6]) -
           double(m[4]) * (double(m[1]) * m[10] - double(m[9]) * m[2]) +
           double(m[8]) * (double(m[1]) * m[6] - double(m[5]) * m[2]);
}

void expect_rotation(const float* m) {
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            double dot = 0.0;
            for (int r = 0; r < 3; ++r) dot += double(m[a * 4 + r]) * m[b * 4 + r];
            EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-5) << "columns " << a << ", " << b;
        }
    }
    EXPECT_NEAR(det3(m), 1.0, 1e-5);
    for (int i : {3, 7, 11, 12, 13, 14}) EXPECT_EQ(m[i], 0.0f);
    EXPECT_EQ(m[15], 1.0f);
}

void expect_identity(const float* m) {
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << "element " << i;
}

// The angle of the rotation that carries matrix a onto matrix b.
double angle_between(const float* a, const float* b) {
    double trace = 0.0;  // trace of b * transpose(a)
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) trace += double(b[k * 4 + r]) * a[k * 4 + r];
    return std::acos(std::max(-1.0, std::min(1.0, (trace - 1.0) / 2.0)));
}
}  // namespace

using MovementTest = PanelTest;

TEST_F(MovementTest, RotationStaysARotationAfterDragsAndResetGivesTheIdentity) {
    float m[16] = {};
    PanelRotation* r = panel_->add_rotation("Rotate", m, -1, nullptr);
    expect_identity(m);  // a new ball is at rest
    std::mt19937 random(5);
    std::uniform_real_distribution<float> pixels(-60.0f, 60.0f);
    for (int i = 0; i < 500; ++i) r->user_drag(pixels(random), pixels(random));
    expect_rotation(m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], r->matrix()[i]);
    r->reset();
    expect_identity(m);
    expect_identity(r->matrix());
}

TEST_F(MovementTest, DraggingRightTurnsTheFrontToTheRight) {
    float m[16];
    PanelRotation* r = panel_->add_rotation("Rotate", m, -1, nullptr);
    r->user_drag(10.0f, 0.0f);
    // The z axis (the side facing the viewer) now leans to +x, about +y.
    EXPECT_GT(m[8], 0.1f);
    EXPECT_NEAR(m[9], 0.0f, 1e-6);
    EXPECT_NEAR(m[5], 1.0f, 1e-6);
    r->reset();
    r->user_drag(0.0f, 10.0f);  // dragging up tips the front upward
    EXPECT_GT(m[9], 0.1f);
}

TEST_F(MovementTest, SpinZeroStopsAtOnce) {
    float m[16];
    PanelRotation* r = panel_->add_rotation("Light 1", m, -1, nullptr);
    r->set_spin(0.0f);
    r->user_drag(15.0f, 5.0f);
    EXPECT_FALSE(r->spinning());
    float before[16];
    std::copy(m, m + 16, before);
    r->step_spin();
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], before[i]);
}

TEST_F(MovementTest, SpinOneKeepsTurningAtTheSameRate) {
    float m[16];
    PanelRotation* r = panel_->add_rotation("Rotate", m, -1, record);
    r->set_spin(1.0f);
    r->user_drag(8.0f, 0.0f);
    ASSERT_TRUE(r->spinning());
    float previous[16];
    std::copy(m, m + 16, previous);
    r->step_spin();
    const double first = angle_between(previous, m);
    EXPECT_GT(first, 0.01);
    for (int i = 0; i < 200; ++i) {
        std::copy(m, m + 16, previous);
        r->step_spin();
        EXPECT_NEAR(angle_between(previous, m), first, 1e-3);
    }
    EXPECT_TRUE(r->spinning());
    expect_rotation(m);
    // Grabbing the ball stops it; so does a reset.
    r->press(0.0f, 0.0f);
    EXPECT_FALSE(r->spinning());
    r->release();
    r->user_drag(8.0f, 0.0f);
    r->reset();
    EXPECT_FALSE(r->spinning());
    expect_identity(m);
}

TEST_F(MovementTest, SpinPointEightTwoDecaysUntilItStops) {
    float m[16];
    PanelRotation* r = panel_->add_rotation("Light 1", m, -1, nullptr);
    r->set_spin(0.82f);
    r->user_drag(20.0f, 0.0f);
    ASSERT_TRUE(r->spinning());
    float previous[16];
    std::vector<double> turns;
    for (int i = 0; i < 10; ++i) {
        std::copy(m, m + 16, previous);
        r->step_spin();
        turns.push_back(angle_between(previous, m));
    }
    for (size_t i = 1; i < turns.size(); ++i) EXPECT_NEAR(turns[i] / turns[i - 1], 0.82, 0.01);
    int steps = 0;
    while (r->spinning() && steps < 1000) {
        r->step_spin();
        ++steps;
    }
    EXPECT_FALSE(r->spinning());
    EXPECT_LT(steps, 100);
}

TEST_F(MovementTest, ReleasingAHeldStillBallDoesNotSpin) {
    float m[16];
    PanelRotation* r = panel_->add_rotation("Rotate", m, -1, nullptr);
    r->set_spin(1.0f);
    r->press(0.0f, 0.0f);
    r->drag_to(10.0f, 0.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    r->release();
    EXPECT_FALSE(r->spinning());
}

TEST_F(MovementTest, TranslationsAddPixelsTimesSpeed) {
    float t[3] = {0.0f, -5.0f, 0.0f};
    PanelTranslation* xy =
        panel_->add_translation("Objects XY", PANEL_TRANSLATION_XY, t, -1, nullptr);
    PanelTranslation* x = panel_->add_translation("Objects X", PANEL_TRANSLATION_X, t, -1, nullptr);
    PanelTranslation* y =
        panel_->add_translation("Objects Y", PANEL_TRANSLATION_Y, t + 1, -1, nullptr);
    PanelTranslation* z =
        panel_->add_translation("Objects Z", PANEL_TRANSLATION_Z, t + 2, 7, record);
    for (PanelTranslation* c : {xy, x, y, z}) c->set_speed(0.005f);
    watched_float = t + 2;

    xy->user_drag(100.0f, 40.0f);
    EXPECT_FLOAT_EQ(t[0], 0.5f);
    EXPECT_FLOAT_EQ(t[1], -4.8f);
    x->user_drag(-200.0f, 50.0f);  // only the horizontal part counts
    EXPECT_FLOAT_EQ(t[0], -0.5f);
    EXPECT_FLOAT_EQ(t[1], -4.8f);
    y->user_drag(30.0f, -40.0f);  // only the vertical part, up positive
    EXPECT_FLOAT_EQ(t[1], -5.0f);
    z->user_drag(0.0f, 200.0f);
    EXPECT_FLOAT_EQ(t[2], 1.0f);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, 7);
    EXPECT_FLOAT_EQ(static_cast<float>(calls[0].live), 1.0f);

    // Keys move the object: the controls follow at the next sync.
    t[0] = 3.0f;
    EXPECT_TRUE(xy->sync_live());
    EXPECT_FLOAT_EQ(xy->values()[0], 3.0f);
    EXPECT_FALSE(xy->sync_live());
}

TEST(Trackball, OrthonormalizeRepairsADriftedMatrixAndRefusesADegenerateOne) {
    float m[16];
    trackball::set_identity(m);
    m[0] = 1.01f;
    m[1] = 0.02f;
    m[4] = -0.03f;
    trackball::orthonormalize(m);
    expect_rotation(m);
    float zero[16] = {};
    trackball::orthonormalize(zero);
    expect_identity(zero);
}
