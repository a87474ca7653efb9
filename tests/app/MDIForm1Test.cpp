#include "app/FrameLinks.h"
#include "app/Form_Splash.h"
#include "app/MDIForm1.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/FakeServices.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// A fresh frame with recording links and a bare vertical view.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnloadFrame();
        UnloadPrincipale();
        UnloadInstructions();
        Links() = FrameLinks{};
        Links().MecView = [this]() -> FormBase& { return mec; };
        Links().OpenArrayConfig = [this](int i) { calls.push_back("open " + QString::number(i)); };
        Links().SaveArrayConfigAs = [this] {
            calls.push_back("save as");
            return saveSucceeds;
        };
        Links().SaveArrayConfig = [this](const QString& name) {
            calls.push_back("save '" + name + "'");
            return true;
        };
        Links().UpdateMechanics = [this] { calls.push_back("mechanics"); };
        Links().UpdateMecView = [this] { calls.push_back("mecview"); };
        Links().CalculateArrayGeometry = [this] { calls.push_back("geometry"); };
        Links().HidePrinterProperties = [this] { calls.push_back("hide print"); };
        Frame().EndProgram = [this] { calls.push_back("end"); };
        mec.SetCaption("Mechanical View");
        ConfigChanged = VbFalse;
        ProjectFileName = "new.lac";
        CurrentView = 0;
    }
    void TearDown() override
    {
        UnloadFrame();
        UnloadPrincipale();
        Links() = FrameLinks{};
    }

    ScopedFakeServices svc;
    FormBase mec;
    std::vector<QString> calls;
    bool saveSucceeds = true;
};

} // namespace

TEST_F(FrameTest, MenusAsDesigned)
{
    MDIForm1& f = Frame();
    struct Row { const MenuItem& item; QString caption; bool visible, enabled; };
    const std::vector<Row> rows = {
        {f.mnuFile, "&File", true, true},           {f.mnuFileOpenNew[0], "New Project", true, true},
        {f.mnuFileOpenNew[1], "Saved Project", true, true}, {f.mnuFileSaveAs, "Save as...", true, true},
        {f.mnuFilePrint, "Print", false, true},     {f.mnuFilePrintersetup, "Printer Setup", true, false},
        {f.mnuExport, "&Export", true, true},       {f.mnuExportField, "Export SPL Field", true, true},
        {f.mnuExportFrequency, "Export SPL Frequency", false, true},
        {f.mnuExportPdf, "Export Mounting Tips (PDF)", true, false},
        {f.mnuSpace, "        ", true, false},      {f.mnuVertical, "&Vertical View", false, true},
        {f.mnuMechanical, "&Mechanical View", true, true}, {f.mnuView, "View", false, false},
        {f.mnuViewVertical, "Vertical View", false, true},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.item.Caption(), r.caption);
        EXPECT_EQ(r.item.Visible(), r.visible) << r.caption.toStdString();
        EXPECT_EQ(r.item.Enabled(), r.enabled) << r.caption.toStdString();
    }
    EXPECT_EQ(f.Caption(), "Torvi - [Vertical View] - new.lac");
}

