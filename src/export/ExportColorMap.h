#pragma once
#include <QString>

// The map export picture: the last computed SPL map in the export window's picture with its colour
// bar, distance and level captions, grid and ticks, the switched-on audience areas, a frame and a
// caption line naming the project and the run's settings. The captions are labels on the picture, so
// the picture's own image with its labels is what the window shows and what the PNG stores.

// Builds the picture in the export window (created when needed) from the map, the vertical view
// and the preferences as they are now; stores the scale bottom in SplFloor. It lets events run once
// per map row, and stops after such a pause when StopSplMapExportBuild was called in it. True when
// the picture was completed.
bool BuildSplMapPicture();

// True while BuildSplMapPicture runs, also while events run nested inside it: the export window, the
// vertical view and the map must not be torn down or replaced then.
bool SplMapExportBuildActive();

// Asks a running build to stop at its next pause; nothing happens when no build runs.
void StopSplMapExportBuild();

// The step between the distance captions after the first one, which shows firstLabel, for a plot
// that reaches `range` metres beyond it: about 20 captions, raised to a standard step, and 5 instead
// of 2 when the first caption is odd (so that no caption lands next to it).
int HorizontalLabelStep(int range, int firstLabel);
// The step between the height captions of a plot reaching zMax metres: about 10 captions, raised to
// a standard step.
int VerticalLabelStep(int zMax);

// The project's name in the caption: the file name after the last "/" or "\", up to its first ".".
QString ProjectTitle(const QString& projectFileName);
