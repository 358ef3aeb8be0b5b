#include "app/bounds_box.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "app/axis_ticks.h"
#include "app/overlay_text.h"
#include "app/picture_bands.h"
#include "core/settings.h"
#include "data/data_set.h"
#include "render/box_transform.h"

namespace {

constexpr OverlayFont kFont = OverlayFont::kStatus;
constexpr double kTextHeight = 9;     // pixels above the baseline of the font's digits
constexpr double kTickLength = 0.25;  // box units
constexpr double kNumberGap = 3;      // pixels between a tick mark's end and its number
constexpr double kNamePixels = 8;     // between the numbers and the axis name
constexpr double kLabelSpace = 4;     // pixels at least between two labels side by side

// How a tick ranks among its axis's when their numbers crowd: by the twos in its
// place among the multiples of the step, so that every other number stays,
// then every fourth.
int rank(double value, double step) {
    long long k = std::llabs(std::llround(value / step));
    if (k == 0) return 64;
    int twos = 0;
    for (; k % 2 == 0; k /= 2) ++twos;
    return twos;
}

int text_width(const std::string& text) {
    return ::text_width(kFont, text);
}

// A label of `text` at box point `at`, its near side there, away from the box
// along the picture direction (ux, uy), `push` pixels farther out.
BoxLabel place(const Vector3& at, double ux, double uy, const std::string& text, int axis,
               double push) {
    const double w = text_width(text);
    return {at, (ux - 1) * w / 2 + ux * push, (uy - 1) * kTextHeight / 2 + uy * push, text, axis};
}

Vector3 moved(const Vector3& p, const Vector3& direction, double distance) {
    Vector3 step = direction;
    step *= distance;
    return p + step;
}

}  // namespace

