#pragma once
#include <cstdint>

// Grid lines and numbered captions of the venue section, the SPL diagram and the colour bar. The
// routines move, caption, colour, show and hide the window's fixed pools of lines and labels and
// set the user scales of the SPL diagram and the colour bar; every call starts afresh from the
// current scales and preferences.

// Raises a raw axis step to one of the steps the axes use: 3..4 give 5, 6..9 give 10, above 10 the
// next multiple of 10 that is no multiple of 3 (and, with skipForty, not 40 either); 1, 2, 5 and 10
// stay. A step is never below 1, so no axis can stand still.
std::int64_t StandardStep(std::int64_t raw, bool skipForty = false);

// Both axes of the venue section and the distance axis of the SPL diagram (venue X along the
// selected audience area), then UpdateSplZAxis and UpdateColorScaleAxis.
void UpdateDiagramAxes();
// The level axis of the SPL diagram: scale from SplScaleMax down by DeltaSpl, captions and grid.
void UpdateSplZAxis();
// The level captions of the colour bar, on the same scale.
void UpdateColorScaleAxis();
