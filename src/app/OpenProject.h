#pragma once
#include <cstdint>

// Replacing the current project: index 0 starts a new project; any other index opens a saved one,
// the file named in the vertical view's open dialog Apri or, when that is empty, the file chosen in
// the dialog. The name is used once: every later open asks again. Both ways end with the window
// title, the open dialogs, the drawing, the mechanics and the SPL spinners brought up to date and
// ConfigChanged cleared. A cancelled dialog changes nothing. A file that cannot be read is reported
// and changes nothing; a corrupted file is reported, and when part of it was applied the project is
// marked changed and must be saved under a new name; a box type that no row offers is reported and
// a new project takes the place of the file.
void OpenArrayConfig(std::int16_t index);

// The map resolution, source resolution and temperature spinners take the values their fields show;
// a field that holds no value the spinner can take leaves it alone.
void SyncSimulationScrollBars();