bool ScreenProjection::window(const Vector3& p, double& wx, double& wy) const {
    double eye[4], clip[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = model[r] * p.x() + model[4 + r] * p.y() + model[8 + r] * p.z() + model[12 + r];
    for (int r = 0; r < 4; ++r)
        clip[r] =
            proj[r] * eye[0] + proj[4 + r] * eye[1] + proj[8 + r] * eye[2] + proj[12 + r] * eye[3];
    if (!(clip[3] > 0)) return false;
    wx = viewport[0] + viewport[2] * (clip[0] / clip[3] + 1) / 2;
    wy = viewport[1] + viewport[3] * (clip[1] / clip[3] + 1) / 2;
    return true;
}

ScreenProjection current_projection() {
    ScreenProjection pr;
    glGetDoublev(GL_MODELVIEW_MATRIX, pr.model);
    glGetDoublev(GL_PROJECTION_MATRIX, pr.proj);
    glGetIntegerv(GL_VIEWPORT, pr.viewport);
    return pr;
}

bool label_pixels(const BoxLabel& label, const ScreenProjection& pr, PixelRect& r) {
    double x, y;
    if (!pr.window(label.at, x, y)) return false;
    r = {x + label.dx, y + label.dy - 3, x + label.dx + text_width(label.text),
         y + label.dy + kTextHeight};
    return true;
}

BoundsBox layout_bounds_box(const DataSet& set, const Vector3& eye_offset) {
    return layout_bounds_box(set, eye_offset, current_projection(), overlay_bands());
}

BoundsBox layout_bounds_box(const DataSet& set, const Vector3& eye_offset,
                            const ScreenProjection& projection,
                            const std::vector<PixelRect>& keep_clear) {
    BoundsBox box;
    if (set.point_count() == 0) return box;
    // The box mapping of the renderer: min to -5, times 10 f per axis.
    Vector3 low, high, centre;
    for (int a = 0; a < 3; ++a) {
        const double f = box_factor(set, a);
        low[a] = -5;
        high[a] = (set.max[a] - set.min[a]) * f * 10 - 5;
        if (!std::isfinite(set.min[a]) || !std::isfinite(high[a])) return BoundsBox();
        centre[a] = (low[a] + high[a]) / 2;
    }
    const auto corner = [&](int bits) {
        return Vector3(bits & 1 ? high.x() : low.x(), bits & 2 ? high.y() : low.y(),
                       bits & 4 ? high.z() : low.z());
    };
    for (int bits = 0; bits < 8; ++bits)
        for (int a = 0; a < 3; ++a)
            if (!(bits & (1 << a))) box.lines.emplace_back(corner(bits), corner(bits | (1 << a)));

    ScreenProjection pr = projection;
    // As the centre sees it: the eyes look the same way from either side of it.
    for (int r = 0; r < 3; ++r) pr.model[12 + r] += eye_offset[r];
    // And through a frustum centred on the view: an eye's off-axis frustum would
    // break the ties of a square-on view differently for each eye.
    pr.proj[8] = pr.proj[9] = 0;
    // Which edges are labelled is judged with the box's centre on the line of
    // sight: by how the box is turned, not by where it was moved (a fit moves it).
    ScreenProjection choice = pr;
    for (int r = 0; r < 2; ++r)
        choice.model[12 + r] -= pr.model[r] * centre.x() + pr.model[4 + r] * centre.y() +
                                pr.model[8 + r] * centre.z() + pr.model[12 + r];
    double cx, cy;
    if (!choice.window(centre, cx, cy)) return box;
    std::vector<BoxLabel> names;
    std::vector<std::pair<int, BoxLabel>> numbers;  // with their ranks

    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        // The edge whose middle lies farthest out in the picture; of edges within
        // half a pixel of each other (a square-on view), the first, so that both
        // eyes, whose sums round differently, label the same one.
        double farthest = -1;
        Vector3 middle = centre;
        for (int e = 0; e < 4; ++e) {
            Vector3 m = centre;
            m[b] = e & 1 ? high[b] : low[b];
            m[c] = e & 2 ? high[c] : low[c];
            double mx, my;
            if (!choice.window(m, mx, my) || std::hypot(mx - cx, my - cy) <= farthest + 0.5)
                continue;
            farthest = std::hypot(mx - cx, my - cy);
            middle = m;
        }
        if (farthest < 0) continue;
        // Outward: away from the centre across the axis, in box units.
        Vector3 out = middle - centre;
        out[a] = 0;
        const double length = out.length();
        if (length > 0) {
            out = out / length;
        } else {
            out = Vector3(0, 0, 0);
            out[a == 1 ? 0 : 1] = -1;
        }

        // The same outward direction in the picture: where the labels' near sides face.
        double ux = 0, uy = -1, ox, oy, mx, my;
        if (pr.window(moved(middle, out, 1), ox, oy) && pr.window(middle, mx, my) &&
            std::hypot(ox - mx, oy - my) > 0) {
            ux = (ox - mx) / std::hypot(ox - mx, oy - my);
            uy = (oy - my) / std::hypot(ox - mx, oy - my);
        }

        const double f = box_factor(set, a);
        const AxisTicks ticks = choose_ticks(set.min[a], set.max[a], 4, 8);
        const double step = ticks.values.size() > 1 ? ticks.values[1] - ticks.values[0] : 1;
        double widest = 0;  // of the numbers, across the edge
        for (std::size_t t = 0; t < ticks.values.size(); ++t) {
            Vector3 p = middle;
            p[a] = (ticks.values[t] - set.min[a]) * f * 10 - 5;
            const Vector3 tip = moved(p, out, kTickLength);
            box.lines.emplace_back(p, tip);
            BoxLabel number = place(tip, ux, uy, ticks.labels[t], a, kNumberGap);
            numbers.emplace_back(rank(ticks.values[t], step), number);
            widest = std::fmax(
                widest, std::fabs(ux) * text_width(ticks.labels[t]) + std::fabs(uy) * kTextHeight);
        }
        std::string name = axis_labels[a].empty() ? set.axis_names[a] : axis_labels[a];
        if (!ticks.note.empty()) name += " (" + ticks.note + ")";
        names.push_back(place(moved(middle, out, kTickLength), ux, uy, name, a,
                              kNumberGap + widest + kNamePixels));
    }
    // Where labels would overlap (an axis seen end-on, numbers of two axes in one
    // corner), the names stay and the numbers of lower rank give way; none enters
    // the bands kept clear.
    std::stable_sort(numbers.begin(), numbers.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<PixelRect> taken = keep_clear;
    const auto keep = [&](const BoxLabel& label) {
        PixelRect r;
        if (!label_pixels(label, pr, r) ||
            std::any_of(taken.begin(), taken.end(),
                        [&](const PixelRect& o) { return r.overlaps(o); }))
            return;
        taken.push_back(r);
        box.labels.push_back(label);
    };
    for (const BoxLabel& name : names) keep(name);
    for (const auto& [r, number] : numbers) keep(number);
    return box;
}

void draw_bounds_box(const DataSet& set, const Vector3& eye_offset) {
    const BoundsBox box = layout_bounds_box(set, eye_offset);
    if (box.lines.empty()) return;
    // The line width and the switches stay as the model left them: the tubes of
    // the next frame may be drawn as outlines of that width.
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor3f(1 - background_color.r(), 1 - background_color.g(), 1 - background_color.b());
    glLineWidth(1);
    glBegin(GL_LINES);
    for (const auto& line : box.lines) {
        glVertex3d(line.first.x(), line.first.y(), line.first.z());
        glVertex3d(line.second.x(), line.second.y(), line.second.z());
    }
    glEnd();
    for (const BoxLabel& label : box.labels) {
        glRasterPos3d(label.at.x(), label.at.y(), label.at.z());
        move_raster(label.dx, label.dy);
        draw_text(kFont, label.text);
    }
    glPopAttrib();
}
