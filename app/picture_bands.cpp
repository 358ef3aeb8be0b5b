#include "app/picture_bands.h"

#include <GL/gl.h>

#include "app/display.h"
#include "app/overlay_text.h"
#include "core/settings.h"
#include "data/data_set.h"

namespace {
constexpr double kGap = 4;  // pixels around the text of a band
}  // namespace

double bottom_band(int height) {
    // The name's baseline stands at a tenth of the height, the status line's at a
    // twentieth (app/display.cpp); a band only where they are drawn.
    if (show_file_name && !data_set.filename.empty())
        return 0.1 * height + line_height(OverlayFont::kName) + kGap;
    if (!overlay_status().empty()) return 0.05 * height + line_height(OverlayFont::kStatus) + kGap;
    return 0;
}

double top_band(int height) {
    return title.empty() ? 0 : height - title_baseline(height) + kGap;
}

double title_baseline(int height) {
    return height - kGap - line_height(OverlayFont::kName) * 0.8;
}

std::vector<PixelRect> overlay_bands() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    std::vector<PixelRect> bands;
    if (bottom_band(v[3]) > 0)
        bands.push_back({1.0 * v[0], 1.0 * v[1], 1.0 * v[0] + v[2], v[1] + bottom_band(v[3])});
    if (!title.empty())
        bands.push_back(
            {1.0 * v[0], v[1] + v[3] - top_band(v[3]), 1.0 * v[0] + v[2], 1.0 * v[1] + v[3]});
    return bands;
}
