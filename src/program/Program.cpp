#include "program/Program.h"

#include "acoustics/AcousticsHooks.h"
#include "export/ExportColorMap.h"
#include "export/ExportHooks.h"
#include "export/Form_SplMapExport.h"
#include "export/Form_SplMapExportView.h"
#include "acoustics/MapRun.h"
#include "acoustics/RenderSim.h"
#include "acoustics/SplDiagram.h"
#include "app/AppHooks.h"
#include "app/Form_InitValues.h"
#include "app/Form_InitValuesView.h"
#include "app/Form_Preferences.h"
#include "app/Form_Splash.h"
#include "app/Form_SplashView.h"
#include "app/Form_PreferencesView.h"
#include "app/FrameLinks.h"
#include "app/InstallProjectFiles.h"
#include "app/MDIForm1.h"
#include "app/MDIForm1View.h"
#include "app/Preferences.h"
#include "app/ProjectFile.h"
#include "core/Settings.h"
#include "forms/FrameHooks.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Form_MecView.h"
#include "mechanics/Form_MecViewView.h"
#include "mechanics/Geometry.h"
#include "mechanics/MecViewDrawing.h"
#include "mechanics/MecViewHooks.h"
#include "mechanics/Mechanics.h"
#include "mechanics/MechanicsHooks.h"
#include "platform/Timer.h"
#include "print/Form_PrinterProperties.h"
#include "print/PrinterPropertiesView.h"
#include "vertical_view/Form_Principale.h"
#include "vertical_view/Form_PrincipaleView.h"
#include "vertical_view/VerticalViewHooks.h"

#include <QApplication>
#include <QFont>
#include <QPointer>
#include <QTimer>
#include <cstdlib>

