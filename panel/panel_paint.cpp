// Drawing of the value controls and groups with ImGui, one frame at a time. Values
// are shown from the controls; a change made in a widget is queued as a call of
// the control's user_... operation, which runs after the frame: the very path
// that programs acting as the user take.
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "panel/panel_window_impl.h"

using namespace panel_layout;

namespace {
// Enough decimals to show one step of the spinner, 3 to 6.
int float_decimals(double step) {
    if (!(step > 0.0)) return 3;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 3, 6);
}

// A label on the left of a field, as the panel's spinners, lists and text fields have.
void field_label(const std::string& label) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(label.c_str());
    ImGui::SameLine();
}
}  // namespace

void PanelWindow::Impl::paint_rollout(PanelRollout* r) {
    ImGui::SetNextItemOpen(r->is_open(), ImGuiCond_Always);
    const bool open = ImGui::CollapsingHeader(r->label().c_str());
    remember_rect(r);
    if (open != r->is_open()) edits.push_back([r] { r->user_click(); });
    if (r->is_open()) {
        ImGui::Indent(kIndent);
        paint_children(r->children());
        ImGui::Unindent(kIndent);
    }
}

void PanelWindow::Impl::paint_frame(PanelFrame* f, float width) {
    if (!f->label().empty()) ImGui::TextUnformatted(f->label().c_str());
    const ImVec2 top_left = ImGui::GetCursorScreenPos();
    ImGui::BeginGroup();
    ImGui::Dummy(ImVec2(width, kFrameInset * 0.5f));
    ImGui::Indent(kFrameInset);
    paint_children(f->children());
    ImGui::Unindent(kFrameInset);
    ImGui::Dummy(ImVec2(width, kFrameInset * 0.5f));
    ImGui::EndGroup();
    remember_rect(f);
    if (f->type() != PANEL_PANEL_NONE)
        ImGui::GetWindowDrawList()->AddRect(top_left,
                                            ImVec2(top_left.x + width, ImGui::GetItemRectMax().y),
                                            ImGui::GetColorU32(ImGuiCol_Border));
}

void PanelWindow::Impl::paint_radio_group(PanelRadioGroup* g) {
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
    remember_rect(g);
}

void PanelWindow::Impl::paint_checkbox(PanelCheckbox* c) {
    bool ticked = c->get_int_val() != 0;
    if (ImGui::Checkbox(c->label().c_str(), &ticked))
        edits.push_back([c, ticked] { c->user_set_int(ticked ? 1 : 0); });
    remember_rect(c);
}

void PanelWindow::Impl::paint_spinner(PanelSpinner* s, float width) {
    const ImGuiStyle& st = ImGui::GetStyle();
    field_label(s->label());
    const float fixed = text_width(s->label()) + st.ItemSpacing.x + st.ItemInnerSpacing.x +
                        2.0f * ImGui::GetFrameHeight() + 1.0f;
    ImGui::SetNextItemWidth(width - fixed);

    // A drag edits at once; a typed number (double-click or Ctrl+click on the
    // field) counts when the typing ends, with Enter or a click elsewhere.
    const double step = s->step();
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
    remember_rect(s);
    if (changed && (typing || ImGui::TempInputIsActive(field)))
        typed[s] = v;
    else if (changed)
        edits.push_back([s, v] { s->user_set_float(float(v)); });
    if (ImGui::IsItemDeactivated()) {
        const auto it = typed.find(s);
        if (it != typed.end()) {
            edits.push_back([s, t = it->second] { s->user_set_float(float(t)); });
            typed.erase(it);
        }
    }

    // The arrows step down and up, repeating while held.
    const double inc = s->is_int() ? std::max(1.0, std::round(step)) : step;
    ImGui::SameLine(0.0f, st.ItemInnerSpacing.x);
    ImGui::PushButtonRepeat(true);
    if (ImGui::ArrowButton("##down", ImGuiDir_Down))
        edits.push_back([s, inc] { s->user_set_float(float(s->get_float_val() - inc)); });
    ImGui::SameLine(0.0f, 1.0f);
    if (ImGui::ArrowButton("##up", ImGuiDir_Up))
        edits.push_back([s, inc] { s->user_set_float(float(s->get_float_val() + inc)); });
    ImGui::PopButtonRepeat();
}

void PanelWindow::Impl::paint_list_box(PanelListBox* l, float width) {
    field_label(l->label());
    ImGui::SetNextItemWidth(width - text_width(l->label()) - ImGui::GetStyle().ItemSpacing.x);
    const bool open = ImGui::BeginCombo("##list", l->current_text());
    remember_rect(l);
    if (!open) return;
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

void PanelWindow::Impl::paint_text_field(PanelTextField* t, float width) {
    field_label(t->label());
    ImGui::SetNextItemWidth(width - text_width(t->label()) - ImGui::GetStyle().ItemSpacing.x);
    std::string& text = edit_text[t];
    // While the user types, the field keeps what is typed; otherwise it shows the
    // control's text, which the program may have set.
    if (ImGui::GetActiveID() != ImGui::GetID("##text")) text = t->get_text();
    // Enter counts also when the text is unchanged ("press Enter to list again").
    const bool entered = ImGui::InputText("##text", &text, ImGuiInputTextFlags_EnterReturnsTrue);
    remember_rect(t);
    if (entered || ImGui::IsItemDeactivatedAfterEdit())
        edits.push_back([t, typed_text = text] { t->user_set_text(typed_text.c_str()); });
}

void PanelWindow::Impl::paint_button(PanelButton* b, float width) {
    if (ImGui::Button(b->label().c_str(), ImVec2(width, 0.0f)))
        edits.push_back([b] { b->user_click(); });
    remember_rect(b);
}

void PanelWindow::Impl::paint_static_text(PanelStaticText* t) {
    if (t->label().empty()) {
        ImGui::Dummy(ImVec2(0.0f, ImGui::GetTextLineHeight()));  // a blank line
        return;
    }
    ImGui::TextUnformatted(t->label().c_str());
    remember_rect(t);
}
