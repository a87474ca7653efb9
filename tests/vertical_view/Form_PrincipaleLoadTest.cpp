#include "ShellFixture.h"

#include "core/NumberRules.h"

#include <algorithm>
#include <iterator>

namespace {

using WindowShell = ShellFixture;
using Calls = std::vector<std::string>;

} // namespace

// The first load of the process: the library, the splash, the preferences and every start value, with
// none, one or three module files. The top row shows the model of record 1, which the loader put at
// entry 0 of its list, and its type handler has run: the rows below offer what fits under it, and
// the project counts as changed. Writing the temperature into its empty field is an edit, so the edit
// pause holds even without modules.
TEST_F(WindowShell, FirstLoadWithNoneOneAndThreeModules)
{
    struct Case {
        QStringList files;
        int moduleCount;
        QString top;
        QStringList topList;
        QStringList rowBelow;
        QStringList topSplays;
        VbBool changed;
        VbBool editPause;
        Calls calls;
    };
    const Calls noModule = {"LoadAndHide", "UnloadSplash", "InizializePreferences(false)", "ShowFrame"};
    // The typed top type runs the type handlers (the change, then, on the only row, the pick it
    // leads to), and the selection that follows runs the pick once more.
    const Calls typed = {"LoadAndHide", "UnloadSplash", "InizializePreferences(false)", "ShowFrame", "UpdateMecView",
                         "UpdateMecView", "UpdateMecView"};
    const std::vector<Case> cases = {
        {{}, 1, "", {}, {}, {}, VbFalse, VbTrue, noModule},
        {{"ARC-8"}, 2, "ARC-8", {"ARC-8"}, {"ARC-8"}, {"0"}, VbTrue, VbTrue, typed},
        {{"ARC-12", "ARC-8", "TSB-218F"}, 4, "ARC-12", {"ARC-12", "ARC-8", "TSB-218F"}, {"ARC-12", "ARC-8"}, {"0"}, VbTrue,
         VbTrue, typed},
    };
    for (const Case& c : cases) {
        const std::string name = c.files.join(',').toStdString();
        TearDown();
        SetUp();
        CopyExamples(c.files);
        ProjectFileName = "earlier.lac";
        RecordingPrincipale& form = Form();

        EXPECT_EQ(calls, c.calls) << name;
        EXPECT_EQ(titles, QStringList{"Torvi - [Vertical View] - new.lac"}) << name;
        EXPECT_TRUE(MessageTexts().isEmpty()) << name;
        EXPECT_EQ(ModulesLoaded, VbTrue) << name;
        EXPECT_EQ(ModuleCount, c.moduleCount) << name;

        EXPECT_EQ(form.MapRes.Text(), "0,5") << name;
        EXPECT_EQ(form.SourceRes.Text(), "0,02") << name;
        EXPECT_EQ(form.Temperature.Text(), QString::fromUtf8("25 °C")) << name;
        EXPECT_EQ(form.Temperature.SelText(), "25") << name;
        EXPECT_EQ(form.VScroll_Temperature.Value(), -25) << name;
        EXPECT_EQ(form.VScroll_MapRes.Value(), -5) << name;
        EXPECT_EQ(form.VScroll_SourceRes.Value(), -2) << name;
        EXPECT_EQ(ProjectFileName, "new.lac") << name;
        EXPECT_EQ(CurrentView, 0) << name;
        EXPECT_EQ(SPL_SelectedAudience, 0) << name;
        EXPECT_EQ(form.Label_spalto[0].ForeColor(), 255) << name;
        EXPECT_EQ(ArrayTilt, 0) << name;
        EXPECT_EQ(FreqPerBand, 9) << name;
        EXPECT_EQ(form.Position[0].Text(), "0") << name;

        EXPECT_EQ(form.Tipo[0].Text(), c.top) << name;
        EXPECT_EQ(form.Tipo[0].ListIndex(), c.top.isEmpty() ? -1 : 0) << name;
        EXPECT_EQ(Items(form.Tipo[0]), c.topList) << name;
        EXPECT_EQ(Items(form.Tipo[1]), c.rowBelow) << name;
        EXPECT_EQ(Items(form.Angolo[0]), c.topSplays) << name;
        EXPECT_EQ(form.Angolo[0].Text(), "0") << name;

        EXPECT_EQ(ConfigChanged, c.changed) << name;
        EXPECT_EQ(TempConfigChange, c.editPause) << name;
        EXPECT_EQ(SplRecalcPending, VbTrue) << name;
        EXPECT_TRUE(form.TimerVenueSPL.Enabled()) << name;
        EXPECT_TRUE(form.Timer_TempConfigChange.Enabled()) << name;
        EXPECT_TRUE(form.Visible()) << name;
        EXPECT_TRUE(MecViewLoaded()) << name;
        EXPECT_FALSE(MecView().Visible()) << name;
        EXPECT_EQ(form.System_CoG_Circle->FillColor(), CoGColor) << name;
        EXPECT_EQ(form.System_Zero_Circle->FillColor(), ZeroColor) << name;
    }
}

