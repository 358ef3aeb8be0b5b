#include "app/legend.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/axis_ticks.h"
#include "app/eye_pictures.h"
#include "app/overlay_text.h"
#include "app/stereo_passes.h"
#include "core/settings.h"
#include "data/data_set.h"
#include "data/formats.h"
#include "render/color_map.h"
#include "render/color_scale.h"
#include "render/mode_drawing.h"
#include "render/value_summary.h"

namespace {

constexpr OverlayFont kFont = OverlayFont::kStatus;
constexpr int kMargin = 12;  // from the right edge of the picture
constexpr int kRow = 20;     // swatch rows
constexpr int kTextGap = 6;  // between a number and its tick or swatch

int text_width(const std::string& text) {
    return ::text_width(kFont, text);
}

// Right-aligned `gap` pixels left of x, centred on y.
LegendText left_of(int x, double y, const std::string& text) {
    return {static_cast<double>(x - kTextGap - text_width(text)), y - 4, text};
}

}  // namespace

Legend layout_legend(const DataSet& set, int width, int height) {
    Legend legend;
    if (set.point_count() == 0) return legend;
    const int right = width - kMargin;
    const int axis = color_scale_axis(set, display_mode);
    if (axis >= 0) {
        double low = 0, high = 0;
        if (!color_scale_range(set, axis, low, high)) return legend;
        legend.bar = true;
        legend.bar_x = right - kLegendBarWidth;
        legend.bar_height = std::min(300, height / 2);
        legend.bar_y = (height - legend.bar_height) / 2;
        const AxisTicks ticks = choose_ticks(low, high, 4, 6, true);
        for (std::size_t t = 0; t < ticks.values.size(); ++t) {
            const double at = high > low ? (ticks.values[t] - low) / (high - low) : 0.5;
            legend.tick_y.push_back(legend.bar_y + at * legend.bar_height);
            legend.texts.push_back(left_of(legend.bar_x, legend.tick_y.back(), ticks.labels[t]));
        }
        const std::string& given = axis == kScaleOfValues ? value_label : axis_labels[axis];
        std::string title = !given.empty()           ? given
                            : axis == kScaleOfValues ? std::string("value")
                                                     : set.axis_names[axis];
        if (!ticks.note.empty()) title += " (" + ticks.note + ")";
        legend.texts.push_back({static_cast<double>(right - text_width(title)),
                                legend.bar_y + legend.bar_height + 8.0, title});
        return legend;
    }
    // Coloured data in its entries; "Special " draws none of it.
    const DisplayModeChoice* mode = display_mode_choice(display_mode);
    if (set.plain() || !file_format(set.kind) || !mode || !mode->colours_points) return legend;
    const ValueSummary& values = value_summary(set);
    const bool gaps = mode_drawing(display_mode)->gaps && values.negative;
    // Negative values are drawn in entry 0 where they leave no gap.
    const std::uint32_t entries = values.entries | (values.negative && !gaps ? 1u : 0u);
    std::vector<int> shown;  // entries, then 16 for the gaps
    for (int k = 0; k < 16; ++k)
        if (entries & (1u << k)) shown.push_back(k);
    if (gaps) shown.push_back(16);
    // A column of rows, centred on the picture's height.
    int y = (height + static_cast<int>(shown.size()) * kRow) / 2 - kRow;
    for (const int k : shown) {
        LegendSwatch swatch{right - kLegendSwatch, y, {0, 0, 0}, k == 16};
        color_map_entry_rgb(k, swatch.rgb);
        legend.swatches.push_back(swatch);
        legend.texts.push_back(
            left_of(swatch.x, y + kLegendSwatch / 2.0, swatch.gap ? "gap" : std::to_string(k)));
        y -= kRow;
    }
    return legend;
}

double legend_left(const Legend& legend) {
    double left = legend.bar ? legend.bar_x - 4 : 1e9;  // the bar's ticks
    for (const LegendText& t : legend.texts) left = std::min(left, t.x);
    for (const LegendSwatch& s : legend.swatches) left = std::min(left, static_cast<double>(s.x));
    return left;
}

void draw_legend() {
    if (!show_legend) return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const Legend legend = layout_legend(data_set, viewport[2], viewport[3]);
    if (!legend.bar && legend.swatches.empty()) return;

    // The line width and the switches stay as the frame left them: the next
    // frame's tubes may be drawn as outlines of the surface's line width.
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT);
    select_draw_buffer(GL_BACK);  // both back buffers of a stereo window
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLineWidth(1);

    const float ink[3] = {1 - background_color.r(), 1 - background_color.g(),
                          1 - background_color.b()};
    // Through glasses the key is softened toward grey as the data are.
    const float saturation = drawn_saturation();
    const auto soften = [&](float rgb[3]) {
        const float grey = (rgb[0] + rgb[1] + rgb[2]) / 3.0f;
        for (int ch = 0; ch < 3; ++ch) rgb[ch] = grey + saturation * (rgb[ch] - grey);
    };
    if (legend.bar) {
        glBegin(GL_QUAD_STRIP);
        constexpr int kSteps = 64;
        for (int i = 0; i <= kSteps; ++i) {
            float rgb[3];
            color_scale_rgb(static_cast<double>(i) / kSteps, rgb);
            soften(rgb);
            glColor3fv(rgb);
            const double y = legend.bar_y + legend.bar_height * static_cast<double>(i) / kSteps;
            glVertex2d(legend.bar_x, y);
            glVertex2d(legend.bar_x + kLegendBarWidth, y);
        }
        glEnd();
        glColor3fv(ink);
        glBegin(GL_LINES);
        for (const double y : legend.tick_y) {
            glVertex2d(legend.bar_x - 4, y);
            glVertex2d(legend.bar_x, y);
        }
        glEnd();
    }
    for (const LegendSwatch& s : legend.swatches) {
        float rgb[3] = {s.rgb[0], s.rgb[1], s.rgb[2]};
        soften(rgb);
        glColor3fv(s.gap ? ink : rgb);
        glBegin(s.gap ? GL_LINE_LOOP : GL_QUADS);
        glVertex2d(s.x + 0.5, s.y + 0.5);
        glVertex2d(s.x + kLegendSwatch - 0.5, s.y + 0.5);
        glVertex2d(s.x + kLegendSwatch - 0.5, s.y + kLegendSwatch - 0.5);
        glVertex2d(s.x + 0.5, s.y + kLegendSwatch - 0.5);
        glEnd();
    }
    glColor3fv(ink);
    for (const LegendText& t : legend.texts) {
        glRasterPos2d(t.x, t.y);
        draw_text(kFont, t.text);
    }
    glPopAttrib();
}
