#pragma once
#include <QString>
#include <functional>

// Calls from the geometry and the rigging up into the mechanical view and the acoustics, which fill
// them in when they are created. An empty hook does nothing, so the computation runs on its own in tests.
struct MechanicsHooks {
    // Redraws the mechanical view from the current results.
    std::function<void()> UpdateMecView;
    // Recomputes the SPL curve along the selected audience area.
    std::function<void()> CalculateSplDiagram;
    // Sets the caption of the mechanical view's label Label_Weight_Hook(index).
    std::function<void(int index, const QString& caption)> SetLabelWeightHookCaption;
};

MechanicsHooks& MecHooks();