TEST_F(FrameTest, ViewSwitchesSetMenusTitleAndCalls)
{
    MDIForm1& f = Frame();
    ProjectFileName = "/home/a/show.lac";
    f.mnuMechanical.RaiseClick();
    EXPECT_EQ(CurrentView, 1);
    EXPECT_TRUE(mec.Visible());
    EXPECT_FALSE(Principale().Visible());
    EXPECT_FALSE(f.mnuMechanical.Visible());
    EXPECT_TRUE(f.mnuVertical.Visible());
    EXPECT_TRUE(f.mnuFilePrint.Visible());
    EXPECT_EQ(f.Caption(), "Torvi - [Mechanical View] - /home/a/show.lac");
    EXPECT_EQ(calls, (std::vector<QString>{"mechanics", "mecview"}));

    calls.clear();
    f.mnuVertical.RaiseClick();
    EXPECT_EQ(CurrentView, 0);
    EXPECT_TRUE(Principale().Visible());
    EXPECT_FALSE(mec.Visible());
    EXPECT_FALSE(f.mnuFilePrint.Visible());
    EXPECT_EQ(f.Caption(), "Torvi - [Vertical View] - /home/a/show.lac");
    EXPECT_EQ(calls, (std::vector<QString>{"hide print"}));

    calls.clear();
    f.mnuViewInstructions.RaiseClick();
    EXPECT_EQ(CurrentView, 2);
    EXPECT_FALSE(f.mnuViewInstructions.Visible());
    EXPECT_TRUE(f.mnuViewMechanical.Visible());
    EXPECT_EQ(f.Caption(), "Torvi - [Install Instructions] - /home/a/show.lac");
    f.mnuViewMechanical.RaiseClick();
    EXPECT_EQ(calls, (std::vector<QString>{"mecview", "geometry", "mechanics", "mecview"}));
    // The View entries leave the menu-bar switches alone.
    EXPECT_TRUE(f.mnuMechanical.Visible());
    EXPECT_FALSE(f.mnuVertical.Visible());
}

TEST_F(FrameTest, ExitAndOpenPrompts)
{
    struct Case { bool changed; std::vector<int> answers; bool saveOk; std::vector<QString> exitCalls; QString title; };
    const std::vector<Case> cases = {
        {false, {vbYes}, true, {"end"}, "Exit Program"},
        {false, {vbNo}, true, {}, "Exit Program"},
        {true, {vbNo}, true, {"end"}, "Configuration changed"},
        {true, {vbCancel}, true, {}, "Configuration changed"},
        {true, {vbYes}, true, {"save as", "end"}, "Configuration changed"},
        // A save that was cancelled or failed must not lose the project.
        {true, {vbYes}, false, {"save as"}, "Configuration changed"},
    };
    for (const Case& c : cases) {
        calls.clear();
        svc->messages.clear();
        svc->answers.assign(c.answers.begin(), c.answers.end());
        ConfigChanged = c.changed ? VbTrue : VbFalse;
        saveSucceeds = c.saveOk;
        Frame().mnuFileExit.RaiseClick();
        EXPECT_EQ(calls, c.exitCalls);
        ASSERT_EQ(svc->messages.size(), 1u);
        EXPECT_EQ(svc->messages[0].title, c.title);
    }

    const std::vector<std::pair<std::vector<int>, std::vector<QString>>> opens = {
        {{vbYes}, {"save as", "open 1"}}, {{vbNo}, {"open 1"}}, {{vbCancel}, {}}};
    for (const auto& [answers, expected] : opens) {
        calls.clear();
        saveSucceeds = true;
        ConfigChanged = VbTrue;
        ModulesLoaded = VbFalse;
        svc->answers.assign(answers.begin(), answers.end());
        Frame().mnuFileOpenNew[1].RaiseClick();
        EXPECT_EQ(calls, expected);
        EXPECT_EQ(ModulesLoaded, VbTrue);
    }
    calls.clear();
    ConfigChanged = VbTrue;
    saveSucceeds = false;
    svc->answers.assign({vbYes});
    Frame().mnuFileOpenNew[0].RaiseClick();
    EXPECT_EQ(calls, (std::vector<QString>{"save as"}));
}

TEST_F(FrameTest, CloseAsksOnlyAfterChanges)
{
    EXPECT_FALSE(Frame().MDIForm_QueryUnload());
    EXPECT_TRUE(svc->messages.empty());
    ConfigChanged = VbTrue;
    svc->answers.assign({vbNo});
    EXPECT_TRUE(Frame().MDIForm_QueryUnload());
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, "Config has changed! Are you sure you want to exit?");
    EXPECT_EQ(svc->messages[0].title, "Exit program");
    EXPECT_EQ(svc->messages[0].style, vbYesNo);

    // During a map run the close stops the run and completes after it has returned.
    Links().MapRunActive = [] { return true; };
    StopSimulation = VbFalse;
    svc->answers.assign({vbYes});
    EXPECT_TRUE(Frame().MDIForm_QueryUnload());
    EXPECT_EQ(StopSimulation, VbTrue);
    EXPECT_TRUE(Frame().ClosePending());
    StopSimulation = VbFalse;

    // Once the run has returned the close completes without asking a second time.
    Frame().ClearClosePending();
    Links().MapRunActive = [] { return false; };
    svc->answers.assign({vbNo});
    EXPECT_FALSE(Frame().MDIForm_QueryUnload());
    EXPECT_EQ(svc->messages.size(), 2u);
    // A later close asks again.
    EXPECT_TRUE(Frame().MDIForm_QueryUnload());
    EXPECT_EQ(svc->messages.size(), 3u);
}

