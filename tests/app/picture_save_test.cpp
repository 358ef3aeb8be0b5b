// Saving the picture: the frame just drawn, as shown, under the next free name
// in the start folder, or why not.

#include "app/picture_save.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
    const std::string why =
        "Cannot save " + picture_folder + "/quad.dat-1.png: No such file or directory";
    EXPECT_EQ(refused.finish(), why + "\n");
    EXPECT_EQ(status_line(), why);
    main_window = 0;
    picture_folder.clear();
    std::filesystem::remove_all(folder);
}

// A picture of w x h pixels, each byte from `seed` and its place.
Image pattern(int w, int h, unsigned seed) {
    Image image{w, h, std::vector<unsigned char>(static_cast<std::size_t>(w) * h * 3)};
    for (unsigned char& byte : image.rgb)
        byte = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 16);
    return image;
}

// Saves in a child process; returns its pid.
pid_t save_in_child(const Image& image, const std::string& path) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::string why;
        _exit(write_png(path, image, false, why) ? 0 : 1);
    }
    return pid;
}

TEST(PictureFile, AKilledSaveKeepsTheOldPictureAndSavesAtOnceEachLeaveAWholeOne) {
    char folder[] = "/tmp/zendral-file-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/picture.png";
    std::string why;
    const Image old = pattern(8, 8, 1);
    ASSERT_TRUE(write_png(path, old, false, why)) << why;

    // Killed while it compresses or writes a picture of some seconds' work.
    const pid_t killed = save_in_child(pattern(3000, 3000, 2), path);
    usleep(100 * 1000);
    kill(killed, SIGKILL);
    int how = 0;
    waitpid(killed, &how, 0);
    EXPECT_TRUE(WIFSIGNALED(how));  // killed before it was done
    Image kept;
    EXPECT_TRUE(read_png(path, kept) && kept.rgb == old.rgb);

    // Two saves to one name at once: the file is one picture or the other, whole.
    const Image a = pattern(300, 200, 3), b = pattern(200, 300, 4);
    for (int round = 0; round < 5; ++round) {
        const pid_t first = save_in_child(a, path), second = save_in_child(b, path);
        int status_a = 0, status_b = 0;
        waitpid(first, &status_a, 0);
        waitpid(second, &status_b, 0);
        EXPECT_TRUE(WIFEXITED(status_a) && WEXITSTATUS(status_a) == 0 && WIFEXITED(status_b) &&
                    WEXITSTATUS(status_b) == 0);
        Image now;
        EXPECT_TRUE(read_png(path, now) && (now.rgb == a.rgb || now.rgb == b.rgb));
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
