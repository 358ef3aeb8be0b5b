#pragma once
// Shared set-up of the panel tests: a GL context (the test window, which also
// serves as the main graphics window), a fresh panel window per test, and a
// callback that records each id with the value its live variable had by then.

#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "panel/panel.h"
#include "tests/support/gl_context.h"

struct CallRecord {
    int id;
    double live;         // the watched live variable, read inside the callback
    int current_window;  // the GLUT window current during the callback
};

class PanelTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        calls.clear();
        watched_int = nullptr;
        watched_float = nullptr;
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        // Test processes may share one X server; a window that another one covers
        // is not drawn, so each process takes a place of its own beside the test window.
        const int slot = static_cast<int>(getpid() % 12);
        panel_ = panel_master.create_window(name.c_str(), 0, 850 + (slot % 4) * 260,
                                            30 + (slot / 4) * 380);
        panel_->set_main_gfx_window(window_);
    }

    // Live variables of a test die with it, so its windows go too.
    void TearDown() override {
        while (panel_master.windows().size() > 0)
            panel_master.close_window(panel_master.windows().back());
    }

    // Handles GLUT's pending events (and so draws what waits to be drawn) for a while.
    static void pump(int rounds = 20) {
        for (int i = 0; i < rounds; ++i) {
            glutMainLoopEvent();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    static void record(int id) {
        double live = 0.0;
        if (watched_int) live = *watched_int;
        if (watched_float) live = *watched_float;
        calls.push_back({id, live, glutGetWindow()});
    }

    PanelWindow* panel_ = nullptr;
    static inline std::vector<CallRecord> calls;
    static inline const int* watched_int = nullptr;
    static inline const float* watched_float = nullptr;
};
