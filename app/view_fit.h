#pragma once
// Framing: whenever the bounds box or the legend is shown, the picture is
// fitted at start, after every load, after "Reset View", after a view key and on
// "Fit view" (key 0), so that every edge, tick, number and axis name lies inside
// each eye's picture with a margin, between the bands of the overlay's text
// (app/picture_bands.h) and left of the legend, which so never covers the data.
// Fitting changes the scale and the translation across the view only, never
// the user's turns; while the user turns or scales by hand the box may leave.

// At the start of a frame: fits when fit_requested (core/view_state.h) asks,
// with "Comfortable depth" setting the depth too (app/comfortable_depth.h), and
// clears the request; sets the depth alone when comfort_requested asks.
void fit_view_if_asked();

// Fits now; false (nothing changed) when neither box nor legend is shown.
bool fit_view();
