#pragma once
#include <QString>
#include <functional>

// Services of other parts of the program that the vertical view's drawing calls. The program fills
// them in at start-up; an empty hook does nothing (or, for a lookup, finds nothing), which is what
// tests of the drawing alone want.
struct VerticalViewHooks {
    // Shows the SPL map's level at a point of the venue view (metres) on the colour scale.
    std::function<void(double X, double Y)> ShowSPLAtCursor;
};

VerticalViewHooks& ViewHooks();
