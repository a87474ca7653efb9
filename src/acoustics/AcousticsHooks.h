#pragma once
#include <functional>

// The menus of the frame that a map run hides while it lets events run.
enum class FrameMenu { MechanicalView, File, Export };

// Calls from the acoustic code up into the windows of the frame and the settings, which the higher
// layers fill in. An empty hook does nothing (and an empty visibility test answers "not visible").
struct AcousticsHooks {
    // The preferences window: whether it is visible (asking creates it hidden when it does not
    // exist yet), its applyConfig, and closing (unloading) it.
    std::function<bool()> preferencesVisible;
    std::function<void()> applyConfig;
    std::function<void()> unloadPreferences;
    // The initial-values window: whether it is visible, its SaveCurrValues, and closing it.
    std::function<bool()> initValuesVisible;
    std::function<void()> saveCurrValues;
    std::function<void()> unloadInitValues;
    // Shows or hides one of the frame's menus ("&Mechanical View", "&File", "&Export").
    std::function<void(FrameMenu menu, bool visible)> setMenuVisible;
    // Called as a map run starts and again once it has ended (MapRunActive tells which): the export
    // window's picture reads the map a run replaces, so it stops its build and rests its buttons.
    std::function<void()> mapRunStartedOrEnded;
    // The map run's last act, after either end. The run's caller (the Start handler) is still on the
    // stack, so a close that waited for the run must tear windows down from a queued call.
    std::function<void()> mapRunEnded;
};

// The hooks in use.
AcousticsHooks& Acoustics();
