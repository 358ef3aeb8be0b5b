// Saving the picture: the frame just drawn, as shown, under the next free name
// in the start folder, or why not.

#include <unistd.h>

#include "app/picture_save.h"
#include "tests/app/frame_fixture.h"

namespace {

TEST_F(FrameTest, SavePictureWritesTheFrameJustDrawnUnderTheNextFreeName) {
    char folder[] = "/tmp/zendral-save-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    picture_folder = folder;
    load_quad();
    data_set.filename = "quad.dat";
    main_window = window_;
    request_picture_save();
    StdoutCapture capture;
    display();  // draws, saves before the swap, swaps
    save_picture(Image{1, 1, {0, 0, 0}});
    const std::string first = std::string(folder) + "/quad.dat-1.png";
    const std::string second = std::string(folder) + "/quad.dat-2.png";
    EXPECT_EQ(capture.finish(), "Saved " + first + "\nSaved " + second + "\n");
    EXPECT_EQ(status_line(), "Saved " + second);
    EXPECT_FALSE(picture_save_requested);

    // The same frame again, before the save said anything on the status line.
    set_status_line("");
    draw_frame();
    const Picture frame = read_back();
    Image saved;
    ASSERT_TRUE(read_png(first, saved));
    EXPECT_EQ(saved.width, kWidth);
    EXPECT_EQ(saved.height, kHeight);
    EXPECT_TRUE(saved.rgb == frame.rgb);
    EXPECT_GT(count_pixels(frame, is_red), 1000);
    keep_if_failed(frame, "save_picture_frame");

    // Nothing is written where it cannot be, and the status line says why.
    picture_folder = std::string(folder) + "/gone";
    StdoutCapture refused;
    EXPECT_FALSE(save_picture(Image{1, 1, {0, 0, 0}}));
    const std::string why = "Cannot save " + picture_folder + "/quad.dat-1.png: No such file or directory";
    EXPECT_EQ(refused.finish(), why + "\n");
    EXPECT_EQ(status_line(), why);
    main_window = 0;
    picture_folder.clear();
    std::filesystem::remove_all(folder);
}

}  // namespace
