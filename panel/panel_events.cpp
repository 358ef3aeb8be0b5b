// GLUT side of a panel window: its callbacks, the input that waits for the next
// frame, and the frame itself. Nothing runs while nothing happens: a window draws
// on its own input (plus a few frames for ImGui to come to rest), when a program
// change or an edit asks it to, and on a timer only while a button is held or a
// rotation ball spins.
#include <GL/freeglut.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "panel/panel_window_impl.h"

namespace {
// Frames drawn after input has been handed over: hover highlights and widgets
// that finish on the frame after a release settle within them.
constexpr int kSettleFrames = 2;

int imgui_button(int glut_button) {
    switch (glut_button) {
        case GLUT_LEFT_BUTTON:
            return 0;
        case GLUT_RIGHT_BUTTON:
            return 1;
        case GLUT_MIDDLE_BUTTON:
            return 2;
        default:
            return -1;
    }
}
}  // namespace

void PanelWindow::Impl::queue(PanelInputEvent e) {
    input.push_back(e);
    glutPostWindowRedisplay(owner->glut_window_id());
}

PanelWindow* panel_window_for(int glut_window) {
    for (PanelWindow* w : panel_master.windows())
        if (w->glut_window_id() == glut_window) return w;
    return nullptr;
}

PanelWindow::Impl* PanelWindow::Impl::current() {
    PanelWindow* w = panel_window_for(glutGetWindow());
    return w ? w->impl_ : nullptr;
}

void PanelWindow::Impl::install_callbacks() {
    glutDisplayFunc(on_display);
    glutReshapeFunc(on_reshape);
    glutMouseFunc(on_mouse);
    glutMotionFunc(on_motion);
    glutPassiveMotionFunc(on_motion);
    glutEntryFunc(on_entry);
    glutKeyboardFunc(on_keyboard);
    glutKeyboardUpFunc(on_keyboard_up);
    glutSpecialFunc(on_special);
    glutSpecialUpFunc(on_special_up);
}

void PanelWindow::Impl::setup_context() {
    ImGuiContext* previous = ImGui::GetCurrentContext();
    context = ImGui::CreateContext();
    ImGui::SetCurrentContext(context);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the viewer writes no files
    io.LogFilename = nullptr;
    io.ConfigInputTextCursorBlink = false;  // a blinking cursor would need frames
    io.BackendPlatformName = "zendral panel (GLUT)";
    // Characters 0..255 are GLUT's keyboard codes, 256 + k its special key k.
    io.KeyMap[ImGuiKey_Tab] = '\t';
    io.KeyMap[ImGuiKey_LeftArrow] = 256 + GLUT_KEY_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = 256 + GLUT_KEY_RIGHT;
    io.KeyMap[ImGuiKey_UpArrow] = 256 + GLUT_KEY_UP;
    io.KeyMap[ImGuiKey_DownArrow] = 256 + GLUT_KEY_DOWN;
    io.KeyMap[ImGuiKey_PageUp] = 256 + GLUT_KEY_PAGE_UP;
    io.KeyMap[ImGuiKey_PageDown] = 256 + GLUT_KEY_PAGE_DOWN;
    io.KeyMap[ImGuiKey_Home] = 256 + GLUT_KEY_HOME;
    io.KeyMap[ImGuiKey_End] = 256 + GLUT_KEY_END;
    io.KeyMap[ImGuiKey_Insert] = 256 + GLUT_KEY_INSERT;
    io.KeyMap[ImGuiKey_Delete] = 127;
    io.KeyMap[ImGuiKey_Backspace] = 8;
    io.KeyMap[ImGuiKey_Space] = ' ';
    io.KeyMap[ImGuiKey_Enter] = 13;
    io.KeyMap[ImGuiKey_Escape] = 27;
    io.KeyMap[ImGuiKey_KeyPadEnter] = 13;
    io.KeyMap[ImGuiKey_A] = 'A';
    io.KeyMap[ImGuiKey_C] = 'C';
    io.KeyMap[ImGuiKey_V] = 'V';
    io.KeyMap[ImGuiKey_X] = 'X';
    io.KeyMap[ImGuiKey_Y] = 'Y';
    io.KeyMap[ImGuiKey_Z] = 'Z';
    ImGui::StyleColorsLight();
    ImGui::GetStyle().WindowBorderSize = 0.0f;  // the GLUT window is the frame
    ImGui_ImplOpenGL2_Init();
    ImGui::SetCurrentContext(previous);
}

bool PanelWindow::Impl::apply_input() {
    ImGuiIO& io = ImGui::GetIO();
    bool any = false;
    // ImGui of this version sees only the state at each frame, so a press and its
    // release must reach it in different frames: stop after each such change.
    while (!input.empty()) {
        const PanelInputEvent e = input.front();
        input.pop_front();
        any = true;
        io.KeyCtrl = (e.mods & GLUT_ACTIVE_CTRL) != 0;
        io.KeyShift = (e.mods & GLUT_ACTIVE_SHIFT) != 0;
        io.KeyAlt = (e.mods & GLUT_ACTIVE_ALT) != 0;
        switch (e.kind) {
            case PanelInputEvent::kMove:
                io.MousePos = ImVec2(float(e.a), float(e.b));
                break;
            case PanelInputEvent::kLeave:
                io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
                break;
            case PanelInputEvent::kWheel:
                io.MouseWheel += float(e.a);
                break;
            case PanelInputEvent::kChar:
                io.AddInputCharacter(static_cast<unsigned>(e.a));
                break;
            case PanelInputEvent::kButton:
                if (io.MouseDown[e.a] == e.down) break;
                io.MouseDown[e.a] = e.down;
                return true;
            case PanelInputEvent::kKey:
                if (io.KeysDown[e.a] == e.down) break;
                io.KeysDown[e.a] = e.down;
                return true;
        }
    }
    return any;
}

