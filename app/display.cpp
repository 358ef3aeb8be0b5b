#include "app/display.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/camera.h"
#include "app/eye_pictures.h"
#include "app/interaction.h"
#include "app/legend.h"
#include "app/load_progress_bar.h"
#include "app/overlay_text.h"
#include "app/picture_bands.h"
#include "app/picture_save.h"
#include "app/stereo_passes.h"
#include "app/view_fit.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/draw_cache.h"
#include "render/model_modes.h"
#include "render/reduced_picture.h"

unsigned long frames_drawn = 0;

namespace {
// Pixels between the status line and the edge of the picture or the name above.
constexpr int kOverlayMargin = 4;

void print_frustum(const char* which, const CameraFrame& c, int i) {
    std::printf(
        "%s Frustum: left = %lf right = %lf top = %lf bottom = %lf nearp = %lf farp = %lf\n", which,
        c.left[i], c.right[i], c.top, c.bottom, nearp, farp);
}

void clear_picture() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The longest start of `word` (at least one character) that fits `width`.
std::size_t fitting_prefix(const std::string& word, int width,
                           const std::function<int(const std::string&)>& measure) {
    std::size_t n = 1;
    while (n < word.size() && measure(word.substr(0, n + 1)) <= width) ++n;
    return n;
}
// The lines of `text`, each at most `width` pixels wide as `measure` gives them:
// broken at blanks where it can, inside a word only when the word alone is wider
// (a line holds at least one character). Blanks at a break are dropped.
std::vector<std::string> wrap_text(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    if (measure(text) <= width) return {text};  // one line, exactly as written
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(at, end - at);
        at = end;
        for (;;) {
            const std::string joined = line.empty() ? word : line + " " + word;
            if (measure(joined) <= width) {
                line = joined;
                break;
            }
            if (!line.empty()) {
                lines.push_back(line);
                line.clear();
                continue;
            }
            // A word wider than the whole line is broken where it must be.
            const std::size_t n = fitting_prefix(word, width, measure);
            lines.push_back(word.substr(0, n));
            word.erase(0, n);
            if (word.empty()) break;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
}  // namespace

namespace {

// A frame being drawn, a few pieces of the model at a time (render/draw_cache.h):
// its camera, its passes, and how far it has come.
struct FrameInPieces {
    bool active = false;
    CameraFrame camera;
    std::vector<EyePass> passes;
    std::size_t pass = 0;
    int piece = 0;                 // the next piece of the current pass
    double seconds = 0;            // spent drawing it so far
    double slowest = 0;            // the slowest piece so far, what the next may take
    int pieces = 1;                // pieces of the model in each pass
    bool reduced = false;          // the reduced picture of an interaction
    bool past_first_turn = false;  // whether to show the reduced picture is decided
    unsigned long made = 0;        // model_pieces_made() when it began
};
FrameInPieces frame;

}  // namespace

void begin_frame(bool reduced) {
    vp.z() = focal_length;
    fit_view_if_asked();
    const CameraFrame c = frame_camera();
    if (verbose) {
        std::printf("ratio = %lf radians = %lf wd2 = %lf ndfl = %lf\n", c.ratio, c.radians, c.wd2,
                    c.ndfl);
    }

    glClearColor(background_color.r(), background_color.g(), background_color.b(),
                 background_color.a());
    bind_picture_framebuffer();  // a frame broken off may have left a picture of an eye bound
    clear_picture();

    if (verbose) {
        print_frustum("Left", c, 0);
        print_frustum("Center", c, 1);
        print_frustum("Right", c, 2);
    }

    // Light 0 turns with the "Light 1" control in eye coordinates, the same for both eyes.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixf(light1_rotation);
    glLightfv(GL_LIGHT0, GL_POSITION, light1_position);

    if (verbose) {
        std::printf("r = %lf %lf %lf\nl = %lf %lf %lf\n", c.rightv.x(), c.rightv.y(), c.rightv.z(),
                    c.leftv.x(), c.leftv.y(), c.leftv.z());
    }
    frame = FrameInPieces{true, c, eye_passes(c)};
    frame.reduced = reduced;
    frame.made = model_pieces_made();
}

bool continue_frame(double budget) {
    if (!frame.active) return false;
    const double start = seconds_now();
    while (frame.pass < frame.passes.size()) {
        const double piece_start = seconds_now();
        const EyePass& pass = frame.passes[frame.pass];
        begin_pass(pass, frame.camera, frame.piece == 0);
        // A piece at a time against a budget; the whole pass at once without one.
        const int end = budget < 0 ? -1 : frame.piece + 1;
        frame.pieces =
            draw_scene_part(pass.offset, pass.texel, ModelPart{frame.piece, end, frame.reduced});
        frame.piece = end < 0 ? frame.pieces : end;
        if (frame.piece >= frame.pieces) {
            ++frame.pass;
            frame.piece = 0;
        }
        if (budget >= 0 && frame.pass < frame.passes.size()) {
            glFinish();  // what the pieces cost, and nothing waiting behind them
            const double now = seconds_now();
            frame.slowest = std::max(frame.slowest, now - piece_start);
            // At least one piece a call; no piece begun that would end past the budget.
            if (now - start + frame.slowest > budget) {
                frame.seconds += seconds_now() - start;
                return false;
            }
        }
    }
    end_passes();
    finish_passes(draw_overlay_step);
    glEnable(GL_LIGHTING);
    frame.active = false;
    frame.seconds += seconds_now() - start;
    return true;
}

bool frame_in_progress() {
    return frame.active;
}

namespace {

// Draws into the back buffer the reduced frame that input would draw now, when
// it would draw one; true when it did.
bool draw_reduced_frame() {
    const bool wanted = reduced_picture_wanted(true);
    if (wanted) draw_frame(true);
    return wanted;
}

}  // namespace

bool prepare_reduced_picture() {
    static unsigned long prepared_after = ~0ul;  // frames_drawn when last prepared
    if (frame.active || prepared_after == frames_drawn) return false;
    prepared_after = frames_drawn;
    return draw_reduced_frame();
}

void draw_frame(bool reduced) {
    begin_frame(reduced);
    continue_frame(-1);
}

void draw_frame() {
    draw_frame(reduced_picture_wanted());
}

void begin_frame() {
    begin_frame(reduced_picture_wanted());
}

void display() {
    if (reduced_picture_wanted()) {
        frame.active = false;
        draw_frame(true);
        glutSwapBuffers();
        ++frames_drawn;
        return;
    }
    // The full picture: as many pieces as the frame budget allows now, the rest
    // from the idle callback (show_frame_pieces), the window answering input in
    // between and showing what it showed before meanwhile.
    begin_frame(false);
    show_frame_pieces();
}

namespace {

// A new picture (one that had to be recorded, or is drawn directly) slower than
// the budget: its reduced picture is shown at once, and the full one begun again
// behind it, so the window does not go on showing the picture before it.
void show_reduced_meanwhile() {
    const double done = (frame.pass * frame.pieces + frame.piece) /
                        static_cast<double>(frame.passes.size() * frame.pieces);
    const double estimate = done > 0 ? frame.seconds / done : frame.seconds;
    if (estimate > full_frame_seconds) full_frame_seconds = estimate;
    recorded_frame_seconds = 0;  // the last one told of another picture
    if (draw_reduced_frame()) {
        glutSwapBuffers();
        ++frames_drawn;
    }
    begin_frame(false);
    frame.past_first_turn = true;
}

}  // namespace

bool show_frame_pieces() {
    if (!continue_frame(frame_budget)) {
        // Interactions know the full picture is slow even before it is done.
        if (frame.active && frame.seconds > full_frame_seconds) full_frame_seconds = frame.seconds;
        // Only a frame's first turn tells whether its picture is new.
        if (frame.active && !frame.past_first_turn) {
            frame.past_first_turn = true;
            if (model_pieces_made() != frame.made) show_reduced_meanwhile();
        }
        return false;
    }
    // A picture asked for is the full frame just drawn, read before the swap shows
    // it; a reduced frame leaves the request for the full one.
    const bool saving = picture_save_requested && glutGetWindow() == main_window;
    Image picture;
    if (saving) picture = read_window_frame();
    // The swap waits for the picture to be finished: it is part of the frame's cost.
    const double start = seconds_now();
    glutSwapBuffers();
    full_frame_seconds = frame.seconds + (seconds_now() - start);
    // Only a frame drawn from recordings alone tells what the recorded picture costs.
    recorded_frame_seconds = model_pieces_made() == frame.made ? full_frame_seconds : 0;
    ++frames_drawn;
    if (saving) {
        picture_save_requested = false;
        save_picture(picture);
        glutPostRedisplay();  // the status line says where it went
    }
    return true;
}

std::string overlay_status() {
    std::string text = status_line();
    const std::string note = empty_picture_note(data_set, display_mode);
    if (!note.empty()) text += (text.empty() ? "" : "  ") + note;
    GLboolean stereo = GL_FALSE;
    glGetBooleanv(GL_STEREO, &stereo);
    if (stereo_form(stereo_mode) && stereo_form(stereo_mode)->stereo_window && !stereo) {
        if (!text.empty()) text += "  ";
        text += kNoStereoVisualStatus;
    }
    if (text.empty() && data_set.filename.empty() && data_set.point_count() == 0) text = kStartHint;
    return text;
}

void draw_overlay_step() {
    if (show_file_name || !title.empty() || !overlay_status().empty()) draw_overlay();
    draw_legend();
    draw_load_progress();
}

void draw_overlay() {
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 100, 0, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1 - background_color.r(), 1 - background_color.g(), 1 - background_color.b());
    glRasterPos2i(10, 10);
    const bool name_shown = show_file_name && !data_set.filename.empty();
    // A refused load or a folder problem shows whether or not the name does.
    const std::string status = overlay_status();
    if (!name_shown && status.empty() && title.empty()) return;

    // The text is written over whatever the scene left at that spot, into both
    // back buffers of a stereo window, untextured so that it keeps its colour.
    // Bitmap fragments are textured by the state at glBitmap time, not at glRasterPos.
    const GLboolean textured = glIsEnabled(GL_TEXTURE_2D);
    const GLboolean depth_tested = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    select_draw_buffer(GL_BACK);

    // The status line, smaller than the name (a problem's text is long), wraps
    // within the picture (each half of a split one): its last line stands at
    // (10, 5) and further lines above it, pushing the name up when they reach it.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double units_per_pixel = 100.0 / (viewport[3] > 0 ? viewport[3] : 1);
    const int line_pixels = line_height(OverlayFont::kStatus);
    const int left_pixels = viewport[2] / 10;
    const std::vector<std::string> lines =
        wrap_text(status, viewport[2] - left_pixels - kOverlayMargin,
                  [&](const std::string& s) { return text_width(OverlayFont::kStatus, s); });
    const int count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        glRasterPos2d(10, 5 + (count - 1 - i) * line_pixels * units_per_pixel);
        draw_text(OverlayFont::kStatus, lines[i]);
    }
    if (name_shown) {
        const double above_status = 5 + (count * line_pixels + kOverlayMargin) * units_per_pixel;
        glRasterPos2d(10, count > 1 && above_status > 10 ? above_status : 10);
        draw_text(OverlayFont::kName, data_set.filename);
    }
    if (!title.empty()) {
        // Centred at the top (app/picture_bands.h).
        const double width = text_width(OverlayFont::kName, title);
        glRasterPos2d(50 - 50 * width / std::max(1, viewport[2]),
                      title_baseline(viewport[3]) * units_per_pixel);
        draw_text(OverlayFont::kName, title);
    }
    if (depth_tested) glEnable(GL_DEPTH_TEST);
    if (textured) glEnable(GL_TEXTURE_2D);
}