TEST_F(FrameTest, DecimalSeparatorMessage)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Frame().MDIForm_Initialize(QString());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text,
              "This program requires ',' as decimal number separator,\r\ndifferent settings may produce unpredictable "
              "behaviour.\r\nYour current decimal separator is: '.'\r\nPlease fix your international settings in the "
              "Control Panel");
    EXPECT_EQ(svc->messages[0].title, "Torvi");
    EXPECT_EQ(svc->messages[0].style, vbOKOnly);

    svc->messages.clear();
    Frame().MDIForm_Initialize(QString());
    EXPECT_TRUE(svc->messages.empty());
    UnloadSplash();
}

TEST_F(FrameTest, CommandLinePathOpensWithoutDialog)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"\"/home/a/my show.lac\"", "/home/a/my show.lac"},
        {"/home/a/show.lac", "/home/a/show.lac"},
        {"  \"x.lac\"  ", "x.lac"},
        {"\"\"", ""},
    };
    for (const auto& [line, path] : cases) {
        calls.clear();
        Frame().MDIForm_Initialize(line);
        EXPECT_EQ(Principale().Apri.FileName, path);
        EXPECT_EQ(calls, (std::vector<QString>{"open 1"}));
    }
    calls.clear();
    Principale().Apri.FileName.clear();
    Frame().MDIForm_Initialize("   ");
    EXPECT_TRUE(calls.empty());
    UnloadSplash();
}

TEST_F(FrameTest, SplashShowsVersionAndProductAndTimerFiresOnce)
{
    Frame().MDIForm_Initialize(QString());
    EXPECT_EQ(Splash().lblVersion.Caption(), VersionCaption());
    EXPECT_TRUE(VersionCaption().startsWith("Release 1.0 build "));
    EXPECT_EQ(Splash().lblProductName.Caption(), "Torvi");
    const int w = Splash().Frame1.Width();
    EXPECT_EQ(Splash().lblVersion.Left(), w - Splash().lblVersion.Width() - Splash().lblVersion.Height());
    Frame().MDIForm_Load();
    EXPECT_EQ(SplashTimeElapsed, VbFalse);
    EXPECT_TRUE(Frame().Timer_Splash.Enabled());
    Frame().Timer_Splash.Tick();
    EXPECT_EQ(SplashTimeElapsed, VbTrue);
    EXPECT_FALSE(Frame().Timer_Splash.Enabled());
    Splash().Frame1.RaiseClick();
    EXPECT_FALSE(SplashLoaded());
}

TEST_F(FrameTest, ResizeKeepsMinimumAndSizesChildren)
{
    MDIForm1& f = Frame();
    mec.Move(0, 0, 5000, 4000);
    f.Move(0, 0, 9000, 2000);
    f.MDIForm_Resize(false);
    EXPECT_EQ(f.Height(), 2750);
    EXPECT_EQ(mec.Height(), 4000);
    EXPECT_EQ(Principale().Height(), 2750);
    EXPECT_EQ(Principale().Width(), 9000);
    f.Move(0, 0, 12000, 9000);
    calls.clear();
    f.MDIForm_Resize(false);
    EXPECT_EQ(mec.Height(), 8250);
    EXPECT_EQ(mec.Width(), 11800);
    EXPECT_EQ(Instructions().Height(), 9000);
    EXPECT_EQ(calls, (std::vector<QString>{"mecview"}));
}
