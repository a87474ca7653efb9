#include "app/MDIForm1.h"
#include "app/FrameLinks.h"
#include "app/Form_Splash.h"
#include "core/ModuleRecord.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/Services.h"

#include <QLocale>
#include <utility>
#include <memory>

namespace {
std::unique_ptr<MDIForm1>& frameInstance()
{
    static std::unique_ptr<MDIForm1> form;
    return form;
}
std::unique_ptr<Form_Instructions>& instructionsInstance()
{
    static std::unique_ptr<Form_Instructions> form;
    return form;
}
}

FrameLinks& Links()
{
    static FrameLinks links;
    return links;
}

Form_Instructions::Form_Instructions() { SetCaption(QStringLiteral("Install Instructions")); }

Form_Instructions& Instructions()
{
    auto& form = instructionsInstance();
    if (!form)
        form = std::make_unique<Form_Instructions>();
    return *form;
}

void UnloadInstructions() { instructionsInstance().reset(); }

MDIForm1& Frame()
{
    auto& form = frameInstance();
    if (!form)
        form = std::make_unique<MDIForm1>();
    return *form;
}

bool FrameLoaded() { return frameInstance() != nullptr; }

void UnloadFrame() { frameInstance().reset(); }

MDIForm1::MDIForm1()
{
    SetCaption(QStringLiteral("Torvi - [Vertical View] - new.lac"));
    Move(0, 0, 15360, 11520);
    struct Entry { MenuItem& item; const char* caption; bool visible; bool enabled; };
    const Entry entries[] = {
        {mnuFile, "&File", true, true},
        {mnuFileOpen, "Open", true, true},
        {mnuFileOpenNew[0], "New Project", true, true},
        {mnuFileOpenNew[1], "Saved Project", true, true},
        {mnuFileSave, "Save", true, true},
        {mnuFileSaveAs, "Save as...", true, true},
        {mnuFileSave_Preferences, "-", true, true},
        {mnuFilePreferences, "Preferences", true, true},
        {mnuFilePreferences_Printer, "-", true, true},
        {mnuFilePrint, "Print", false, true},
        {mnuFilePrintersetup, "Printer Setup", true, false},
        {mnuFilePrinter_Exit, "-", true, true},
        {mnuFileExit, "Exit", true, true},
        {mnuExport, "&Export", true, true},
        {mnuExportField, "Export SPL Field", true, true},
        {mnuExportFrequency, "Export SPL Frequency", false, true},
        {munExportAllFrequency, "Export All SPL Frequencies", false, true},
        {mnuExportPdf, "Export Mounting Tips (PDF)", true, false},
        {mnuSpace, "        ", true, false},
        {mnuVertical, "&Vertical View", false, true},
        {mnuMechanical, "&Mechanical View", true, true},
        {mnuView, "View", false, false},
        {mnuViewVertical, "Vertical View", false, true},
        {mnuViewMechanical, "Mechanical View", true, true},
        {mnuViewInstructions, "Install Instructions", true, true},
    };
    for (const Entry& e : entries) {
        e.item.SetCaption(QString::fromLatin1(e.caption));
        e.item.SetVisible(e.visible);
        e.item.SetEnabled(e.enabled);
    }
    mnuFileOpenNew[0].Click = [this] { mnuFileOpenNew_Click(0); };
    mnuFileOpenNew[1].Click = [this] { mnuFileOpenNew_Click(1); };
    mnuFileSave.Click = [this] { mnuFileSave_Click(); };
    mnuFileSaveAs.Click = [this] { mnuFileSaveAs_Click(); };
    mnuFilePreferences.Click = [this] { mnuFilePreferences_Click(); };
    mnuFilePrint.Click = [this] { mnuFilePrint_Click(); };
    mnuFilePrintersetup.Click = [this] { mnuFilePrintersetup_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuExportField.Click = [this] { mnuExportField_Click(); };
    mnuVertical.Click = [this] { mnuVertical_Click(); };
    mnuMechanical.Click = [this] { mnuMechanical_Click(); };
    mnuViewVertical.Click = [this] { mnuViewVertical_Click(); };
    mnuViewMechanical.Click = [this] { mnuViewMechanical_Click(); };
    mnuViewInstructions.Click = [this] { mnuViewInstructions_Click(); };
    Timer_Splash.SetInterval(6000);
    Timer_Splash.OnTimer = [this] { Timer_Splash_Timer(); };
}

void MDIForm1::MDIForm_Initialize(const QString& commandLine)
{
    SplashTimeElapsed = VbFalse;
    Splash().Show();
    ModulesLoaded = VbFalse;
    ConfigChanged = VbFalse;
    PrintOptionsSet = VbFalse;
    PrintClusterDetails = VbTrue;
    PrintBoxesDetails = VbTrue;
    PrintBoxesAngles = VbTrue;
    PrintBoxesNames = VbTrue;
    DoEvents();
    CheckDecimalSeparator();
    if (Links().InizializeDefaultPreferences)
        Links().InizializeDefaultPreferences();

    Form_Splash& splash = Splash();
    const int frameWidth = splash.Frame1.Width();
    splash.Splash_Image.SetLeft((frameWidth - splash.Splash_Image.Width()) / 2);
    splash.lblProductName.SetLeft((frameWidth - splash.lblProductName.Width()) / 2);
    splash.lblVersion.SetLeft(frameWidth - splash.lblVersion.Width() - splash.lblVersion.Height());

    QString path = commandLine.trimmed();
    if (path.isEmpty())
        return;
    // The shell has already taken the quotes off a path; only a pair that is still there goes.
    if (path.size() >= 2 && path.startsWith('"') && path.endsWith('"'))
        path = path.mid(1, path.size() - 2);
    Principale().Apri.FileName = path;
    if (Links().OpenArrayConfig)
        Links().OpenArrayConfig(1);
}

void MDIForm1::MDIForm_Load()
{
    Move((ScreenWidth - Width()) / 2, 0, Width(), Height());
    Timer_Splash.SetEnabled(true);
    SetHeight(Principale().Height() + 300);
}

void MDIForm1::EnsureLoaded()
{
    if (loaded_)
        return;
    loaded_ = true;
    MDIForm_Load();
}

void MDIForm1::Timer_Splash_Timer()
{
    SplashTimeElapsed = VbTrue;
    Timer_Splash.SetEnabled(false);
}

void MDIForm1::CheckDecimalSeparator()
{
    const QString half = CStr(0.5);
    const QString separator = half.size() > 1 ? half.mid(1, 1) : QString();
    if (separator == ",")
        return;
    MsgBox(QStringLiteral("This program requires ',' as decimal number separator,\r\n"
                          "different settings may produce unpredictable behaviour.\r\n"
                          "Your current decimal separator is: '")
               + separator + QStringLiteral("'\r\nPlease fix your international settings in the Control Panel"),
           vbOKOnly);
}

void MDIForm1::MDIForm_Resize(bool minimized)
{
    if (!minimized) {
        if (Height() <= 2750) {
            SetHeight(2750);
        } else if (Links().MecView) {
            FormBase& mec = Links().MecView();
            mec.Move(mec.Left(), mec.Top(), Width() - 200, Height() - 750);
        }
        const int h = Height();
        const int w = Width();
        for (FormBase* child : {static_cast<FormBase*>(&Instructions()), static_cast<FormBase*>(&Principale())}) {
            if (child->Height() != h)
                child->SetHeight(h);
            if (child->Width() != w)
                child->SetWidth(w);
        }
    }
    if (Links().UpdateMecView)
        Links().UpdateMecView();
    if (Links().RepaintViews)
        Links().RepaintViews();
}

bool MDIForm1::MDIForm_QueryUnload()
{
    // The close that completes after a run was answered when it was asked for: it does not ask again.
    const bool confirmed = std::exchange(closeConfirmed_, false);
    if (!confirmed && IsTrue(ConfigChanged)
        && MsgBox(QStringLiteral("Config has changed! Are you sure you want to exit?"), vbYesNo, QStringLiteral("Exit program")) == vbNo)
        return true;
    // A map run that is letting events through is still on the stack: stop it, and let the close
    // complete once the run has returned.
    if (Links().MapRunActive && Links().MapRunActive()) {
        StopSimulation = VbTrue;
        closePending_ = true;
        closeConfirmed_ = true;
        return true;
    }
    if (Links().ExportBuildActive && Links().ExportBuildActive()) {
        if (Links().StopExportBuild)
            Links().StopExportBuild();
        closePending_ = true;
        closeConfirmed_ = true;
        return true;
    }
    return false;
}

void MDIForm1::MDIForm_Unload()
{
    for (const auto& unload : {Links().UnloadMecView, std::function<void()>(UnloadInstructions), Links().UnloadPrincipale,
                               Links().UnloadInitValues, Links().UnloadPreferences, std::function<void()>(UnloadSplash),
                               Links().UnloadPrinterProperties, Links().UnloadSplMapExport}) {
        if (unload)
            unload();
    }
    closed_ = true;
}

QString MDIForm1::CurrentViewCaption() const
{
    if (CurrentView == 2)
        return Instructions().Caption();
    if (CurrentView == 1 && Links().MecView)
        return Links().MecView().Caption();
    return Principale().Caption();
}

void MDIForm1::SetTitle() { SetCaption(AppTitle + " - [" + CurrentViewCaption() + "] - " + ProjectFileName); }

void MDIForm1::ShowMecViewAtOrigin()
{
    if (!Links().MecView)
        return;
    FormBase& mec = Links().MecView();
    mec.Move(0, 0, mec.Width(), mec.Height());
    mec.Show();
}

void MDIForm1::mnuMechanical_Click()
{
    CurrentView = 1;
    ShowMecViewAtOrigin();
    Principale().Hide();
    Instructions().Hide();
    mnuMechanical.SetVisible(false);
    mnuVertical.SetVisible(true);
    SetTitle();
    if (Links().UpdateMechanics)
        Links().UpdateMechanics();
    if (Links().UpdateMecView)
        Links().UpdateMecView();
    mnuFilePrint.SetVisible(true);
}

void MDIForm1::mnuVertical_Click()
{
    if (Links().HidePrinterProperties)
        Links().HidePrinterProperties();
    CurrentView = 0;
    Principale().Show();
    Instructions().Hide();
    if (Links().MecView)
        Links().MecView().Hide();
    mnuVertical.SetVisible(false);
    mnuMechanical.SetVisible(true);
    SetTitle();
    mnuFilePrint.SetVisible(false);
}

void MDIForm1::mnuViewVertical_Click()
{
    CurrentView = 0;
    Principale().Show();
    Instructions().Hide();
    if (Links().MecView)
        Links().MecView().Hide();
    mnuViewVertical.SetVisible(false);
    mnuViewMechanical.SetVisible(true);
    mnuViewInstructions.SetVisible(true);
    SetTitle();
}

void MDIForm1::mnuViewMechanical_Click()
{
    CurrentView = 1;
    ShowMecViewAtOrigin();
    Principale().Hide();
    Instructions().Hide();
    mnuViewMechanical.SetVisible(false);
    mnuViewVertical.SetVisible(true);
    mnuViewInstructions.SetVisible(true);
    SetTitle();
    for (const auto& step : {Links().UpdateMecView, Links().CalculateArrayGeometry, Links().UpdateMechanics, Links().UpdateMecView})
        if (step)
            step();
}

void MDIForm1::mnuViewInstructions_Click()
{
    CurrentView = 2;
    Instructions().Move(0, 0, Instructions().Width(), Instructions().Height());
    Instructions().Show();
    Principale().Hide();
    if (Links().MecView)
        Links().MecView().Hide();
    mnuViewInstructions.SetVisible(false);
    mnuViewVertical.SetVisible(true);
    mnuViewMechanical.SetVisible(true);
    SetTitle();
}

void MDIForm1::mnuFileOpenNew_Click(int index)
{
    if (IsTrue(ConfigChanged)) {
        const int answer = MsgBox(QStringLiteral("Do you want to save current array configuration?"), vbYesNoCancel,
                                  QStringLiteral("Configuration changed"));
        // A save that was cancelled or failed keeps the project: nothing is opened over it.
        if (answer == vbYes && Links().SaveArrayConfigAs && Links().SaveArrayConfigAs() && Links().OpenArrayConfig)
            Links().OpenArrayConfig(index);
        else if (answer == vbNo && Links().OpenArrayConfig)
            Links().OpenArrayConfig(index);
    } else if (Links().OpenArrayConfig) {
        Links().OpenArrayConfig(index);
    }
    ModulesLoaded = VbTrue;
}

void MDIForm1::mnuFileSave_Click()
{
    if (Links().SaveArrayConfig)
        Links().SaveArrayConfig(QString());
}

void MDIForm1::mnuFileSaveAs_Click()
{
    if (Links().SaveArrayConfigAs)
        Links().SaveArrayConfigAs();
}

void MDIForm1::mnuFilePreferences_Click()
{
    if (Links().ShowPreferences)
        Links().ShowPreferences();
}

void MDIForm1::mnuFilePrint_Click()
{
    if (mnuVertical.Visible() && !mnuMechanical.Visible() && Links().ShowPrinterProperties)
        Links().ShowPrinterProperties();
}

void MDIForm1::mnuFilePrintersetup_Click()
{
    if (Links().ShowPrinterProperties)
        Links().ShowPrinterProperties();
}

void MDIForm1::mnuFileExit_Click()
{
    if (IsTrue(ConfigChanged)) {
        const int answer = MsgBox(QStringLiteral("Do you want to save current array configuration?"), vbYesNoCancel,
                                  QStringLiteral("Configuration changed"));
        // Only a project that was really written may be left behind.
        if (answer == vbYes && Links().SaveArrayConfigAs && Links().SaveArrayConfigAs() && EndProgram)
            EndProgram();
        else if (answer == vbNo && EndProgram)
            EndProgram();
    } else if (MsgBox(QStringLiteral("Are you sure you want to exit?"), vbYesNo, QStringLiteral("Exit Program")) == vbYes && EndProgram) {
        EndProgram();
    }
}

void MDIForm1::mnuExportField_Click()
{
    if (Links().ShowSplMapExport)
        Links().ShowSplMapExport();
}
