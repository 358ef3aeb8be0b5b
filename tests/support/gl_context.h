#pragma once
// A real GL context for tests: one small double-buffered GLUT window with a depth
// buffer, created once per test process (under Xvfb when there is no display).

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Initialises GLUT once and returns the id of the test window, made current.
int ensure_gl_context(int width = 800, int height = 600);

// Test base: the window is current and sized before each test.
class GlTest : public ::testing::Test {
  protected:
    void SetUp() override { window_ = ensure_gl_context(); }
    int window_ = 0;
};

// Reads the RGB pixels of the current read buffer, bottom row first.
std::vector<unsigned char> read_pixels(int x, int y, int w, int h);

// Writes RGB pixels (bottom row first, as GL reads them) as a PNG file, through
// ImageMagick's convert; returns false when that fails.
bool save_png(const std::string& path, const std::vector<unsigned char>& rgb, int w, int h);
