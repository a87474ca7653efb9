#pragma once
#include "core/SplState.h"
#include <cstdint>

// The SPL map painted into the venue view, the colour bar beside it and the bar's pointer.

// The four equal segments of the colour scale, in 0.01 dB: Floor .. T1 .. T2 .. T3 .. Top.
struct SplRamp {
    double Top = 0;
    double Q = 0;   // a quarter of the scale's span
    double T3 = 0;
    double T2 = 0;
    double T1 = 0;
    double Floor = 0;
};

// The ramp of the current SplScaleMax and DeltaSpl; also stores its bottom in SplFloor, as every
// painter of the map must before it paints.
SplRamp SetSplRamp();

// The colour of a level in 0.01 dB: dark blue (0, 0, 32) at and below the floor through cyan, green
// and yellow to red at and above the top. A scale without span shows only those two ends.
RGBColor SplRampRGB(double v, const SplRamp& ramp);
// The colour of pixel row y of the colour bar, whose quarter height is Q pixels: red at the top row,
// then yellow, green and cyan, and (0, 0, 32) from row 4Q down.
RGBColor ScaleRowRGB(int y, int Q);

// Paints the last map (rows 0..MapSize(0), columns 0..MapSize(1)) over the whole height of the venue
// view, from 1 m in front of the array to its right edge, and hides the rays of the boxes in use.
// A map with no width at all shows "Map Resolution Error!" and paints nothing.
void RenderSPLMap();
// Paints the colour bar and puts its pointer at the bar's bottom.
void DrawColorScale();
// Moves the bar's pointer to the level of the map cell under the venue point (X, Y) in metres, or to
// the bar's bottom when no valid map lies there.
void ShowSPLAtCursor(float X, float Y);
