#include "app/interaction.h"

#include <chrono>

#include "core/settings.h"
#include "core/view_state.h"

namespace {
double last_sign = 0;
bool pointer_held = false;
}  // namespace

double seconds_now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void note_interaction() {
    last_sign = seconds_now();
    interacting = 1;
}

void set_pointer_held(bool held) {
    pointer_held = held;
    note_interaction();
}

bool update_interaction(double now, bool panel_busy) {
    if (pointer_held || panel_busy) {
        last_sign = now;
        interacting = 1;
        return false;
    }
    // A delay that is not a number ends the interaction at once, like 0.
    if (interacting && !(now - last_sign < full_picture_delay)) {
        interacting = 0;
        return true;
    }
    return false;
}
