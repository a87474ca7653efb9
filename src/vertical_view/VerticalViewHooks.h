#pragma once
#include "acoustics/MapRun.h"
#include <QString>
#include <cstdint>
#include <functional>

// Services of other parts of the program that the vertical view's drawing calls. The program fills
// them in at start-up; an empty hook does nothing (or, for a lookup, finds nothing), which is what
// tests of the drawing alone want.
struct VerticalViewHooks {
    // Shows the SPL map's level at a point of the venue view (metres) on the colour scale.
    std::function<void(double X, double Y)> ShowSPLAtCursor;
    // Runs the SPL map with the parameters the Start button took from the panel. The real run
    // unless a test puts a recorder in its place.
    std::function<void(std::int16_t lineCount, double c, double mapRes, double sourceRes)> RunSPLMapSimulation =
        ::RunSPLMapSimulation;
};

VerticalViewHooks& ViewHooks();
