// Drawing of the controls with ImGui, one frame at a time. Values are shown from
// the controls; a change made in a widget is queued as a call of the control's
// user_... operation, which runs after the frame: the very path that programs
// acting as the user take.
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cmath>

#include "panel/panel_window_impl.h"

namespace {
constexpr float kSpinnerField = 70.0f;   // width of a spinner's number field
constexpr float kTextField = 160.0f;     // width of a text field without a request
constexpr float kListMin = 80.0f;        // narrowest list box
constexpr float kButtonMin = 90.0f;      // narrowest button
constexpr float kIndent = 12.0f;         // of a rollout's contents
constexpr float kFrameInset = 8.0f;      // between a framed panel's border and contents
constexpr float kMoveSize = 2.0f * PanelRotation::kRadius;  // rotation and translation squares

float text_width(const std::string& s) { return ImGui::CalcTextSize(s.c_str()).x; }

int float_decimals(double step) {
    if (!(step > 0.0)) return 3;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 3, 6);
}

ImVec2 operator+(ImVec2 a, ImVec2 b) { return ImVec2(a.x + b.x, a.y + b.y); }
ImVec2 operator-(ImVec2 a, ImVec2 b) { return ImVec2(a.x - b.x, a.y - b.y); }

void arrow(ImDrawList* dl, ImVec2 tip, ImVec2 dir, float size, ImU32 col) {
    const ImVec2 side(-dir.y, dir.x);
    const ImVec2 base = ImVec2(tip.x - dir.x * size, tip.y - dir.y * size);
    dl->AddTriangleFilled(tip, ImVec2(base.x + side.x * size * 0.6f, base.y + side.y * size * 0.6f),
                          ImVec2(base.x - side.x * size * 0.6f, base.y - side.y * size * 0.6f), col);
}
}  // namespace

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
    const ImGuiStyle& st = ImGui::GetStyle();
    const float w = measure(c);
    float shift = 0.0f;
    if (c->alignment() == PANEL_ALIGN_RIGHT) shift = column_width - w;
    if (c->alignment() == PANEL_ALIGN_CENTER) shift = (column_width - w) * 0.5f;
    if (shift > 0.0f) ImGui::SetCursorPosX(ImGui::GetCursorPosX() + shift);

    ImGui::PushID(c);
    ImGui::BeginDisabled(!c->enabled());
    const char* label = c->label().c_str();

    if (auto* r = dynamic_cast<PanelRollout*>(c)) {
        ImGui::SetNextItemOpen(r->is_open(), ImGuiCond_Always);
        const bool open = ImGui::CollapsingHeader(label);
        remember_rect(c);
        if (open != r->is_open()) edits.push_back([r] { r->user_click(); });
        if (r->is_open()) {
            ImGui::Indent(kIndent);
            paint_children(r->children());
            ImGui::Unindent(kIndent);
        }
    } else if (auto* f = dynamic_cast<PanelFrame*>(c)) {
        if (!c->label().empty()) ImGui::TextUnformatted(label);
        const ImVec2 top_left = ImGui::GetCursorScreenPos();
        ImGui::BeginGroup();
        ImGui::Dummy(ImVec2(w, kFrameInset * 0.5f));
        ImGui::Indent(kFrameInset);
        paint_children(f->children());
        ImGui::Unindent(kFrameInset);
        ImGui::Dummy(ImVec2(w, kFrameInset * 0.5f));
        ImGui::EndGroup();
        remember_rect(c);
        if (f->type() != PANEL_PANEL_NONE)
            ImGui::GetWindowDrawList()->AddRect(top_left,
                                                ImVec2(top_left.x + w, ImGui::GetItemRectMax().y),
                                                ImGui::GetColorU32(ImGuiCol_Border));
    } else if (auto* g = dynamic_cast<PanelRadioGroup*>(c)) {
        ImGui::BeginGroup();
        for (PanelControl* k : g->children()) {
            auto* b = dynamic_cast<PanelRadioButton*>(k);
            if (!b) continue;
            ImGui::PushID(b);
            ImGui::BeginDisabled(!b->enabled());
            if (ImGui::RadioButton(b->label().c_str(), g->get_int_val() == b->index()))
                edits.push_back([b] { b->user_click(); });
            remember_rect(b);
            ImGui::EndDisabled();
            ImGui::PopID();
        }
        ImGui::EndGroup();
        remember_rect(c);
    } else if (auto* cb = dynamic_cast<PanelCheckbox*>(c)) {
        bool ticked = cb->get_int_val() != 0;
        if (ImGui::Checkbox(label, &ticked))
            edits.push_back([cb, ticked] { cb->user_set_int(ticked ? 1 : 0); });
        remember_rect(c);
    } else if (auto* s = dynamic_cast<PanelSpinner*>(c)) {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(label);
        ImGui::SameLine();
        const float fixed = text_width(c->label()) + st.ItemSpacing.x + st.ItemInnerSpacing.x +
                            2.0f * ImGui::GetFrameHeight() + 1.0f;
        ImGui::SetNextItemWidth(w - fixed);
        const double step = s->step();
        // A drag edits at once; a typed number (double-click or Ctrl+click on the
        // field) counts when the typing ends, with Enter or a click elsewhere.
        const ImGuiID field = ImGui::GetID("##value");
        const bool typing = ImGui::TempInputIsActive(field);
        bool changed;
        double v;
        if (s->is_int()) {
            int iv = s->get_int_val();
            changed = ImGui::DragInt("##value", &iv, static_cast<float>(std::max(step * 0.25, 0.01)));
            v = iv;
        } else {
            float fv = s->get_float_val();
            char format[8];
            std::snprintf(format, sizeof format, "%%.%df", float_decimals(step));
            changed = ImGui::DragFloat("##value", &fv, static_cast<float>(step), 0.0f, 0.0f, format,
                                       ImGuiSliderFlags_NoRoundToFormat);
            v = fv;
        }
        remember_rect(c);
        if (changed && (typing || ImGui::TempInputIsActive(field))) typed[c] = v;
        else if (changed) edits.push_back([s, v] { s->user_set_float(float(v)); });
        if (ImGui::IsItemDeactivated()) {
            const auto it = typed.find(c);
            if (it != typed.end()) {
                edits.push_back([s, t = it->second] { s->user_set_float(float(t)); });
                typed.erase(it);
            }
        }
        const double inc = s->is_int() ? std::max(1.0, std::round(step)) : step;
        ImGui::SameLine(0.0f, st.ItemInnerSpacing.x);
        ImGui::PushButtonRepeat(true);
        if (ImGui::ArrowButton("##down", ImGuiDir_Down))
            edits.push_back([s, inc] { s->user_set_float(float(s->get_float_val() - inc)); });
        ImGui::SameLine(0.0f, 1.0f);
        if (ImGui::ArrowButton("##up", ImGuiDir_Up))
            edits.push_back([s, inc] { s->user_set_float(float(s->get_float_val() + inc)); });
        ImGui::PopButtonRepeat();
    } else if (auto* l = dynamic_cast<PanelListBox*>(c)) {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(label);
        ImGui::SameLine();
        ImGui::SetNextItemWidth(w - text_width(c->label()) - st.ItemSpacing.x);
        const bool open = ImGui::BeginCombo("##list", l->current_text());
        remember_rect(c);
        if (open) {
            const auto& items = l->items();
            for (size_t i = 0; i < items.size(); ++i) {
                ImGui::PushID(static_cast<int>(i));
                const int item_id = items[i].id;
                if (ImGui::Selectable(items[i].text.c_str(), item_id == l->get_int_val()))
                    edits.push_back([l, item_id] { l->user_set_int(item_id); });
                ImGui::PopID();
            }
            ImGui::EndCombo();
        }
    } else if (auto* t = dynamic_cast<PanelTextField*>(c)) {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(label);
        ImGui::SameLine();
        ImGui::SetNextItemWidth(w - text_width(c->label()) - st.ItemSpacing.x);
        std::string& text = edit_text[t];
        // While the user types, the field keeps what is typed; otherwise it shows
        // the control's text, which the program may have set.
        if (ImGui::GetActiveID() != ImGui::GetID("##text")) text = t->get_text();
        ImGui::InputText("##text", &text);
        remember_rect(c);
        if (ImGui::IsItemDeactivatedAfterEdit())
            edits.push_back([t, typed = text] { t->user_set_text(typed.c_str()); });
    } else if (auto* b = dynamic_cast<PanelButton*>(c)) {
        if (ImGui::Button(label, ImVec2(w, 0.0f))) edits.push_back([b] { b->user_click(); });
        remember_rect(c);
    } else if (auto* rot = dynamic_cast<PanelRotation*>(c)) {
        const ImVec2 origin = ImGui::GetCursorScreenPos();
        ImGui::SetCursorScreenPos(ImVec2(origin.x + (w - kMoveSize) * 0.5f, origin.y));
        ImGui::InvisibleButton("##ball", ImVec2(kMoveSize, kMoveSize));
        remember_rect(c);
        const float radius = PanelRotation::kRadius;
        const ImVec2 centre = ImGui::GetItemRectMin() + ImVec2(radius, radius);
        const ImGuiIO& io = ImGui::GetIO();
        if (ImGui::IsItemActivated()) {
            const ImVec2 p = io.MouseClickedPos[0] - centre;
            edits.push_back([rot, p] { rot->press(p.x, -p.y); });
        }
        if (ImGui::IsItemActive() && (io.MouseDelta.x != 0.0f || io.MouseDelta.y != 0.0f)) {
            const ImVec2 p = io.MousePos - centre;
            edits.push_back([rot, p] { rot->drag_to(p.x, -p.y); });
        }
        if (ImGui::IsItemDeactivated()) edits.push_back([rot] { rot->release(); });

        ImDrawList* dl = ImGui::GetWindowDrawList();
        const bool hot = ImGui::IsItemActive() || ImGui::IsItemHovered();
        dl->AddCircleFilled(centre, radius, ImGui::GetColorU32(hot ? ImGuiCol_FrameBgHovered
                                                                   : ImGuiCol_FrameBg), 48);
        dl->AddCircle(centre, radius, ImGui::GetColorU32(ImGuiCol_Border), 48);
        // The three axes of the turned object, the far ones first and fainter.
        const float* m = rot->matrix();
        const ImU32 colours[3] = {IM_COL32(200, 40, 40, 255), IM_COL32(40, 160, 40, 255),
                                  IM_COL32(40, 70, 210, 255)};
        for (int pass = 0; pass < 2; ++pass) {
            for (int axis = 0; axis < 3; ++axis) {
                const float x = m[axis * 4], y = m[axis * 4 + 1], z = m[axis * 4 + 2];
                if ((z >= 0.0f) != (pass == 1)) continue;
                const ImVec2 tip(centre.x + x * radius * 0.85f, centre.y - y * radius * 0.85f);
                ImU32 col = colours[axis];
                if (pass == 0) col = (col & 0x00FFFFFF) | 0x60000000;
                dl->AddLine(centre, tip, col, 2.0f);
                dl->AddCircleFilled(tip, 2.5f, col);
            }
        }
        ImGui::SetCursorScreenPos(
            ImVec2(origin.x + (w - text_width(c->label())) * 0.5f, ImGui::GetItemRectMax().y + 2.0f));
        ImGui::TextUnformatted(label);
    } else if (auto* tr = dynamic_cast<PanelTranslation*>(c)) {
        const ImVec2 origin = ImGui::GetCursorScreenPos();
        ImGui::SetCursorScreenPos(ImVec2(origin.x + (w - kMoveSize) * 0.5f, origin.y));
        ImGui::InvisibleButton("##pad", ImVec2(kMoveSize, kMoveSize));
        remember_rect(c);
        const ImGuiIO& io = ImGui::GetIO();
        // On the press itself the delta is the way the pointer came from elsewhere.
        if (ImGui::IsItemActive() && !ImGui::IsItemActivated() &&
            (io.MouseDelta.x != 0.0f || io.MouseDelta.y != 0.0f)) {
            const ImVec2 d = io.MouseDelta;
            edits.push_back([tr, d] { tr->user_drag(d.x, -d.y); });
        }
        ImDrawList* dl = ImGui::GetWindowDrawList();
        const ImVec2 lo = ImGui::GetItemRectMin(), hi = ImGui::GetItemRectMax();
        const bool hot = ImGui::IsItemActive() || ImGui::IsItemHovered();
        dl->AddRectFilled(lo, hi, ImGui::GetColorU32(hot ? ImGuiCol_FrameBgHovered : ImGuiCol_FrameBg),
                          4.0f);
        dl->AddRect(lo, hi, ImGui::GetColorU32(ImGuiCol_Border), 4.0f);
        const ImVec2 mid((lo.x + hi.x) * 0.5f, (lo.y + hi.y) * 0.5f);
        const float reach = kMoveSize * 0.4f, head = 7.0f;
        const ImU32 col = ImGui::GetColorU32(ImGuiCol_Text);
        const bool horizontal = tr->type() == PANEL_TRANSLATION_XY || tr->type() == PANEL_TRANSLATION_X;
        const bool vertical = tr->type() != PANEL_TRANSLATION_X;
        if (horizontal) {
            dl->AddLine(ImVec2(mid.x - reach, mid.y), ImVec2(mid.x + reach, mid.y), col, 2.0f);
            arrow(dl, ImVec2(mid.x + reach, mid.y), ImVec2(1, 0), head, col);
            arrow(dl, ImVec2(mid.x - reach, mid.y), ImVec2(-1, 0), head, col);
        }
        if (vertical) {
            dl->AddLine(ImVec2(mid.x, mid.y - reach), ImVec2(mid.x, mid.y + reach), col, 2.0f);
            arrow(dl, ImVec2(mid.x, mid.y - reach), ImVec2(0, -1), head, col);
            arrow(dl, ImVec2(mid.x, mid.y + reach), ImVec2(0, 1), head, col);
        }
        if (tr->type() == PANEL_TRANSLATION_Z) dl->AddCircle(mid, reach * 0.45f, col, 24, 2.0f);
        ImGui::SetCursorScreenPos(ImVec2(origin.x + (w - text_width(c->label())) * 0.5f, hi.y + 2.0f));
        ImGui::TextUnformatted(label);
    } else if (c->label().empty()) {
        ImGui::Dummy(ImVec2(0.0f, ImGui::GetTextLineHeight()));  // a blank line
    } else {
        ImGui::TextUnformatted(label);
        remember_rect(c);
    }

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
    const ImVec2 reach(std::max(win->DC.CursorMaxPos.x, win->DC.IdealMaxPos.x),
                       std::max(win->DC.CursorMaxPos.y, win->DC.IdealMaxPos.y));
    const ImVec2 fit = reach - win->DC.CursorStartPos +
                       ImVec2(2.0f * st.WindowPadding.x, 2.0f * st.WindowPadding.y);
    ImGui::End();
    return fit;
}
