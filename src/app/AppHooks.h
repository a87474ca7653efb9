#pragma once
#include <functional>

class CheckBox;
class ComboList;
class ShapeElement;

// What the preferences routines and dialog reach in the windows and computations beside them: the
// recomputations, the vertical view's legend markers and the mechanical view's rigging controls.
// Whoever owns each fills its member in at start-up; a member left empty (or a control getter that
// returns nullptr) is skipped, so the preferences work on their own in tests.
struct AppHooks {
    std::function<void()> CalculateArrayGeometry;
    std::function<void()> UpdateMechanics;
    std::function<void()> CalculateSplDiagram;

    // The filled circles of the vertical view's legend.
    std::function<ShapeElement*()> System_CoG_Circle;
    std::function<ShapeElement*()> System_Zero_Circle;

    // The mechanical view's rigging controls.
    std::function<ComboList*()> Mode;
    std::function<ComboList*()> Hooks_Num;
    std::function<CheckBox*()> ReverseModeOn;
};

AppHooks& GetAppHooks();
