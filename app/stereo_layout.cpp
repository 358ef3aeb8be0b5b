#include "app/stereo_layout.h"

#include "core/settings.h"

StereoForm drawn_form() {
    const StereoForm* form = stereo_form(stereo_mode);
    if (!form) return StereoForm{{stereo_mode, nullptr, nullptr}, 0, {}};
    StereoForm drawn = *form;
    if (anaglyph_colours == kLeastSquaresColours && form->least_squares) {
        drawn.passes[0] = kFirstPicture;
        drawn.passes[1] = kSecondPicture;
        drawn.composed = Composition::least_squares;
    }
    return drawn;
}

void eye_picture_size(int window_width, int window_height, int& width, int& height) {
    const StereoForm form = drawn_form();
    const PixelBox box = place_box(form.pass_count > 0 ? form.passes[0].place : PassPlace::whole,
                                   window_width, window_height);
    width = box.width;
    height = box.height;
}

float drawn_saturation() {
    const StereoForm form = drawn_form();
    return form.pass_count > 0 && form.passes[0].softened ? anaglyph_saturation : 1.0f;
}

PixelBox place_box(PassPlace place, int width, int height) {
    const int half_width = width / 2, half_height = height / 2;
    switch (place) {
        case PassPlace::whole:
            break;
        case PassPlace::left_half:
            return {0, 0, half_width, height};
        case PassPlace::right_half:
            return {width - half_width, 0, half_width, height};
        case PassPlace::top_half:
            return {0, height - half_height, width, half_height};
        case PassPlace::bottom_half:
            return {0, 0, width, half_height};
    }
    return {0, 0, width, height};
}
