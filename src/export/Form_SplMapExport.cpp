#include "export/Form_SplMapExport.h"
#include "export/ExportColorMap.h"
#include "export/ExportHooks.h"
#include "acoustics/MapRun.h"
#include "export/SavePngMap.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/VbColor.h"

#include <memory>
#include <vector>

namespace {

std::unique_ptr<Form_SplMapExport>& instance()
{
    static std::unique_ptr<Form_SplMapExport> form;
    return form;
}

// Windows closed while one of their handlers was still running; they are freed once none is.
std::vector<std::unique_ptr<Form_SplMapExport>>& retired()
{
    static std::vector<std::unique_ptr<Form_SplMapExport>> forms;
    return forms;
}

int g_handlersRunning = 0;
// A close asked for during a build, carried out when the build has returned.
bool g_closeAfterBuild = false;

class HandlerScope {
public:
    HandlerScope() { ++g_handlersRunning; }
    ~HandlerScope() { --g_handlersRunning; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

constexpr int Pixel = Picture::TwipsPerPixel;
constexpr int LabelHeight = 13;
// The level captions start under the level unit, their text ending before the colour bar.
constexpr int ScaleLabelLeft = 982;
constexpr int ScaleLabelWidth = 28;
constexpr int UnitLabelLeft = 982;
constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Black = 0x000000;

void PlaceButton(CommandButton& b, const char* caption, int leftPx)
{
    b.SetCaption(QString::fromLatin1(caption));
    b.Move(leftPx * Pixel, 693 * Pixel, 100 * Pixel, 16 * Pixel);
}

LabelElement& DesignLabel(LabelElement& l, double left, double top, double width, int alignment)
{
    l.SetLeft(left);
    l.SetTop(top);
    l.SetWidth(width);
    l.SetHeight(LabelHeight);
    l.SetAlignment(alignment);
    l.SetBackStyle(LabelElement::Transparent);
    l.SetForeColor(Black);
    return l;
}

template <std::size_t N>
void AddLabels(Picture& p, std::array<LabelElement*, N>& labels, double left, double width, int alignment)
{
    for (auto& l : labels)
        l = &DesignLabel(p.AddLabel(), left, 0, width, alignment);
}

} // namespace

Form_SplMapExport::Form_SplMapExport()
{
    SetCaption(QStringLiteral("MapPreview"));
    Move(0, 0, 1014 * Pixel, 708 * Pixel);

    picMapPreview.SetLeft(1 * Pixel);
    picMapPreview.SetTop(1 * Pixel);
    picMapPreview.SetSize(PictureWidth * Pixel, PictureHeight * Pixel);
    picMapPreview.SetBackColor(White);
    picMapPreview.SetForeColor(Black);

    PlaceButton(PreviewPNG, "Preview Map", 300);
    PlaceButton(PrintMap, "Print Map", 400);
    PlaceButton(ExportPNG, "Export PNG Map", 500);
    ProgressBar.Move(5 * Pixel, 693 * Pixel, 290 * Pixel, 16 * Pixel);
    Adopt(PreviewPNG, PrintMap, ExportPNG, ProgressBar);
    PreviewPNG.Click = [this] { PreviewPNG_Click(); };
    ExportPNG.Click = [this] { ExportPNG_Click(); };

    AddLabels(picMapPreview, Label_Scale, ScaleLabelLeft, ScaleLabelWidth, LabelElement::LeftJustify);
    AddLabels(picMapPreview, Label_Area_X, 0, 30, LabelElement::Center);
    AddLabels(picMapPreview, Label_Area_Z, 0, 20, LabelElement::RightJustify);
    DesignLabel(Label_Axis_dB, UnitLabelLeft, 2, 30, LabelElement::LeftJustify).SetCaption(QStringLiteral("[dB]"));
    DesignLabel(Label_Axis_X, 0, 0, 20, LabelElement::LeftJustify).SetCaption(QStringLiteral("[m]"));
    DesignLabel(Label_Axis_Z, 2, 2, 20, LabelElement::LeftJustify).SetCaption(QStringLiteral("[m]"));
    DesignLabel(Etichetta_Diagramma, 25, 2, 950, LabelElement::LeftJustify);
    Etichetta_Diagramma.SetFontBold(true);
    Etichetta_Diagramma.SetForeColor(VbRGB(128, 0, 0));
    HideLabels();
}

void Form_SplMapExport::Form_Load()
{
    if (ExportCalls().screenWidth)
        Move((ExportCalls().screenWidth() - Width()) / 2, 0, Width(), Height());
    UpdateButtons();
}

void Form_SplMapExport::HideLabels()
{
    for (auto* pool : {&Label_Scale, &Label_Area_X})
        for (LabelElement* l : *pool)
            l->SetVisible(false);
    for (LabelElement* l : Label_Area_Z)
        l->SetVisible(false);
    for (LabelElement* l : {&Label_Axis_dB, &Label_Axis_X, &Label_Axis_Z, &Etichetta_Diagramma})
        l->SetVisible(false);
}

void Form_SplMapExport::UpdateButtons()
{
    const bool idle = !SplMapExportBuildActive() && !MapRunActive();
    PreviewPNG.SetEnabled(idle);
    PrintMap.SetEnabled(false);
    ExportPNG.SetEnabled(idle && built_);
}

void Form_SplMapExport::PreviewPNG_Click()
{
    const HandlerScope running;
    if (SplMapExportBuildActive() || MapRunActive())
        return;
    // The picture is about to be redrawn, so the one built before is gone whatever happens.
    built_ = false;
    PreviewPNG.SetEnabled(false);
    ExportPNG.SetEnabled(false);
    built_ = BuildSplMapPicture();
    if (g_closeAfterBuild)
        UnloadSplMapExport();
    else
        UpdateButtons();
    if (ExportCalls().mapExportBuildEnded)
        ExportCalls().mapExportBuildEnded();
}

void Form_SplMapExport::ExportPNG_Click()
{
    const HandlerScope running;
    if (!built_ || SplMapExportBuildActive() || MapRunActive())
        return;
    // Closes the window on every path.
    SavePngMap(DefaultPngFileName(ProjectFileName, Principale().Frequency.Text()));
}

Form_SplMapExport& SplMapExport()
{
    auto& form = instance();
    if (!form) {
        if (g_handlersRunning == 0)
            retired().clear();
        form = std::make_unique<Form_SplMapExport>();
        form->Form_Load();
    }
    return *form;
}

bool SplMapExportLoaded() { return instance() != nullptr; }

void UnloadSplMapExport()
{
    auto& form = instance();
    if (!form)
        return;
    if (SplMapExportBuildActive()) {
        StopSplMapExportBuild();
        g_closeAfterBuild = true;
        return;
    }
    g_closeAfterBuild = false;
    form->Hide();
    if (form->Unloaded)
        form->Unloaded();
    retired().push_back(std::move(form));
    if (g_handlersRunning == 0)
        retired().clear();
}

void SplMapExportFollowMapRun()
{
    auto& form = instance();
    if (!form)
        return;
    if (MapRunActive())
        StopSplMapExportBuild();
    form->UpdateButtons();
}
