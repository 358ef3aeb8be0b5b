#pragma once
// Inside of a panel window: its ImGui context, the GLUT input waiting for the next
// frame, the user edits the frame collected, and what the last frame laid out.
// Only the panel layer's own files include this.

#include <imgui.h>

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "panel/panel.h"

// One GLUT input event, kept until a frame hands it to ImGui.
struct PanelInputEvent {
    enum Kind { kMove, kLeave, kButton, kWheel, kKey, kChar } kind;
    int a = 0, b = 0;   // position; button; wheel steps; key index; character
    bool down = false;  // button or key pressed
    int mods = 0;       // GLUT modifier bits at the time
};

struct PanelWindow::Impl {
    PanelWindow* owner = nullptr;
    ImGuiContext* context = nullptr;
    std::deque<PanelInputEvent> input;
    // User edits found while a frame is built; they run once it is on screen, so
    // that a callback may do anything (open windows, change controls).
    std::vector<std::function<void()>> edits;
    int last_frame_ms = 0;
    int asked_width = 0, asked_height = 0;  // size last requested from GLUT
    int frames = 0;
    int settle = 0;        // frames still to draw after input, until ImGui is at rest
    bool ticking = false;  // a GLUT timer for this window is pending
    bool held = false;     // the last frame had a control held by the pointer
    std::unordered_map<const PanelControl*, ImVec4> rects;           // x, y, w, h of the last frame
    std::unordered_map<const PanelControl*, std::string> edit_text;  // text fields being typed in
    std::unordered_map<const PanelControl*, double> typed;           // numbers typed into spinners

    // GLUT callbacks of the window (panel_events.cpp); each finds its window from
    // the current GLUT window and makes its ImGui context current.
    static void install_callbacks();
    static void on_display();
    static void on_reshape(int w, int h);
    static void on_mouse(int button, int state, int x, int y);
    static void on_motion(int x, int y);
    static void on_entry(int state);
    static void on_keyboard(unsigned char c, int x, int y);
    static void on_keyboard_up(unsigned char c, int x, int y);
    static void on_special(int key, int x, int y);
    static void on_special_up(int key, int x, int y);
    static void on_tick(int glut_window);
    static Impl* current();
    // The input of one mouse button or key, from GLUT or from a program acting as
    // the user (PanelWindow::user_mouse, user_key).
    void mouse(int button, bool down, int x, int y, int mods);
    void key(unsigned char c, bool down, int mods);

    void queue(PanelInputEvent e);  // keeps it for the next frame, and asks for one
    void setup_context();           // new ImGui context with the GLUT key map
    bool apply_input();             // true when some input reached ImGui
    void frame();                   // one frame: build, draw, refit, run the edits

    // Layout (panel_layout.cpp): paint_window returns the window size that fits
    // the contents; measure gives a control's width, which alignment needs
    // before the control is drawn.
    ImVec2 paint_window();
    void paint_children(const std::vector<PanelControl*>& kids);
    void paint(PanelControl* c, float column_width);
    float measure(const PanelControl* c) const;
    void remember_rect(const PanelControl* c);

    // One kind of control each, drawn `width` wide (panel_paint.cpp,
    // panel_paint_movement.cpp).
    void paint_rollout(PanelRollout* r);
    void paint_frame(PanelFrame* f, float width);
    void paint_radio_group(PanelRadioGroup* g);
    void paint_checkbox(PanelCheckbox* c);
    void paint_spinner(PanelSpinner* s, float width);
    void paint_list_box(PanelListBox* l, float width);
    void paint_text_field(PanelTextField* t, float width);
    void paint_button(PanelButton* b, float width);
    void paint_static_text(PanelStaticText* t);
    void paint_rotation(PanelRotation* r, float width);
    void paint_translation(PanelTranslation* t, float width);
};

// Sizes of the panel layout, in pixels.
namespace panel_layout {
constexpr float kSpinnerField = 70.0f;  // a spinner's number field
constexpr float kTextField = 160.0f;    // a text field without a width request
constexpr float kListMin = 80.0f;       // narrowest list box
constexpr float kButtonMin = 90.0f;     // narrowest button
constexpr float kIndent = 12.0f;        // of a rollout's contents
constexpr float kFrameInset = 8.0f;     // between a framed panel's border and contents
constexpr float kMoveSize = 2.0f * PanelRotation::kRadius;  // rotation and translation squares

inline float text_width(const std::string& s) {
    return ImGui::CalcTextSize(s.c_str()).x;
}
}  // namespace panel_layout

// The panel window with that GLUT window id, or null.
PanelWindow* panel_window_for(int glut_window);
