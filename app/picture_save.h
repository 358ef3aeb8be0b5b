#pragma once
// Saving the picture as shown: the frame just drawn, read back before the swap,
// written as a PNG into the folder Zendral was started in (the data folder may be
// read-only or shared), named after the data file. Only on request: "Save
// picture" on the panel, the key w, or --save on the command line.

#include <string>

#include "app/png_file.h"

extern std::string picture_folder;   // where pictures go; set at start to the start folder
extern bool picture_save_requested;  // the main window's next frame is to be saved

// Asks for the main window's next frame to be saved, and for that frame.
void request_picture_save();

// Reads `width` x `height` pixels from the colour buffer `buffer` (a GLenum) of
// the current framebuffer.
Image read_frame(unsigned buffer, int width, int height);

// The picture window's frame just drawn: its back buffer; in "StereoView" on a
// window with stereo buffers, the left and right back buffers side by side.
Image read_window_frame();

// Writes `picture` to `path` (a new name only, with `exclusive`) in the kind its
// name says (app/picture_file.h), then says
// "Saved <path>" or "Cannot save <path>: <reason>" on the console and the status
// line. Returns whether it was written.
bool write_picture(const Image& picture, const std::string& path, bool exclusive);

// Writes `picture` as <data file name>-<n>.png in picture_folder, n from 1 the
// first not taken ("zendral" before any file), and reports as write_picture.
bool save_picture(const Image& picture);
