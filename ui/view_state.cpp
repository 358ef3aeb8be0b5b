#include "ui/view_state.h"

float view_rotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
float matCur[16] = {};
int interacting = 0;
double full_frame_seconds = 0;