void PanelWindow::Impl::frame() {
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGui::SetCurrentContext(context);
    ImGuiIO& io = ImGui::GetIO();
    const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    io.DisplaySize = ImVec2(float(std::max(width, 1)), float(std::max(height, 1)));
    const int now = glutGet(GLUT_ELAPSED_TIME);
    io.DeltaTime = float(std::max(now - last_frame_ms, 1)) / 1000.0f;
    last_frame_ms = now;
    if (apply_input()) settle = kSettleFrames;

    ImGui_ImplOpenGL2_NewFrame();
    ImGui::NewFrame();
    rects.clear();
    const ImVec2 fit = paint_window();
    held = ImGui::IsAnyItemActive() && (io.MouseDown[0] || io.MouseDown[1] || io.MouseDown[2]);
    ImGui::Render();

    glViewport(0, 0, width, height);
    const ImVec4 bg = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
    glClearColor(bg.x, bg.y, bg.z, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glutSwapBuffers();
    ++frames;

    // Grow or shrink to the contents (a rollout opened or closed, an item added).
    const int want_w = static_cast<int>(std::ceil(fit.x));
    const int want_h = static_cast<int>(std::ceil(fit.y));
    if ((want_w != width || want_h != height) &&
        (want_w != asked_width || want_h != asked_height)) {
        asked_width = want_w;
        asked_height = want_h;
        glutReshapeWindow(want_w, want_h);
    }

    const int self = owner->glut_window_id();
    std::vector<std::function<void()>> todo;
    todo.swap(edits);
    for (auto& edit : todo) edit();
    ImGui::SetCurrentContext(previous);

    if (!input.empty() || !todo.empty()) {
        glutPostWindowRedisplay(self);
    } else if (settle > 0) {
        --settle;
        glutPostWindowRedisplay(self);
    }
    if (held) owner->keep_ticking();  // spinner arrows repeat while held
}

void PanelWindow::Impl::on_display() {
    if (Impl* w = current()) w->frame();
}

void PanelWindow::Impl::on_reshape(int, int) {
    glutPostRedisplay();
}

void PanelWindow::Impl::on_mouse(int button, int state, int x, int y) {
    if (Impl* w = current()) w->mouse(button, state == GLUT_DOWN, x, y, glutGetModifiers());
}

void PanelWindow::Impl::mouse(int button, bool down, int x, int y, int mods) {
    input.push_back({PanelInputEvent::kMove, x, y, false, mods});
    if (button == 3 || button == 4) {  // the wheel, as GLUT reports it
        if (down) queue({PanelInputEvent::kWheel, button == 3 ? 1 : -1, 0, false, mods});
        return;
    }
    const int b = imgui_button(button);
    if (b >= 0) queue({PanelInputEvent::kButton, b, 0, down, mods});
}

void PanelWindow::Impl::on_motion(int x, int y) {
    if (Impl* w = current()) w->queue({PanelInputEvent::kMove, x, y, false, 0});
}

void PanelWindow::Impl::on_entry(int state) {
    Impl* w = current();
    if (w && state == GLUT_LEFT) w->queue({PanelInputEvent::kLeave, 0, 0, false, 0});
}

void PanelWindow::Impl::on_keyboard(unsigned char c, int, int) {
    if (Impl* w = current()) w->key(c, true, glutGetModifiers());
}

void PanelWindow::Impl::on_keyboard_up(unsigned char c, int, int) {
    if (Impl* w = current()) w->key(c, false, glutGetModifiers());
}

void PanelWindow::Impl::key(unsigned char c, bool down, int mods) {
    if (down && c >= 32 && c < 127 && !(mods & (GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT))) {
        queue({PanelInputEvent::kChar, c, 0, false, mods});
        return;
    }
    // One key index per physical key, whatever the modifiers: a letter pressed
    // with Ctrl arrives as its control code 1..26 but may be released as the
    // letter once Ctrl is up (or the other way round), and ImGui's shortcuts
    // look for the letter. Backspace, Tab and Enter keep their own codes.
    int index = c;
    if (c >= 'a' && c <= 'z') index = c - 'a' + 'A';
    if (c >= 1 && c <= 26 && c != 8 && c != '\t' && c != '\r') index = 'A' + c - 1;
    // A plain character went in as a character; its release changes nothing then.
    queue({PanelInputEvent::kKey, index, 0, down, mods});
}

void PanelWindow::Impl::on_special(int key, int, int) {
    Impl* w = current();
    if (w && key >= 0 && key < 256)
        w->queue({PanelInputEvent::kKey, 256 + key, 0, true, glutGetModifiers()});
}

void PanelWindow::Impl::on_special_up(int key, int, int) {
    Impl* w = current();
    if (w && key >= 0 && key < 256)
        w->queue({PanelInputEvent::kKey, 256 + key, 0, false, glutGetModifiers()});
}

void PanelWindow::Impl::on_tick(int glut_window) {
    PanelWindow* w = panel_window_for(glut_window);
    if (!w) return;
    w->impl_->ticking = false;
    bool spinning = false;
    for (PanelControl* c : w->controls()) {
        if (auto* r = dynamic_cast<PanelRotation*>(c)) {
            r->step_spin();
            spinning = spinning || r->spinning();
        }
    }
    w->request_redraw();
    // A held button keeps the timer going from the frame; a spin from here.
    if (spinning) w->keep_ticking();
}
