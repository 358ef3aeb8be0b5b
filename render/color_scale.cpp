#include "render/color_scale.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "core/settings.h"
#include "render/color_map.h"
#include "render/value_summary.h"

void color_scale_rgb(double t, float rgb[3]) {
    // A polynomial fitted to the public-domain viridis table: from (0.27, 0.00,
    // 0.33) to (0.99, 0.91, 0.14).
    static const double c[7][3] = {{0.2777273272234177, 0.005407344544966578, 0.3340998053353061},
                                   {0.1050930431085774, 1.404613529898575, 1.384590162594685},
                                   {-0.3308618287255563, 0.214847559468213, 0.09509516302823659},
                                   {-4.634230498983486, -5.799100973351585, -19.33244095627987},
                                   {6.228269936347081, 14.17993336680509, 56.69055260068105},
                                   {4.776384997670288, -13.74514537774601, -65.35303263337234},
                                   {-5.435455855934631, 4.645852612178535, 26.3124352495832}};
    t = std::clamp(t, 0.0, 1.0);
    for (int ch = 0; ch < 3; ++ch) {
        double v = c[6][ch];
        for (int k = 5; k >= 0; --k) v = v * t + c[k][ch];
        rgb[ch] = static_cast<float>(std::clamp(v, 0.0, 1.0));
    }
}

static_assert(kColorByChoices[kColorByValue].scale == kScaleOfValues);

int color_scale_axis(const DataSet& set, int display_mode) {
    const ColorByChoice* by = find_choice(kColorByChoices, color_by);
    const DisplayModeChoice* mode = display_mode_choice(display_mode);
    if (!by || !mode || !mode->colours_points || by->scale < 0) return -1;
    if (by->scale == kScaleOfValues) return set.has_values ? kScaleOfValues : -1;
    return by->scale;
}

bool color_scale_range(const DataSet& set, int axis, double& low, double& high) {
    if (axis == kScaleOfValues) {
        const ValueSummary& values = value_summary(set);
        low = values.min;
        high = values.max;
        return values.any;
    }
    if (axis < 0 || axis > 2 || set.point_count() == 0) return false;
    low = set.min[axis];
    high = set.max[axis];
    return std::isfinite(low) && std::isfinite(high);
}

void use_color_scale() {
    unsigned char texels[(kColorScaleEntries + 1) * 4];
    const float s = std::clamp(color_saturation, 0.0f, 1.0f);
    for (int i = 0; i < kColorScaleEntries; ++i) {
        float rgb[3];
        color_scale_rgb((i + 0.5) / kColorScaleEntries, rgb);
        // Through glasses the scale is softened toward grey, as coloured data is.
        const float grey = (rgb[0] + rgb[1] + rgb[2]) / 3.0f;
        for (int ch = 0; ch < 3; ++ch)
            texels[4 * i + ch] =
                static_cast<unsigned char>((grey + s * (rgb[ch] - grey)) * 255.0f + 0.5f);
        texels[4 * i + 3] = 255;
    }
    float missing[3];
    color_map_entry_rgb(0, missing);
    const float grey = (missing[0] + missing[1] + missing[2]) / 3.0f;
    for (int ch = 0; ch < 3; ++ch)
        texels[4 * kMissingValueEntry + ch] =
            static_cast<unsigned char>((grey + s * (missing[ch] - grey)) * 255.0f + 0.5f);
    texels[4 * kMissingValueEntry + 3] = 255;
    glBindTexture(GL_TEXTURE_2D, kColorScaleTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Linear between neighbouring entries: a surface's colours run smoothly
    // between its vertices, each of which addresses the centre of its entry.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kColorScaleEntries + 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels);
    texel_size_s = 1.0 / (kColorScaleEntries + 1);
    texel_size_t = 1.0;
}
