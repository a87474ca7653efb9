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

    // Start-up, first load only: the splash window closes, then the preferences file is read
    // (newProject false: a faulty file is reported).
    std::function<void()> UnloadSplash;
    std::function<void(bool newProject)> InizializePreferences;

    // "Advanced": shows the initial-values window (creating it when needed), then fills its rows.
    std::function<void()> ShowInitValues;
    std::function<void()> LoadInitValues;

    // The frame's side of a switch to the mechanical view: the instructions hide, and the menu bar's
    // view switches and the print entry show or hide, as the frame's own view commands do.
    std::function<void()> HideInstructions;
    std::function<void(bool visible)> SwitchMnuMechanical;
    std::function<void(bool visible)> SwitchMnuVertical;
    std::function<void(bool visible)> SwitchMnuFilePrint;
};

VerticalViewHooks& ViewHooks();
