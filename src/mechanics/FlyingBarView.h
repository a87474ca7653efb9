#pragma once
#include "core/ModuleRecord.h"

class Form_MecView;

// The flying bar seen from above, in the mechanical view's second picture: its outline, its central
// and side hole rows numbered from 1, the holes that carry hooks, the centre-of-gravity line with its
// out-of-bar arrow, the bottom-strap warning and the hook-load texts.

// The module whose flying bar the view shows: the one named by the top box's type, or the empty
// record 0 when that name is not loaded.
const ModuleRecord& FlyingBarModule();

// A bar is drawn, and its holes can be picked, only when it has a length and a width and spans some
// horizontal distance in the array (the drawing divides by all three).
bool FlyingBarShown(const ModuleRecord& bar);

// Hole counts as far as the record holds hole positions.
int CentralHoleCount(const ModuleRecord& bar);
int SideHoleCount(const ModuleRecord& bar);

// Scales the picture to the bar in millimetres with a 50 mm margin, the length down the picture.
void ScaleFlyingBar(Form_MecView& f, const ModuleRecord& bar);

// Draws the bar and decides CoGOutOfBar, then writes the bottom-strap warning or the hook loads.
void DrawFlyingBar(Form_MecView& f, const ModuleRecord& bar);
