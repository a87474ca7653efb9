#pragma once
#include "core/StandardStep.h"
#include <cstdint>

// Grid lines and numbered captions of the venue section, the SPL diagram and the colour bar. The
// routines move, caption, colour, show and hide the window's fixed pools of lines and labels and
// set the user scales of the SPL diagram and the colour bar; every call starts afresh from the
// current scales and preferences.

// Both axes of the venue section and the distance axis of the SPL diagram (venue X along the
// selected audience area), then UpdateSplZAxis and UpdateColorScaleAxis.
void UpdateDiagramAxes();
// The level axis of the SPL diagram: scale from SplScaleMax down by DeltaSpl, captions and grid.
void UpdateSplZAxis();
// The level captions of the colour bar, on the same scale.
void UpdateColorScaleAxis();
