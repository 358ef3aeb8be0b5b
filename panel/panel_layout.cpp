// Layout of a panel window with ImGui: columns, groups and alignment, and the size
// that fits the contents. Each control is drawn by the paint_... of its kind.
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>

#include "panel/panel_window_impl.h"

using namespace panel_layout;

void PanelWindow::Impl::remember_rect(const PanelControl* c) {
    const ImVec2 lo = ImGui::GetItemRectMin(), hi = ImGui::GetItemRectMax();
    rects[c] = ImVec4(lo.x, lo.y, hi.x - lo.x, hi.y - lo.y);
}

float PanelWindow::Impl::measure(const PanelControl* c) const {
    const ImGuiStyle& st = ImGui::GetStyle();
    const float fh = ImGui::GetFrameHeight();
    const float lw = text_width(c->label());
    const float request = static_cast<float>(c->width_request());
    if (auto* r = dynamic_cast<const PanelRollout*>(c)) {
        float w = fh + lw + st.FramePadding.x * 2.0f;
        if (r->is_open())
            for (const PanelControl* k : r->children()) w = std::max(w, kIndent + measure(k));
        return w;
    }
    if (auto* f = dynamic_cast<const PanelFrame*>(c)) {
        float inner = 0.0f;
        for (const PanelControl* k : f->children()) inner = std::max(inner, measure(k));
        return std::max(lw, inner + 2.0f * kFrameInset);
    }
    if (dynamic_cast<const PanelRadioGroup*>(c)) {
        float w = 0.0f;
        for (const PanelControl* k : c->children()) w = std::max(w, measure(k));
        return w;
    }
    if (dynamic_cast<const PanelRadioButton*>(c) || dynamic_cast<const PanelCheckbox*>(c))
        return fh + st.ItemInnerSpacing.x + lw;
    if (dynamic_cast<const PanelSpinner*>(c)) {
        const float fixed = lw + st.ItemSpacing.x + st.ItemInnerSpacing.x + 2.0f * fh + 1.0f;
        return fixed + std::max(kSpinnerField, request - fixed);
    }
    if (auto* l = dynamic_cast<const PanelListBox*>(c)) {
        float items = 0.0f;
        for (const auto& item : l->items()) items = std::max(items, text_width(item.text));
        const float field = std::max(kListMin, items + st.FramePadding.x * 2.0f + fh);
        return std::max(lw + st.ItemSpacing.x + field, request);
    }
    if (dynamic_cast<const PanelTextField*>(c))
        return std::max(lw + st.ItemSpacing.x + kTextField, request);
    if (dynamic_cast<const PanelButton*>(c))
        return std::max({lw + st.FramePadding.x * 2.0f, kButtonMin, request});
    if (dynamic_cast<const PanelRotation*>(c) || dynamic_cast<const PanelTranslation*>(c))
        return std::max(kMoveSize, lw);
    return lw;  // static text
}

void PanelWindow::Impl::paint_children(const std::vector<PanelControl*>& kids) {
    float column = 0.0f;
    for (const PanelControl* k : kids) column = std::max(column, measure(k));
    for (PanelControl* k : kids) paint(k, column);
}

void PanelWindow::Impl::paint(PanelControl* c, float column_width) {
    const float w = measure(c);
    float shift = 0.0f;
    if (c->alignment() == PANEL_ALIGN_RIGHT) shift = column_width - w;
    if (c->alignment() == PANEL_ALIGN_CENTER) shift = (column_width - w) * 0.5f;
    if (shift > 0.0f) ImGui::SetCursorPosX(ImGui::GetCursorPosX() + shift);

    // Labels repeat ("Enabled", "Intensity:"): the control itself tells ImGui's ids apart.
    ImGui::PushID(c);
    ImGui::BeginDisabled(!c->enabled());  // also greys everything inside a group
    if (auto* r = dynamic_cast<PanelRollout*>(c))
        paint_rollout(r);
    else if (auto* f = dynamic_cast<PanelFrame*>(c))
        paint_frame(f, w);
    else if (auto* g = dynamic_cast<PanelRadioGroup*>(c))
        paint_radio_group(g);
    else if (auto* cb = dynamic_cast<PanelCheckbox*>(c))
        paint_checkbox(cb);
    else if (auto* s = dynamic_cast<PanelSpinner*>(c))
        paint_spinner(s, w);
    else if (auto* l = dynamic_cast<PanelListBox*>(c))
        paint_list_box(l, w);
    else if (auto* t = dynamic_cast<PanelTextField*>(c))
        paint_text_field(t, w);
    else if (auto* b = dynamic_cast<PanelButton*>(c))
        paint_button(b, w);
    else if (auto* rot = dynamic_cast<PanelRotation*>(c))
        paint_rotation(rot, w);
    else if (auto* tr = dynamic_cast<PanelTranslation*>(c))
        paint_translation(tr, w);
    else if (auto* st = dynamic_cast<PanelStaticText*>(c))
        paint_static_text(st);
    ImGui::EndDisabled();
    ImGui::PopID();
}

ImVec2 PanelWindow::Impl::paint_window() {
    const ImGuiStyle& st = ImGui::GetStyle();
    ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
    ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
    ImGui::Begin("##panel", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus |
                     ImGuiWindowFlags_NoScrollWithMouse);

    // Column breaks split the top level into columns side by side.
    std::vector<std::vector<PanelControl*>> columns(1);
    std::vector<const PanelColumn*> breaks;
    for (PanelControl* c : owner->top_level()) {
        if (auto* col = dynamic_cast<const PanelColumn*>(c)) {
            columns.emplace_back();
            breaks.push_back(col);
        } else {
            columns.back().push_back(c);
        }
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            ImGui::SameLine();
            if (breaks[i - 1]->bar()) {
                const ImVec2 p = ImGui::GetCursorScreenPos();
                ImGui::GetWindowDrawList()->AddLine(
                    p, ImVec2(p.x, ImGui::GetIO().DisplaySize.y - st.WindowPadding.y),
                    ImGui::GetColorU32(ImGuiCol_Separator));
                ImGui::Dummy(ImVec2(1.0f, 1.0f));
                ImGui::SameLine();
            }
        }
        ImGui::BeginGroup();
        paint_children(columns[i]);
        ImGui::EndGroup();
    }

    // What the contents reach this frame, plus the padding round them.
    const ImGuiWindow* win = ImGui::GetCurrentWindow();
    const float reach_x = std::max(win->DC.CursorMaxPos.x, win->DC.IdealMaxPos.x);
    const float reach_y = std::max(win->DC.CursorMaxPos.y, win->DC.IdealMaxPos.y);
    const ImVec2 fit(reach_x - win->DC.CursorStartPos.x + 2.0f * st.WindowPadding.x,
                     reach_y - win->DC.CursorStartPos.y + 2.0f * st.WindowPadding.y);
    ImGui::End();
    return fit;
}