namespace {

QPointer<MDIForm1View> frameView;

QWidget* FrameWindow() { return frameView.data(); }

void CompletePendingClose()
{
    if (FrameLoaded() && Frame().ClosePending()) {
        Frame().ClearClosePending();
        QTimer::singleShot(0, [] {
            if (frameView)
                frameView->close();
        });
    }
}

void WireMechanics()
{
    MechanicsHooks& m = MecHooks();
    m.UpdateMecView = [] { UpdateMecView(); };
    m.CalculateSplDiagram = [] { CalculateSplDiagram(); };
    m.SetLabelWeightHookCaption = [](int index, const QString& caption) {
        MecView().Label_Weight_Hook[std::size_t(index)].SetCaption(caption);
    };

    MecViewHooks& v = MecViewCalls();
    v.CalculateArrayGeometry = [] { CalculateArrayGeometry(); };
    v.UpdateMechanics = [] { UpdateMechanics(); };
    v.CalculateSplDiagram = [] { CalculateSplDiagram(); };
    v.PointDistance = [](double x1, double y1, double x2, double y2) { return PointDistance(x1, y1, x2, y2); };
    v.PrintClusterConfiguration = [] { PrinterProperties().RedrawPreview(); };
    v.ShowVerticalView = [] { Principale().Show(); };
    v.HideInstructions = [] { Instructions().Hide(); };
    v.HidePrinterProperties = [] {
        if (PrinterPropertiesLoaded())
            PrinterProperties().Hide();
    };
    v.SwitchMnuVertical = [](bool on) { Frame().mnuVertical.SetVisible(on); };
    v.SwitchMnuMechanical = [](bool on) { Frame().mnuMechanical.SetVisible(on); };
    v.SwitchMnuFilePrint = [](bool on) { Frame().mnuFilePrint.SetVisible(on); };
    v.SetFrameCaption = [](const QString& caption) { Frame().SetCaption(caption); };
    v.FrameWidth = [] { return Frame().Width(); };
    v.FrameHeight = [] { return Frame().Height(); };
    v.ScreenWidth = [] { return Frame().ScreenWidth; };
}

void WireAcoustics()
{
    AcousticsHooks& a = Acoustics();
    a.preferencesVisible = [] { return PreferencesDialog().Visible(); };
    a.applyConfig = [] { PreferencesDialog().applyConfig(); };
    a.unloadPreferences = [] { UnloadPreferencesDialog(); };
    a.initValuesVisible = [] { return InitValuesDialog().Visible(); };
    a.saveCurrValues = [] { InitValuesDialog().SaveCurrValues(); };
    a.unloadInitValues = [] { UnloadInitValuesDialog(); };
    a.setMenuVisible = [](FrameMenu menu, bool visible) {
        MDIForm1& f = Frame();
        MenuItem& item = menu == FrameMenu::File ? f.mnuFile : menu == FrameMenu::Export ? f.mnuExport : f.mnuMechanical;
        item.SetVisible(visible);
    };
    // A close asked for during a map run or an export picture completes once that has returned,
    // from the event loop, after the handler that started it has returned too.
    a.mapRunEnded = CompletePendingClose;
    a.mapRunStartedOrEnded = SplMapExportFollowMapRun;

    ExportHooks& e = ExportCalls();
    e.mapExportBuildEnded = CompletePendingClose;
    e.screenWidth = [] { return Frame().ScreenWidth; };
}

void WireApp()
{
    AppHooks& h = GetAppHooks();
    h.CalculateArrayGeometry = [] { CalculateArrayGeometry(); };
    h.UpdateMechanics = [] { UpdateMechanics(); };
    h.CalculateSplDiagram = [] { CalculateSplDiagram(); };
    h.Mode = [] { return &MecView().Mode; };
    h.Hooks_Num = [] { return &MecView().Hooks_Num; };
    h.ReverseModeOn = [] { return &MecView().ReverseModeOn; };
    // The legend markers exist only with the vertical view; asking must not create it.
    h.System_CoG_Circle = [] { return PrincipaleLoaded() ? Principale().System_CoG_Circle : nullptr; };
    h.System_Zero_Circle = [] { return PrincipaleLoaded() ? Principale().System_Zero_Circle : nullptr; };
    ProjectViewHooks().Stage_color_Change = [] {
        if (auto* view = dynamic_cast<Form_Principale*>(&Principale()))
            view->Stage_color_Change();
    };

    FrameLinks& l = Links();
    l.MecView = []() -> FormBase& { return MecView(); };
    l.UnloadMecView = [] { UnloadMecView(); };
    l.UnloadPrincipale = [] { UnloadPrincipale(); };
    l.UnloadInitValues = [] { UnloadInitValuesDialog(); };
    l.UnloadPreferences = [] { UnloadPreferencesDialog(); };
    l.UnloadPrinterProperties = [] { UnloadPrinterProperties(); };
    l.InizializeDefaultPreferences = [] { InizializeDefaultPreferences(); };
    l.ShowPreferences = [] {
        Form_Preferences& dialog = PreferencesDialog();
        if (!dialog.Changed)
            new Form_PreferencesView(dialog, FrameWindow());
        dialog.Show();
        dialog.loadConfig();
    };
    l.ShowPrinterProperties = [] { PrinterPropertiesView::Open(FrameWindow()); };
    l.HidePrinterProperties = [] {
        if (PrinterPropertiesLoaded())
            PrinterProperties().Hide();
    };
    l.RepaintViews = [] {
        if (frameView)
            frameView->update();
    };
    l.UpdateMechanics = [] { UpdateMechanics(); };
    l.UpdateMecView = [] { UpdateMecView(); };
    l.CalculateArrayGeometry = [] { CalculateArrayGeometry(); };
    l.MapRunActive = [] { return MapRunActive(); };
    l.ExportBuildActive = [] { return SplMapExportBuildActive(); };
    l.StopExportBuild = [] { StopSplMapExportBuild(); };
    l.UnloadSplMapExport = [] { UnloadSplMapExport(); };
    l.ShowSplMapExport = [] { ShowSplMapExportWindow(FrameWindow()); };
    InstallProjectFiles();

    FrameHooks& f = FrameCalls();
    f.LoadAndHide = [] {
        EnsureFrameLoaded();
        Frame().Hide();
    };
    f.Show = [] { Frame().Show(); };
    f.SetTitle = [](const QString& viewCaption) {
        Frame().SetCaption(AppTitle + " - [" + viewCaption + "] - " + ProjectFileName);
    };

    PrincipaleCreated() = [](Form_PrincipaleControls& form) {
        if (frameView)
            new Form_PrincipaleView(form, frameView->ClientArea());
    };
    MecViewCreated() = [](Form_MecView& form) {
        if (frameView)
            new Form_MecViewView(form, frameView->ClientArea());
    };

    VerticalViewHooks& view = ViewHooks();
    view.ShowSPLAtCursor = [](double x, double y) { ShowSPLAtCursor(float(x), float(y)); };
    view.UnloadSplash = [] { UnloadSplash(); };
    view.InizializePreferences = [](bool newProject) { InizializePreferences(newProject); };
    view.ShowInitValues = [] {
        Form_InitValues& dialog = InitValuesDialog();
        if (!dialog.Changed)
            new Form_InitValuesView(dialog, FrameWindow());
        dialog.Show();
    };
    view.LoadInitValues = [] { LoadInitValues(); };
    view.HideInstructions = [] { Instructions().Hide(); };
    view.SwitchMnuMechanical = [](bool on) { Frame().mnuMechanical.SetVisible(on); };
    view.SwitchMnuVertical = [](bool on) { Frame().mnuVertical.SetVisible(on); };
    view.SwitchMnuFilePrint = [](bool on) { Frame().mnuFilePrint.SetVisible(on); };
}

} // namespace

void WireProgram()
{
    InstallVerticalView();
    WireMechanics();
    WireAcoustics();
    WireApp();
}

void EnsureFrameLoaded() { Frame().EnsureLoaded(); }

void UseProgramFont()
{
    // The windows are laid out in twips for a narrow 8-point face; a condensed face keeps the
    // captions inside their places.
    QFont face(QStringLiteral("DejaVu Sans Condensed"));
    face.setPointSizeF(8);
    QApplication::setFont(face);
}

MDIForm1View* CreateProgramWindows()
{
    frameView = new MDIForm1View(Frame());
    new Form_SplashView(Splash());
    return frameView;
}

int RunProgram(const QString& commandLine)
{
    WireProgram();
    Timer::SetLive(true);
    UseProgramFont();
    MDIForm1& frame = Frame();
    frame.EndProgram = [] { std::_Exit(0); };
    CreateProgramWindows();
    frame.MDIForm_Initialize(commandLine);
    EnsureFrameLoaded();
    if (!frame.Visible())
        frame.Show();
    const int code = QApplication::exec();
    delete frameView.data();
    return code;
}
