#pragma once
#include <functional>

// Calls from the map export up into the frame, which the program's start-up fills in. An empty hook
// does nothing.
struct ExportHooks {
    // The last act of "Preview Map" once its picture build has returned, completed or stopped. Its
    // button is still on the stack, so a close that waited for the build must tear windows down from a
    // queued call, as after a map run.
    std::function<void()> mapExportBuildEnded;
    // The screen's width in twips, for centring the export window; empty leaves it at the left edge.
    std::function<int()> screenWidth;
};

// The hooks in use.
ExportHooks& ExportCalls();
