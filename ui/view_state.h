#pragma once
// The view state that the picture reads besides the settings: the rotation the
// keys and the mouse build, the matrix of the last model draw, and whether the
// user is interacting now (with the cost of the last full frame, which decides
// whether an interaction is drawn with the reduced picture). The input code and
// the frame write these; the renderer only reads them (and writes matCur).
// Nothing here touches GL.

extern float view_rotation[16];  // column-major, built from the view angles by the input code; identity
extern float matCur[16];         // model-view matrix of the last model draw, printed by key p; all 0
extern int interacting;          // 1 while the user turns or moves the model, and for a moment after; 0
extern double full_frame_seconds;  // how long the last full frame took, swap included; 0 before any
