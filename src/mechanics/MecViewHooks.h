#pragma once
#include "core/FindResult.h"
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

class ComboList;

// What the mechanical view calls outside itself: the geometry, rigging and SPL computations and the
// catalogue lookups beside it, and upwards the report, the frame and the other views. The program
// fills these in at start-up. The lookups must be filled before the view draws; an empty recomputation
// or window call is skipped, so the view also works on its own.
struct MecViewHooks {
    // Computations, run by the view's handlers in the order the handlers give.
    std::function<void()> CalculateArrayGeometry;
    std::function<void()> UpdateMechanics;
    std::function<void()> CalculateSplDiagram;

    // The rounded distance of two points.
    std::function<std::int16_t(double x1, double y1, double x2, double y2)> PointDistance;

    // The report on the print dialog's preview, redrawn before each redraw of the view:
    // PrintClusterConfiguration(PrinterProperties.PrintPrev, false).
    std::function<void()> PrintClusterConfiguration;

    // The frame and its other views, for the return to the vertical view.
    std::function<void()> ShowVerticalView;
    std::function<void()> HideInstructions;
    std::function<void()> HidePrinterProperties;
    // Menu entries switched on or off the way the frame's own view commands switch them.
    std::function<void(bool on)> SwitchMnuVertical;
    std::function<void(bool on)> SwitchMnuMechanical;
    std::function<void(bool on)> SwitchMnuFilePrint;
    std::function<void(const QString& caption)> SetFrameCaption;
    // Outer size of the frame and width of the screen, twips; the view takes its first size from them.
    std::function<int()> FrameWidth;
    std::function<int()> FrameHeight;
    std::function<int()> ScreenWidth;
};

// The one set of calls the mechanical view uses.
MecViewHooks& MecViewCalls();

// Runs a hook that may be left empty.
template <typename F, typename... Args>
void CallIfSet(const F& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}
