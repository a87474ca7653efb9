#pragma once
#include <QString>

class Picture;

// Writes what the picture shows (its drawing with the visible shapes, lines and labels on it) to
// fileName as a PNG: 8-bit RGB, not interlaced, a significant-bits chunk of 8, 8, 8 and no other
// ancillary chunk, top row first. True only when the whole file was written and closed; false, with
// no message, for an empty picture, a file that cannot be created, or any write or close error
// (a full disk included). A file created before the failure stays behind, for the caller to remove.
bool SavePNG(const Picture& picture, const QString& fileName);
