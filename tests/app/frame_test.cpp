// Whole frames in a real GL context: the diagnostics of the camera and the
// pictures of the eye passes and the overlay.
#include <fstream>

#include "render/draw_cache.h"
#include "render/picture_key.h"
#include "tests/app/frame_fixture.h"

namespace {

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST_F(FrameTest, VerboseMonoFramePrintsCameraAndOneEyeBlock) {
    EXPECT_EQ(verbose_frame(),
              "ratio = 1.333333 radians = 0.392699 wd2 = 0.041421 ndfl = 0.005000\n"
              "Left Frustum: left = -0.054728 right = 0.055728 top = 0.041421 "
              "bottom = -0.041421 nearp = 0.100000 farp = 100000.000000\n"
              "Center Frustum: left = -0.055228 right = 0.055228 top = 0.041421 "
              "bottom = -0.041421 nearp = 0.100000 farp = 100000.000000\n"
              "Right Frustum: left = -0.055728 right = 0.054728 top = 0.041421 "
              "bottom = -0.041421 nearp = 0.100000 farp = 100000.000000\n"
              "r = 0.100000 0.000000 0.000000\n"
              "l = -0.100000 0.000000 0.000000\n"
              "vp: 0.000000 0.000000 20.000000\n"
              "vd: 0.000000 0.000000 19.000000\n"
              "vu: 0.000000 1.000000 0.000000\n");
    EXPECT_EQ(vp.z(), 20.0);
}

TEST_F(FrameTest, VerboseTwoEyeFramesPrintOneBlockPerEye) {
    for (int mode : {1, 2, 3, 4, 5, 6}) {
        stereo_mode = mode;
        const std::string out = verbose_frame();
        // Side by side, each eye has half the width.
        EXPECT_EQ(out.rfind(mode >= 5 ? "ratio = 0.666667 " : "ratio = 1.333333 ", 0), 0u) << mode;
        EXPECT_EQ(count(out, "ratio = "), 1u) << mode;
        EXPECT_EQ(count(out, " Frustum: "), 3u) << mode;
        EXPECT_EQ(count(out, "vp: "), 2u) << mode;
        // Left eye on the -x side, then the right eye.
        const size_t left =
            out.find("vp: -0.100000 0.000000 20.000000\nvd: -0.100000 0.000000 19.000000\n");
        const size_t right =
            out.find("vp: 0.100000 0.000000 20.000000\nvd: 0.100000 0.000000 19.000000\n");
        ASSERT_NE(left, std::string::npos) << out;
        ASSERT_NE(right, std::string::npos) << out;
        // Cross-eyed draws the right eye first, into the left half.
        EXPECT_EQ(left < right, mode != 6) << mode;
    }
}

TEST_F(FrameTest, ClearsToTheBackgroundColour) {
    background_color = Color4(0.2f, 0.4f, 0.6f, 1.0f);
    for (int mode : {0, 1, 2}) {
        stereo_mode = mode;
        draw_frame();
        const Picture p = read_back();
        for (auto [x, y] : {std::pair{400, 300}, {1, 1}, {798, 598}}) {
            const unsigned char* c = p.at(x, y);
            EXPECT_NEAR(c[0], 51, 1) << mode;
            EXPECT_NEAR(c[1], 102, 1) << mode;
            EXPECT_NEAR(c[2], 153, 1) << mode;
        }
        keep_if_failed(p, "background_mode" + std::to_string(mode));
    }
}

TEST_F(FrameTest, FileNameShowsOnlyAfterALoadAndWhenAskedFor) {
    // Around the overlay position, 10 % in from the lower left corner.
    const int x0 = 70, y0 = 50, x1 = 400, y1 = 90;
    draw_frame();
    Picture p = read_back();
    EXPECT_EQ(count_pixels(p, is_dark, x0, y0, x1, y1), 0) << "nothing before the first load";
    keep_if_failed(p, "overlay_before_load");

    data_set.filename = "saddle_surface.dat";
    draw_frame();
    p = read_back();
    const int text_pixels = count_pixels(p, is_dark, x0, y0, x1, y1);
    EXPECT_GT(text_pixels, 100);
    // Nothing of it outside that band.
    EXPECT_EQ(count_pixels(p, is_dark), text_pixels);
    keep_if_failed(p, "overlay_after_load");

    show_file_name = 0;
    draw_frame();
    p = read_back();
    EXPECT_EQ(count_pixels(p, is_dark), 0);
    keep_if_failed(p, "overlay_switched_off");
}

TEST_F(FrameTest, StatusLineShowsARefusalUntilAGoodLoad) {
    const std::string good = ::testing::TempDir() + "zendral_quad.dat";
    const std::string bad = ::testing::TempDir() + "zendral_bad.dat";
    std::ofstream(good) << "2 2\n0 0 0\n1 0 0\n0 1 0\n1 1 0\n";
    std::ofstream(bad) << "3 3\n1 2 3\nfoo\n";
    display_mode = 4;
    object_translation[1] = 0;
    show_file_name = 0;  // a refusal shows all the same
    // Below the file name's place: 5 % up from the bottom, 10 % in.
    const int x0 = 70, y0 = 20, x1 = 700, y1 = 50;
    for (const std::string* file : {&good, &bad, &good}) {
        StdoutCapture quiet;
        data_set.read_data(file->c_str());
        quiet.finish();
        draw_frame();
        const Picture p = read_back();
        EXPECT_TRUE(is_red(p.at(400, 300))) << "the quad is drawn after loading " << *file;
        const int text = count_pixels(p, is_dark, x0, y0, x1, y1);
        if (file == &bad)
            EXPECT_GT(text, 100);
        else
            EXPECT_EQ(text, 0);
        EXPECT_EQ(count_pixels(p, is_dark), text) << "nothing dark outside the band";
        keep_if_failed(p, file == &bad ? "status_refused" : "status_plain");
    }
}

TEST_F(FrameTest, ALongStatusLineWrapsUpwardAndItsLastWordShows) {
    show_file_name = 0;
    const std::string words =
        "/a/rather/long/folder/name/of/the/kind/scientists/keep/their/runs/in/file.dat not "
        "loaded: line 1: expected two integers (number of sets, points per set), found "
        "\"PLOT3D(GRID(0\"; is it ";
    for (const int mode : {0, 5}) {
        stereo_mode = mode;
        Picture last[2];
        for (int i = 0; i < 2; ++i) {
            set_status_line(words + (i == 0 ? "\"Maple\"?" : "\"Mbple\"?"));
            draw_frame();
            last[i] = read_back();
        }
        // The two lines differ only in their last word, which must be on screen.
        EXPECT_NE(last[0].rgb, last[1].rgb) << "mode " << mode;
        // Wrapped lines stand above the first line's band (5 % up, about 30 pixels).
        EXPECT_GT(count_pixels(last[0], is_dark, 0, 50, kWidth, 120), 50) << "mode " << mode;
        EXPECT_EQ(count_pixels(last[0], is_dark, 0, 0, kWidth, 20), 0) << "mode " << mode;
        keep_if_failed(last[0], "status_wrapped_" + std::to_string(mode));
    }
}

TEST_F(FrameTest, StereoViewOnAWindowWithoutStereoSaysSo) {
    GLboolean stereo = GL_TRUE;
    glGetBooleanv(GL_STEREO, &stereo);
    if (stereo) GTEST_SKIP() << "this display has a stereo visual";
    EXPECT_EQ(overlay_status(), kStartHint);  // nothing loaded
    stereo_mode = 2;
    EXPECT_EQ(overlay_status(), kNoStereoVisualStatus);
    set_status_line("x.dat holds no points");
    EXPECT_EQ(overlay_status(), std::string("x.dat holds no points  ") + kNoStereoVisualStatus);
}

TEST_F(FrameTest, AFullPictureInPiecesIsDroppedByInputAndFinishedWhenLeftAlone) {
    load(12, 15, [](int s, int i) { return Vector3(s, std::sin(s * 0.5) + i * 0.1, i); });
    display_mode = 4;
    object_translation[1] = 0;
    set_draw_cache(true);
    piece_vertices = 20;
    draw_frame();
    const Picture whole = read_back();
    frame_budget = 0;  // a piece at a time
    display();
    EXPECT_TRUE(frame_in_progress());
    interacting = 1;  // input, with a full picture known to be slow: the reduced one
    full_frame_seconds = 1;
    display();
    EXPECT_FALSE(frame_in_progress());
    interacting = 0;
    begin_frame();
    int steps = 1;
    while (!continue_frame(frame_budget)) ++steps;
    EXPECT_GT(steps, 3);
    const Picture pieces = read_back();
    EXPECT_GT(count_pixels(whole, is_drawn), 1000);
    EXPECT_EQ(pieces.rgb, whole.rgb);
    keep_if_failed(pieces, "frame_in_pieces");
    piece_vertices = kDefaultPieceVertices;
    set_draw_cache(false);
}

TEST_F(FrameTest, TheReducedPictureIsMadeReadyOnceAfterASlowFullFrame) {
    load(40, 40, [](int s, int i) { return Vector3(s, i, s * i * 0.01); });
    display_mode = 0;
    set_draw_cache(true);
    const double budget = frame_budget;
    frame_budget = 100;
    display();
    EXPECT_FALSE(prepare_reduced_picture());  // a full frame within the budget
    frame_budget = budget;
    full_frame_seconds = 1;
    ++frames_drawn;  // as a slow full frame would leave it
    const unsigned long before = model_pieces_made();
    EXPECT_TRUE(prepare_reduced_picture());
    EXPECT_EQ(interacting, 0);
    EXPECT_FALSE(prepare_reduced_picture());  // once a frame
    const unsigned long made = model_pieces_made();
    EXPECT_GT(made, before);
    interacting = 1;
    display();  // the first input: drawn from the picture made ready
    EXPECT_EQ(model_pieces_made(), made);
    set_draw_cache(false);
}

TEST_F(FrameTest, ANewSlowPictureShowsItsReducedPictureWhileTheFullOneIsDrawn) {
    load(12, 15, [](int s, int i) { return Vector3(s, i, s * 0.1); });
    display_mode = 0;
    set_draw_cache(true);
    piece_vertices = 20;
    frame_budget = 0;  // a piece at a time
    const unsigned long shown = frames_drawn;
    display();  // records its first piece: a new picture, slower than the budget
    EXPECT_TRUE(frame_in_progress());
    EXPECT_EQ(frames_drawn, shown + 1);  // the reduced picture, swapped in
    while (!show_frame_pieces()) {
    }
    EXPECT_EQ(frames_drawn, shown + 2);
    display();  // the same picture, from its recordings: nothing shown before it
    EXPECT_TRUE(frame_in_progress());
    EXPECT_EQ(frames_drawn, shown + 2);
    piece_vertices = kDefaultPieceVertices;
    set_draw_cache(false);
}

TEST_F(FrameTest, MonoViewDrawsPlainDataRed) {
    load_quad();
    object_translation[1] = 0;
    draw_frame();
    const Picture p = read_back();
    EXPECT_TRUE(is_red(p.at(400, 300)));
    EXPECT_GT(count_pixels(p, is_red), 250 * 250);
    EXPECT_EQ(count_pixels(p, is_blue), 0);
    keep_if_failed(p, "mono_red");
}

TEST_F(FrameTest, AnaglyphDrawsTheLeftEyeRedAndTheRightEyeBlue) {
    load_quad();
    object_translation[1] = 0;
    stereo_mode = 1;
    eye_separation = 10;  // a few pixels of parallax at the quad's depth
    draw_frame();
    const Picture p = read_back();
    // The right eye meets the left eye's equal depths where they overlap, so its
    // blue shows only in the strip beside the red quad.
    const int red = count_pixels(p, is_red);
    const int blue = count_pixels(p, is_blue);
    EXPECT_GT(red, 250 * 250);
    EXPECT_GT(blue, 4 * 250);
    EXPECT_LT(blue, red / 10);
    // Behind the focal plane the left eye sees the quad further left.
    EXPECT_LT(mean_column(p, is_red), mean_column(p, is_blue));
    keep_if_failed(p, "anaglyph");
}

TEST_F(FrameTest, FileNameIsDrawnOverTheDataInItsOwnColour) {
    load_quad();
    data_set.filename = "quad.dat";
    object_translation[1] = 0;
    // The quad, enlarged about the box centre, covers the whole picture.
    scale = 4;
    background_color = Color4(0, 0, 0, 1);
    draw_frame();
    const Picture p = read_back();
    const int x0 = 70, y0 = 50, x1 = 300, y1 = 90;
    EXPECT_GT(count_pixels(p, is_red, x0, y0, x1, y1), 5000) << "the quad lies behind the name";
    EXPECT_GT(count_pixels(
                  p, [](const unsigned char* c) { return c[0] > 180 && c[1] > 180 && c[2] > 180; },
                  x0, y0, x1, y1),
              60);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    keep_if_failed(p, "overlay_over_data");
}

TEST_F(FrameTest, AxesStandAtTheBoxCentreAndTurnWithTheModel) {
    // Behind the axes, the red quad leaves texturing on with a red entry: the
    // axes keep their own colours all the same.
    load_quad();
    object_translation[1] = 0;
    show_axes = 1;
    draw_frame();
    Picture p = read_back();
    // Length 2 at distance 20 is about 72 pixels: y axis up from the centre.
    EXPECT_GT(count_pixels(p, is_green, 395, 310, 405, 360), 40);
    EXPECT_EQ(count_pixels(p, is_green, 0, 0, kWidth, 295), 0);
    keep_if_failed(p, "axes_centre");

    // Moved down 5 units and turned a quarter about z, the x axis (red) points up
    // from the new centre and the y axis (green) to the left.
    data_set.allocate_grid(0, 0);
    object_translation[1] = -5;
    angle_z = 90;
    build_rotation(angle_x, angle_y, angle_z, view_rotation);
    draw_frame();
    p = read_back();
    const int centre_y = 300 - 181;
    EXPECT_GT(count_pixels(p, is_red, 395, centre_y + 10, 405, centre_y + 60), 40);
    EXPECT_GT(count_pixels(p, is_green, 340, centre_y - 5, 390, centre_y + 5), 40);
    EXPECT_EQ(count_pixels(p, is_green, 400, 0, kWidth, kHeight), 0);
    keep_if_failed(p, "axes_turned");

    show_axes = 0;
    draw_frame();
    p = read_back();
    EXPECT_EQ(count_pixels(p, is_drawn, 0, 60), 0);  // above the start hint
    keep_if_failed(p, "axes_off");
}

// One small point placed `distance` in front of the camera, drawn by one eye
// alone; returns the mean column of its pixels.
double eye_column(int eye, double distance) {
    place_on_line_of_sight(distance);
    vp.z() = focal_length;
    const CameraFrame c = compute_camera(eye_separation, focal_length, kWidth, kHeight);
    glClearColor(1, 1, 1, 1);
    begin_eye_pass(c, eye);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_scene(eye == 0 ? c.leftv : c.rightv, eye == 0 ? left_eye_texel : right_eye_texel);
    const Picture p = read_back();
    const double column = mean_column(p, is_drawn);
    EXPECT_GE(column, 0) << "point at distance " << distance << " not drawn by eye " << eye;
    keep_if_failed(p, "eye" + std::to_string(eye) + "_distance" + std::to_string(distance));
    return column;
}

TEST_F(FrameTest, ParallaxIsZeroAtTheFocalDistanceAndChangesSideThrough) {
    load(1, 1, [](int, int) { return Vector3(3, -2, 7); });
    display_mode = 0;
    thickness = 0.08f;  // an 8-pixel point
    eye_separation = 10;

    const double focal_left = eye_column(0, focal_length);
    const double focal_right = eye_column(2, focal_length);
    EXPECT_NEAR(focal_left, focal_right, 0.25);
    EXPECT_NEAR(focal_left, kWidth / 2.0, 1.0);

    // Nearer: crossed parallax, the left eye sees the point further right; about
    // 12 pixels per eye at distance 12.
    const double near_parallax = eye_column(0, 12) - eye_column(2, 12);
    EXPECT_GT(near_parallax, 15);
    // Farther: the other way round, about 11 pixels per eye at distance 50.
    const double far_parallax = eye_column(0, 50) - eye_column(2, 50);
    EXPECT_LT(far_parallax, -15);

    // A different focal length moves the plane of zero parallax with it.
    focal_length = 35;
    EXPECT_NEAR(eye_column(0, 35), eye_column(2, 35), 0.25);
}

}  // namespace
