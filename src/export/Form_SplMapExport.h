#pragma once
#include "platform/Control.h"
#include "platform/FormBase.h"
#include "platform/Picture.h"

#include <array>
#include <functional>

// The map export window: "Preview Map" builds the SPL map picture, "Export PNG Map" saves it as a PNG
// under a name the user chooses and closes the window. Every caption of the picture is a label on the
// picture itself, so the saved file shows exactly what the window shows.
//
// Builds and saves never run into each other or into a map run: both buttons stay disabled while a
// picture is being built and while a map run goes on, and "Export PNG Map" is enabled only once a
// picture has been completed.
class Form_SplMapExport : public FormBase {
public:
    static constexpr int PictureWidth = 1012;   // pixels
    static constexpr int PictureHeight = 688;

    Form_SplMapExport();

    Picture picMapPreview;
    CommandButton PreviewPNG;
    CommandButton PrintMap;   // has no action; always disabled
    CommandButton ExportPNG;
    ::ProgressBar ProgressBar;

    // Labels on the picture, in its pixels.
    std::array<LabelElement*, 21> Label_Scale{};    // beside the colour bar
    std::array<LabelElement*, 21> Label_Area_X{};   // distances below the plot
    std::array<LabelElement*, 11> Label_Area_Z{};   // heights left of the plot
    LabelElement& Label_Axis_dB = picMapPreview.AddLabel();
    LabelElement& Label_Axis_X = picMapPreview.AddLabel();
    LabelElement& Label_Axis_Z = picMapPreview.AddLabel();
    LabelElement& Etichetta_Diagramma = picMapPreview.AddLabel();

    // Centres the window at the top of the screen and leaves "Export PNG Map" disabled.
    void Form_Load();
    void PreviewPNG_Click();
    void ExportPNG_Click();

    // Sets both buttons from the state of builds and map runs.
    void UpdateButtons();
    // Hides every label of the picture.
    void HideLabels();
    // Whether the picture holds a completed build.
    bool PictureBuilt() const { return built_; }

    // Set by the view: the window has been closed, its view must let go of it now.
    std::function<void()> Unloaded;

private:
    bool built_ = false;
};

// The export window, created and loaded on first use.
Form_SplMapExport& SplMapExport();
bool SplMapExportLoaded();
// Closes the window at once or, while a picture is being built, stops the build and closes the window
// as soon as the build has returned. A window closed from inside one of its own handlers stays in
// memory, hidden and cut off from its view, until the next window is created.
void UnloadSplMapExport();
// Called by the map run at its start and after its end: a run stops a build that it interrupts (it
// replaces the map the build reads) and keeps the buttons disabled until it has ended.
void SplMapExportFollowMapRun();
