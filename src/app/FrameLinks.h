#pragma once
#include <QString>
#include <functional>

class FormBase;

// What the frame hands over to the windows and routines it does not own. The program's start-up
// fills these in; tests fill them with recorders.
struct FrameLinks {
    // The child windows (created on first use by whoever owns them).
    std::function<FormBase&()> MecView;
    // Windows unloaded at shutdown, in the frame's order.
    std::function<void()> UnloadMecView, UnloadPrincipale, UnloadInitValues, UnloadPreferences, UnloadPrinterProperties;
    std::function<void()> InizializeDefaultPreferences;
    // Project files: the save operations report whether the project was written.
    std::function<void(int index)> OpenArrayConfig;
    std::function<bool(const QString& fileName)> SaveArrayConfig;
    std::function<bool()> SaveArrayConfigAs;
    // Dialogs and windows.
    std::function<void()> ShowPreferences;   // shows the dialog and fills it (loadConfig)
    std::function<void()> ShowPrinterProperties, HidePrinterProperties;
    std::function<void()> ShowSplMapExport;
    // Mechanics.
    std::function<void()> UpdateMechanics, UpdateMecView, CalculateArrayGeometry;
    // Repaints of the child windows after a resize.
    std::function<void()> RepaintViews;
    // Whether a map run or a map export picture is letting events through (a close then stops it and
    // waits for it to return), and how to stop the export picture.
    std::function<bool()> MapRunActive;
    std::function<bool()> ExportBuildActive;
    std::function<void()> StopExportBuild;
    std::function<void()> UnloadSplMapExport;
};

FrameLinks& Links();
