#pragma once
#include "platform/UserScale.h"
#include <QRect>

// Where a label or shape sits on its picture: the top-left corner in user units and a size in user
// units (always positive). The box is fixed on the screen, so a change of the picture's mapping
// re-expresses its numbers (Remap) rather than moving it.
struct ElementBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    void Remap(const UserScale& from, const UserScale& to);
    // The pixels it covers; sizes are held below 2^29 so that the far edge stays a valid int.
    QRect PixelRect(const UserScale& scale) const;
};
