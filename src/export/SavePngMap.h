#pragma once
#include <QString>

// Saving the export window's picture as a PNG file under a name the user chooses.

// The program folder followed by "/exports".
QString ExportsFolder();

// The file the picture is written to before the user picks a name: "ff", the time of day in whole
// hundredths of a second as seven digits, ".tmp", in the exports folder.
QString TemporaryPngPath();

// The name offered in the save dialog: the project's file name (after the last "/" or "\") up to its
// last ".", " - ", the band and " Map.png". A file name without "." is used whole.
QString DefaultPngFileName(const QString& projectFileName, const QString& band);

// Writes the export window's picture to the temporary file (the exports folder is created when it is
// missing), closes the window, asks for the target in the vertical view's save dialog (starting in
// the exports folder with defaultFileName there) and moves the file to the target. An existing
// target is replaced in one step, in any folder, and is left untouched when that fails. The
// temporary file never stays behind. A cancel ends quietly; a file that cannot be written or moved
// shows "Unable to save PNG file!" with its path. True when the PNG reached the chosen target.
bool SavePngMap(const QString& defaultFileName);
