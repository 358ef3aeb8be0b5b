#include "app/load_progress_bar.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "app/overlay_text.h"
#include "core/settings.h"
#include "ui/background_load.h"

std::string load_progress_text(const std::string& name, double fraction) {
    const int percent = static_cast<int>(std::floor(std::clamp(fraction, 0.0, 1.0) * 100));
    return "Loading " + name + ": " + std::to_string(percent) + " %";
}

void draw_load_progress() {
    const FileLoad* load = running_load();
    if (!load || running_load_seconds() < kLoadShownSeconds) return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    if (width <= 0 || height <= 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // A bar of half the picture's width, centred, below the title band.
    const double fraction = std::clamp(load->fraction(), 0.0, 1.0);
    const double left = width * 0.25, right = width * 0.75;
    const double top = height - 3.0 * line_height(OverlayFont::kName), bottom = top - 10;
    const Color4& ink = background_color;
    glColor3f(1 - ink.r(), 1 - ink.g(), 1 - ink.b());
    glRectd(left, bottom, left + (right - left) * fraction, top);
    glLineWidth(1);
    glBegin(GL_LINE_LOOP);
    glVertex2d(left, bottom);
    glVertex2d(right, bottom);
    glVertex2d(right, top);
    glVertex2d(left, top);
    glEnd();
    const std::string text = load_progress_text(load->name, fraction) + "  (Esc cancels)";
    glRasterPos2d(std::max(2.0, width / 2.0 - text_width(OverlayFont::kStatus, text) / 2.0),
                  top + 6);
    draw_text(OverlayFont::kStatus, text);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