// The panels stand where the load puts them, whatever the design said.
TEST_F(WindowShell, PanelLayout)
{
    RecordingPrincipale& form = Form();
    struct Case {
        const FrameBox& frame;
        QString caption;
        int left, top;
    };
    const std::vector<Case> cases = {
        {form.Configurazione_Array, "Array Configuration", 45, 0}, {form.Diagramma_Area_Titolo, "Venue", 2850, 0},
        {form.Spl_Titolo, "SPL", 2850, 5430},                      {form.Anteprima_Cluster_Titolo, "Array View", 12690, 0},
        {form.Configurazione_Area, "Array", 2850, 8640},           {form.Pannello_Simulazione_Titolo, "Simulation", 5805, 8640},
        {form.Audience, "Venue", 10305, 8640},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.frame.Caption(), c.caption);
        EXPECT_EQ(c.frame.Left(), c.left) << c.caption.toStdString();
        EXPECT_EQ(c.frame.Top(), c.top) << c.caption.toStdString();
    }
}

// The load waits for the splash time, letting events run, and only then closes the splash and reads
// the preferences; no tick can come before the frame is shown.
TEST_F(WindowShell, FirstLoadWaitsForTheSplashTime)
{
    SplashTimeElapsed = VbFalse;
    int rounds = 0;
    svc->onDoEvents = [&] {
        calls.push_back("DoEvents");
        if (++rounds == 3)
            SplashTimeElapsed = VbTrue;
    };
    bool timersOffWhenShown = false;
    FrameCalls().Show = [&] {
        calls.push_back("ShowFrame");
        timersOffWhenShown = !Form().TimerVenueSPL.Enabled() && !Form().Timer_TempConfigChange.Enabled();
    };
    Form();
    EXPECT_EQ(calls, (Calls{"LoadAndHide", "DoEvents", "DoEvents", "DoEvents", "UnloadSplash", "DoEvents",
                            "InizializePreferences(false)", "DoEvents", "ShowFrame"}));
    EXPECT_TRUE(timersOffWhenShown);
}

// A later load in the same process neither reads the library nor waits nor reads the preferences, but
// starts from the defaults again, its top row offering the library and showing record 1's model.
TEST_F(WindowShell, LaterLoadStartsFromTheDefaults)
{
    RecordingPrincipale& first = LoadExamples();
    first.MapRes.SetText("2");
    first.VScroll_Temperature.SetValue(-40);
    ProjectFileName = "saved.lac";
    SPL_SelectedAudience = 2;
    CurrentView = 1;
    ArrayTilt = 12;
    FreqPerBand = 1;
    titles.clear();

    UnloadPrincipale();
    RecordingPrincipale& again = Form();
    Calls frameCalls;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(frameCalls), [](const std::string& c) { return c != "UpdateMecView"; });
    EXPECT_EQ(frameCalls, (Calls{"LoadAndHide", "ShowFrame"}));
    EXPECT_TRUE(titles.isEmpty());
    EXPECT_EQ(ModuleCount, 4);
    EXPECT_EQ(again.MapRes.Text(), "0,5");
    EXPECT_EQ(again.Temperature.Text(), QString::fromUtf8("25 °C"));
    EXPECT_EQ(again.VScroll_Temperature.Value(), -25);
    EXPECT_EQ(ProjectFileName, "new.lac");
    EXPECT_EQ(SPL_SelectedAudience, 0);
    EXPECT_EQ(CurrentView, 0);
    EXPECT_EQ(ArrayTilt, 0);
    EXPECT_EQ(FreqPerBand, 9);
    EXPECT_TRUE(MessageTexts().isEmpty());
    EXPECT_EQ(Items(again.Tipo[0]), (QStringList{"ARC-12", "ARC-8", "TSB-218F"}));
    EXPECT_EQ(again.Tipo[0].Text(), "ARC-12");
    EXPECT_EQ(again.Tipo[0].ListIndex(), 0);
    EXPECT_EQ(Items(again.Tipo[1]), (QStringList{"ARC-12", "ARC-8"}));
    EXPECT_EQ(ConfigChanged, VbTrue);
}

