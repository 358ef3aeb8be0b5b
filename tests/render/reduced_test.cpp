// The reduced picture: drawn only while the user interacts and the last full
// frame was too slow, with "Fast interaction" on and pictures recorded.
#include "core/view_state.h"
#include "render/draw_cache.h"
#include "render/reduced_picture.h"
#include "tests/render/render_fixture.h"

namespace {

class ReducedTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        box_camera();
        set_draw_cache(true);
        fast_interaction = 1;
        frame_budget = 0.05;
        build_grid(data_set, 40, 40, DataSet::kData, [](int s, int i) {
            return Vector3(s, std::sin(s * 0.3) + std::cos(i * 0.2), i);
        });
    }
    void TearDown() override {
        set_draw_cache(false);
        interacting = 0;
        full_frame_seconds = 0;
    }
};

TEST_F(ReducedTest, OnlyASlowFullFrameDuringAnInteractionIsReduced) {
    struct Case {
        int interacting, fast;
        double full_seconds;
        bool reduced;
    };
    const Case cases[] = {
        {1, 1, 1.0, true}, {0, 1, 1.0, false}, {1, 1, 0.01, false}, {1, 0, 1.0, false}};
    for (const Case& c : cases) {
        interacting = c.interacting;
        fast_interaction = c.fast;
        full_frame_seconds = c.full_seconds;
        EXPECT_EQ(c.reduced, reduced_picture_wanted()) << c.interacting << c.fast << c.full_seconds;

        // Points: every k-th set and point; k = 6 for a full frame of 1 s in 0.05 s.
        display_mode = 0;
        const Feedback points = record_feedback([] { data_set.draw(0); });
        EXPECT_EQ(c.reduced ? 7 * 7 : 40 * 40, points.count(GL_POINT_TOKEN));
        // Tubes: lines along their axes instead of prisms, through every second
        // point of every second set and the last ones (a line is some eight
        // times cheaper than a tube).
        display_mode = 1;
        const Feedback tubes = record_feedback([] { data_set.draw(0); });
        EXPECT_EQ(c.reduced ? 21 * 20 : 0, tubes.count(GL_LINE_TOKEN));
        // (the hidden half of each solid tube is culled)
        EXPECT_EQ(c.reduced ? 0 : 40 * 39 * (2 * segments - 2), tubes.triangles());
        // Surfaces: the quads of every k-th set and point, reaching the edge.
        display_mode = 4;
        EXPECT_EQ(c.reduced ? 7 * 7 * 2 : 39 * 39 * 2,
                  record_feedback([] { data_set.draw(0); }).triangles());
    }
    // A full frame a little over the budget keeps every line, reaching the far corner.
    interacting = fast_interaction = 1;
    full_frame_seconds = 0.2;
    display_mode = 1;
    const Feedback lines = record_feedback([] { data_set.draw(0); });
    EXPECT_EQ(40 * 39, lines.count(GL_LINE_TOKEN));
    full_frame_seconds = 1.0;
    const Feedback thinned = record_feedback([] { data_set.draw(0); });
    ASSERT_FALSE(thinned.primitives.empty());
    const FeedbackVertex& end = lines.primitives.back().vertices.back();
    const FeedbackVertex& thinned_end = thinned.primitives.back().vertices.back();
    EXPECT_EQ(end.x, thinned_end.x) << "the last point of the last set is kept";
    EXPECT_EQ(end.y, thinned_end.y);
    full_frame_seconds = 1e9;
    EXPECT_EQ(64, reduced_grid_step()) << "the step has a bound";
    EXPECT_EQ(64, reduced_tube_step());
}

}  // namespace
