#pragma once
// Shared set-up of the control-panel tests: a GL window standing in for the
// picture window, both panel windows built once per process over a start folder
// of known files, and every setting the tests touch back at its default.

#include <GL/glut.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/input.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "panel/panel.h"
#include "tests/support/gl_context.h"
#include "tests/support/stdout_capture.h"
#include "ui/control_callback.h"
#include "ui/control_panel.h"
#include "ui/data_folder.h"

// A fresh empty folder under the temporary directory.
inline std::string make_temp_folder() {
    char pattern[] = "/tmp/zendral-ui-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) ADD_FAILURE() << "mkdtemp failed";
    return made ? made : "/tmp";
}

inline void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
}

// Small files in each format (the Maple one is the 3 x 3 example grid).
inline const char* kCurveData = "1 3\n0 0 0\n1 1 1\n2 0 2\n";
inline const char* kColorData = "1 2\n0 0 0 3\n1 2 4 7.9\n";
inline const char* kMapleGrid =
    "PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,\\\n"
    "5.],[6.,7.,8.]]),STYLE(PATCH))\n";

class UiTest : public ::testing::Test {
  protected:
    // Folder whose Data/ is the start folder: a_curve.dat, b_colors.cdat,
    // c_grid.mpl and the hidden .notes.
    static inline std::string root;
    static inline std::string build_output;  // what building the panel printed
    // Right after the build: "red:", "green:", "blue:", "Transparency:" as shown,
    // and the data colour table.
    static inline float built_spinners[4];
    static inline Color4 built_data_colors[kDataColorSlots];

    static std::string start_folder() { return root + "/Data"; }

    void SetUp() override {
        main_window = ensure_gl_context();
        window_kind = kDoubleBufferedWindow;  // the test window stands for the main window
        install_window_services();
        if (!control_glui) {
            root = make_temp_folder();
            mkdir((root + "/Data").c_str(), 0755);
            write_file(root + "/Data/a_curve.dat", kCurveData);
            write_file(root + "/Data/b_colors.cdat", kColorData);
            write_file(root + "/Data/c_grid.mpl", kMapleGrid);
            write_file(root + "/Data/.notes", "not data\n");
            if (chdir(root.c_str()) != 0) ADD_FAILURE() << "chdir " << root;
            StdoutCapture capture;
            build_control_panel();
            build_output = capture.finish();
            const char* spinners[4] = {"red:", "green:", "blue:", "Transparency:"};
            for (int i = 0; i < 4; ++i) built_spinners[i] = control(spinners[i])->get_float_val();
            for (int i = 0; i < kDataColorSlots; ++i) built_data_colors[i] = data_colors[i];
        }
        restore_defaults();
    }

    // Every setting back at its start value, as building the panel leaves it and
    // shown on the panel.
    static void restore_defaults() {
        StdoutCapture quiet;
        set_start_values();
        for (int i = 0; i < kDataColorSlots; ++i) data_colors[i] = built_data_colors[i];
        folder_field->set_text(start_folder().c_str());
        filter_field->set_text("*.*");
        refresh_file_list();
        files_list->set_int_val(0);
        last_listitem = 0;
        shown_file.clear();
        red_spinner->set_float_val(1.0f);
        green_spinner->set_float_val(1.0f);
        blue_spinner->set_float_val(1.0f);
        light1_intensity_spinner->enable();
        light2_intensity_spinner->enable();
        movement_glui->show();
        panel_master.sync_live_all();
        // The picture window as start-up leaves it: both lights on, base colours.
        glutSetWindow(main_window);
        init_lights();
        quiet.finish();
    }

    static PanelControl* control(const char* label, const char* group = nullptr) {
        PanelControl* c = panel_master.find_control("Control Display", label, group);
        if (!c) ADD_FAILURE() << "no control \"" << label << "\"";
        return c;
    }
    static PanelControl* movement(const char* label) {
        PanelControl* c = panel_master.find_control("Movement Controls", label);
        if (!c) ADD_FAILURE() << "no movement control \"" << label << "\"";
        return c;
    }
};
