// Drawing of the movement controls with ImGui: the rotation ball, which shows the
// turned axes and hands presses, drags and releases to the control, and the
// translation pads, which hand on the pointer's movement in pixels.
#include <imgui.h>

#include "panel/panel_window_impl.h"

using namespace panel_layout;

namespace {
void arrow(ImDrawList* dl, ImVec2 tip, ImVec2 dir, float size, ImU32 col) {
    const ImVec2 side(-dir.y, dir.x);
    const ImVec2 base(tip.x - dir.x * size, tip.y - dir.y * size);
    dl->AddTriangleFilled(tip, ImVec2(base.x + side.x * size * 0.6f, base.y + side.y * size * 0.6f),
                          ImVec2(base.x - side.x * size * 0.6f, base.y - side.y * size * 0.6f),
                          col);
}

// The label centred under the square just drawn.
void label_below(const std::string& label, float left, float width) {
    ImGui::SetCursorScreenPos(
        ImVec2(left + (width - text_width(label)) * 0.5f, ImGui::GetItemRectMax().y + 2.0f));
    ImGui::TextUnformatted(label.c_str());
}

ImU32 pad_colour(bool hot) {
    return ImGui::GetColorU32(hot ? ImGuiCol_FrameBgHovered : ImGuiCol_FrameBg);
}
}  // namespace

void PanelWindow::Impl::paint_rotation(PanelRotation* r, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    ImGui::SetCursorScreenPos(ImVec2(origin.x + (width - kMoveSize) * 0.5f, origin.y));
    ImGui::InvisibleButton("##ball", ImVec2(kMoveSize, kMoveSize));
    remember_rect(r);
    const float radius = PanelRotation::kRadius;
    const ImVec2 lo = ImGui::GetItemRectMin();
    const ImVec2 centre(lo.x + radius, lo.y + radius);
    const ImGuiIO& io = ImGui::GetIO();
    // Positions go to the control from the centre, with y upward.
    if (ImGui::IsItemActivated()) {
        const ImVec2 p(io.MouseClickedPos[0].x - centre.x, centre.y - io.MouseClickedPos[0].y);
        edits.push_back([r, p] { r->press(p.x, p.y); });
    }
    if (ImGui::IsItemActive() && (io.MouseDelta.x != 0.0f || io.MouseDelta.y != 0.0f)) {
        const ImVec2 p(io.MousePos.x - centre.x, centre.y - io.MousePos.y);
        edits.push_back([r, p] { r->drag_to(p.x, p.y); });
    }
    if (ImGui::IsItemDeactivated()) edits.push_back([r] { r->release(); });

    ImDrawList* dl = ImGui::GetWindowDrawList();
    dl->AddCircleFilled(centre, radius, pad_colour(ImGui::IsItemActive() || ImGui::IsItemHovered()),
                        48);
    dl->AddCircle(centre, radius, ImGui::GetColorU32(ImGuiCol_Border), 48);
    // The three axes of the turned object, the far ones first and fainter.
    const float* m = r->matrix();
    const ImU32 colours[3] = {IM_COL32(200, 40, 40, 255), IM_COL32(40, 160, 40, 255),
                              IM_COL32(40, 70, 210, 255)};
    for (int pass = 0; pass < 2; ++pass) {
        for (int axis = 0; axis < 3; ++axis) {
            const float x = m[axis * 4], y = m[axis * 4 + 1], z = m[axis * 4 + 2];
            if ((z >= 0.0f) != (pass == 1)) continue;
            const ImVec2 tip(centre.x + x * radius * 0.85f, centre.y - y * radius * 0.85f);
            ImU32 col = colours[axis];
            if (pass == 0) col = (col & 0x00FFFFFFu) | 0x60000000u;
            dl->AddLine(centre, tip, col, 2.0f);
            dl->AddCircleFilled(tip, 2.5f, col);
        }
    }
    label_below(r->label(), origin.x, width);
}

void PanelWindow::Impl::paint_translation(PanelTranslation* t, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    ImGui::SetCursorScreenPos(ImVec2(origin.x + (width - kMoveSize) * 0.5f, origin.y));
    ImGui::InvisibleButton("##pad", ImVec2(kMoveSize, kMoveSize));
    remember_rect(t);
    const ImGuiIO& io = ImGui::GetIO();
    // On the press itself the delta is the way the pointer came from elsewhere.
    if (ImGui::IsItemActive() && !ImGui::IsItemActivated() &&
        (io.MouseDelta.x != 0.0f || io.MouseDelta.y != 0.0f)) {
        const ImVec2 d = io.MouseDelta;
        edits.push_back([t, d] { t->user_drag(d.x, -d.y); });
    }

    ImDrawList* dl = ImGui::GetWindowDrawList();
    const ImVec2 lo = ImGui::GetItemRectMin(), hi = ImGui::GetItemRectMax();
    dl->AddRectFilled(lo, hi, pad_colour(ImGui::IsItemActive() || ImGui::IsItemHovered()), 4.0f);
    dl->AddRect(lo, hi, ImGui::GetColorU32(ImGuiCol_Border), 4.0f);
    const ImVec2 mid((lo.x + hi.x) * 0.5f, (lo.y + hi.y) * 0.5f);
    const float reach = kMoveSize * 0.4f, head = 7.0f;
    const ImU32 col = ImGui::GetColorU32(ImGuiCol_Text);
    const int type = t->type();
    if (type == PANEL_TRANSLATION_XY || type == PANEL_TRANSLATION_X) {
        dl->AddLine(ImVec2(mid.x - reach, mid.y), ImVec2(mid.x + reach, mid.y), col, 2.0f);
        arrow(dl, ImVec2(mid.x + reach, mid.y), ImVec2(1, 0), head, col);
        arrow(dl, ImVec2(mid.x - reach, mid.y), ImVec2(-1, 0), head, col);
    }
    if (type != PANEL_TRANSLATION_X) {
        dl->AddLine(ImVec2(mid.x, mid.y - reach), ImVec2(mid.x, mid.y + reach), col, 2.0f);
        arrow(dl, ImVec2(mid.x, mid.y - reach), ImVec2(0, -1), head, col);
        arrow(dl, ImVec2(mid.x, mid.y + reach), ImVec2(0, 1), head, col);
    }
    if (type == PANEL_TRANSLATION_Z) dl->AddCircle(mid, reach * 0.45f, col, 24, 2.0f);  // depth
    label_below(t->label(), origin.x, width);
}