// The 500 ms tick ends the edit pause and blinks the warnings: with an impossible configuration the
// text over the preview shows on every second tick, centred over it, while the mechanical view's
// weight label turns red in step; the centre-of-gravity marks blink the same way.
TEST_F(WindowShell, HalfSecondTickBlinksTheWarnings)
{
    RecordingPrincipale& form = LoadExamples();
    Form_MecView& mec = MecView();
    struct Tick {
        VbBool impossible;
        VbBool cogOut;
        bool warning;
        std::int32_t weight;
        bool cogMarks;
    };
    const std::vector<Tick> ticks = {
        {VbTrue, VbTrue, false, 0, true},   {VbTrue, VbTrue, true, 255, false}, {VbTrue, VbTrue, false, 0, true},
        {VbTrue, VbFalse, true, 255, false}, {VbFalse, VbFalse, false, 0, false}, {VbFalse, VbTrue, false, 0, true},
    };
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const Tick& t = ticks[i];
        ImpossibleMechanicalConfig = t.impossible;
        CoGOutOfBar = t.cogOut;
        TempConfigChange = VbTrue;
        form.Timer_TempConfigChange.Tick();
        EXPECT_EQ(TempConfigChange, VbFalse) << i;
        EXPECT_EQ(form.LabelImpossMechConfig.Visible(), t.warning) << i;
        EXPECT_EQ(mec.Label_Weight_Hook[0].ForeColor(), t.weight) << i;
        for (const LineElement* line : mec.LineCoGOutOfBar)
            EXPECT_EQ(line->Visible(), t.cogMarks) << i;
        EXPECT_EQ(mec.LabelFBarCog.Visible(), t.cogMarks) << i;
    }
    const Label& warning = form.LabelImpossMechConfig;
    EXPECT_EQ(warning.Caption(), "Impossible configuration!");
    EXPECT_EQ(warning.Left(), CLng(360 + 1815 / 2.0 - warning.Width() / 2.0));
    EXPECT_GT(warning.Width(), 0);
}

// The 300 ms tick: a new selected area's curve at once; the full recomputation (curve, geometry,
// mechanics) only once the edits pause, so both together draw the curve twice.
TEST_F(WindowShell, ThreeHundredMillisecondTickRecomputes)
{
    struct Case {
        VbBool areaSelected, editing, pending;
        int curves, draws;
        VbBool areaAfter, pendingAfter;
    };
    const std::vector<Case> cases = {
        {VbTrue, VbFalse, VbTrue, 2, 1, VbFalse, VbFalse},   {VbTrue, VbTrue, VbTrue, 1, 0, VbFalse, VbTrue},
        {VbFalse, VbFalse, VbTrue, 1, 1, VbFalse, VbFalse},  {VbFalse, VbTrue, VbTrue, 0, 0, VbFalse, VbTrue},
        {VbFalse, VbFalse, VbFalse, 0, 0, VbFalse, VbFalse}, {VbTrue, VbFalse, VbFalse, 1, 0, VbFalse, VbFalse},
    };
    RecordingPrincipale& form = LoadExamples();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        VenueSplRecalcPending = c.areaSelected;
        TempConfigChange = c.editing;
        SplRecalcPending = c.pending;
        form.splCurves = 0;
        form.draws = 0;
        form.TimerVenueSPL.Tick();
        EXPECT_EQ(form.splCurves, c.curves) << i;
        EXPECT_EQ(form.draws, c.draws) << i;
        EXPECT_EQ(VenueSplRecalcPending, c.areaAfter) << i;
        EXPECT_EQ(SplRecalcPending, c.pendingAfter) << i;
        EXPECT_EQ(TempConfigChange, c.editing) << i;
    }
}

// The window's small commands.
TEST_F(WindowShell, StopAdvancedAndAutoSplay)
{
    RecordingPrincipale& form = LoadExamples();
    form.StopSimulate.SetEnabled(true);
    form.StopSimulate.RaiseClick();
    EXPECT_EQ(StopSimulation, VbTrue);

    form.Advanced.RaiseClick();
    EXPECT_EQ(calls, (Calls{"ShowInitValues", "LoadInitValues"}));

    // Every area off: "Auto Splay" straightens the array.
    form.Area[4].SetText("2");
    form.Area[3].SetText("5");
    form.Angolo[1].SetText("3");
    for (LineElement* line : form.Linea)
        line->SetVisible(false);
    form.AutoConfigure.RaiseClick();
    EXPECT_EQ(form.Area[3].Text(), "0");
    EXPECT_EQ(form.Angolo[1].Text(), "0");
}

// A click on the array preview shows the mechanical view as the frame's menu command does.
TEST_F(WindowShell, PreviewClickSwitchesToTheMechanicalView)
{
    RecordingPrincipale& form = LoadExamples();
    MecView().Move(600, 300, 9000, 7000);
    titles.clear();
    form.Anteprima_Cluster.Click();
    EXPECT_EQ(CurrentView, 1);
    EXPECT_TRUE(MecView().Visible());
    EXPECT_EQ(MecView().Left(), 0);
    EXPECT_EQ(MecView().Top(), 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(calls, (Calls{"HideInstructions", "mnuMechanical off", "mnuVertical on", "UpdateMecView", "mnuFilePrint on"}));
    EXPECT_EQ(titles, QStringList{"Torvi - [Mechanical View] - new.lac"});
}
