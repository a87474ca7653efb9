#include "app/Form_Splash.h"
#include "app/MDIForm1.h"
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include "core/Settings.h"
#include "core/SplState.h"
#include "acoustics/SplDiagram.h"
#include "export/Form_SplMapExport.h"
#include "forms/Form_PrincipaleControls.h"
#include "mechanics/Form_MecView.h"
#include "platform/FakeServices.h"
#include "print/Form_PrinterProperties.h"
#include "print/PictureTarget.h"
#include "print/PrintClusterConfiguration.h"
#include "print/PrintOptions.h"
#include "print/PrinterTarget.h"
#include "program/Program.h"
#include "ProgramFixture.h"
#include "ReportTee.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using ProgramTest = ProgramFixture;

TEST_F(ProgramTest, StartsWithTheExampleModulesAndTheDefaultProject)
{
    Start();
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_EQ(ModuleCount, 4);
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - new.lac");
    EXPECT_TRUE(Frame().Visible());
    EXPECT_FALSE(SplashLoaded());
    EXPECT_EQ(Principale().Tipo[0].Text(), Modules[1].Model);
    EXPECT_EQ(Principale().Tipo[0].ListCount(), 3);
    EXPECT_EQ(Principale().MapRes.Text(), "0,5");
    EXPECT_EQ(Principale().SourceRes.Text(), "0,02");
    EXPECT_EQ(Principale().Temperature.Text(), QString::fromUtf8("25 °C"));
    EXPECT_EQ(ArrayWeight, Modules[1].Weight + Modules[1].FWeight);
    EXPECT_EQ(Principale().Peso_Cluster_Valore.Caption(), QString::number(ArrayWeight) + " Kg");
    // The load picked the first module, which runs the type handler: the project has changed.
    EXPECT_EQ(ConfigChanged, VbTrue);
}

TEST_F(ProgramTest, SavesOpensAndStartsNewProjects)
{
    Start();
    Form_PrincipaleControls& view = Principale();
    view.Area[4].SetText("4");
    ASSERT_EQ(view.Tipo[3].Text(), Modules[1].Model);
    view.Angolo[2].SetText("3");
    view.Area[3].SetText("-2,5");

    const QString path = ProjectPath("show.lac");
    svc->fileAnswers.push_back(path);
    Frame().mnuFileSaveAs.RaiseClick();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(ProjectFileName, path);
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + path);
    ASSERT_FALSE(svc->messages.empty());
    EXPECT_EQ(svc->messages.back().text, "File saved!");

    // A new project after "No" to the save prompt: the defaults are back under "new.lac".
    view.Area[4].SetText("2");
    svc->answers.push_back(vbNo);
    Frame().mnuFileOpenNew[0].RaiseClick();
    EXPECT_EQ(ProjectFileName, "new.lac");
    EXPECT_EQ(Principale().Area[4].Text(), "1");
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - new.lac");

    svc->fileAnswers.push_back(path);
    Frame().mnuFileOpenNew[1].RaiseClick();
    Form_PrincipaleControls& opened = Principale();
    EXPECT_EQ(ProjectFileName, path);
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_EQ(opened.Area[4].Text(), "4");
    EXPECT_EQ(opened.Area[3].Text(), "-2,5");
    EXPECT_EQ(opened.Angolo[2].Text(), "3");
    EXPECT_EQ(Frame().Caption(), "Torvi - [Vertical View] - " + path);
}

TEST_F(ProgramTest, ProjectOnTheCommandLineOpensAtStartUp)
{
    Start();
    Principale().Area[4].SetText("3");
    const QString path = ProjectPath("three boxes.lac");
    svc->fileAnswers.push_back(path);
    Frame().mnuFileSaveAs.RaiseClick();
    ASSERT_TRUE(QFile::exists(path));
    Unload();
    svc->dialogs.clear();

    Start("\"" + path + "\"");
    EXPECT_EQ(ProjectFileName, path);
    EXPECT_EQ(Principale().Area[4].Text(), "3");
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_TRUE(svc->dialogs.empty());
}

TEST_F(ProgramTest, ViewSwitchesReachTheMechanicalViewAndBack)
{
    Start();
    Principale().Anteprima_Cluster.Click();
    EXPECT_EQ(CurrentView, 1);
    EXPECT_TRUE(MecView().Visible());
    EXPECT_FALSE(Principale().Visible());
    EXPECT_TRUE(Frame().mnuFilePrint.Visible());
    EXPECT_EQ(Frame().Caption(), "Torvi - [Mechanical View] - new.lac");
    EXPECT_TRUE(PrinterPropertiesLoaded());

    Frame().mnuVertical.RaiseClick();
    EXPECT_EQ(CurrentView, 0);
    EXPECT_TRUE(Principale().Visible());
    EXPECT_FALSE(MecView().Visible());
    EXPECT_FALSE(Frame().mnuFilePrint.Visible());
}

// The export window, open beside the vertical view, follows the run as the start-up wires it: its
// buttons rest while the run lets events run and come back once it has ended.
TEST_F(ProgramTest, MapRunFillsTheMapAndGivesTheMenusBack)
{
    Start();
    Frame().mnuExportField.RaiseClick();
    ASSERT_TRUE(SplMapExportLoaded());
    bool previewDuringRun = true;
    svc->onDoEvents = [&previewDuringRun] { previewDuringRun = SplMapExport().PreviewPNG.Enabled(); };
    Principale().StartSimulate.RaiseClick();
    EXPECT_FALSE(previewDuringRun);
    EXPECT_TRUE(SplMapExport().PreviewPNG.Enabled());
    EXPECT_EQ(SplMapValid, VbTrue);
    EXPECT_TRUE(Principale().TimeToComplete.Caption().startsWith("Time elapsed:"));
    EXPECT_TRUE(Frame().mnuFile.Visible());
    EXPECT_TRUE(Frame().mnuExport.Visible());
    EXPECT_TRUE(Frame().mnuMechanical.Visible());
    EXPECT_TRUE(Principale().StartSimulate.Enabled());
    EXPECT_FALSE(Principale().StopSimulate.Enabled());
    EXPECT_GT(MapSize[0], 0);
    EXPECT_GT(MapSize[1], 0);
}

// Opening a project writes its rows from the top while the rows below still show the previous
// project's types: a type that cannot hang above such an old row asks nothing and loads as saved.
TEST_F(ProgramTest, OpeningAProjectOverIncompatibleRowsLoadsItAsSaved)
{
    struct Case {
        QStringList saved;
        QStringList onScreen;
    };
    const std::vector<Case> cases = {
        {{"ARC-12", "ARC-12"}, {"TSB-218F", "TSB-218F"}},
        {{"TSB-218F", "TSB-218F", "TSB-218F"}, {"ARC-12", "ARC-12", "ARC-12"}},
        {{"ARC-12", "ARC-8"}, {"TSB-218F", "TSB-218F", "TSB-218F"}},
    };
    Start();
    const auto setRows = [](const QStringList& types) {
        Form_PrincipaleControls& view = Principale();
        view.Area[4].SetText("1");
        for (int i = 0; i < view.Tipo[0].ListCount(); ++i)
            if (view.Tipo[0].List(i) == types[0])
                view.Tipo[0].SetListIndex(i);
        view.Area[4].SetText(QString::number(types.size()));
        for (int r = 1; r < types.size(); ++r)
            for (int i = 0; i < view.Tipo[r].ListCount(); ++i)
                if (view.Tipo[r].List(i) == types[r])
                    view.Tipo[r].SetListIndex(i);
    };
    const auto shownRows = [] {
        QStringList types;
        for (int r = 0; r < Form_PrincipaleControls::RowCount && Principale().Tipo[r].Visible(); ++r)
            types << Principale().Tipo[r].Text();
        return types;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved.join(',').toStdString());
        setRows(c.saved);
        ASSERT_EQ(shownRows(), c.saved);
        const QString path = ProjectPath("rows.lac");
        svc->fileAnswers.push_back(path);
        Frame().mnuFileSaveAs.RaiseClick();
        setRows(c.onScreen);
        ASSERT_EQ(shownRows(), c.onScreen);
        svc->messages.clear();
        svc->answers.push_back(vbNo);
        svc->fileAnswers.push_back(path);
        Frame().mnuFileOpenNew[1].RaiseClick();
        ASSERT_EQ(svc->messages.size(), 1u);
        EXPECT_EQ(svc->messages[0].text, "Do you want to save current array configuration?");
        EXPECT_EQ(shownRows(), c.saved);
        EXPECT_EQ(ProjectFileName, path);
    }
}

// The report of eight ARC-12 boxes, printed to a PDF file and drawn on the live preview: every hole of
// the flying bar lies inside the bar's band, drawn from (10, 197) to (115, 237) mm on the page. Both
// are kept in the build folder.
TEST_F(ProgramTest, ReportShowsTheFlyingBarHolesInTheirBand)
{
    Start();
    Principale().Area[4].SetText("8");
    Frame().mnuMechanical.RaiseClick();
    const ModuleRecord& bar = Modules[1];
    ASSERT_EQ(bar.Model, "ARC-12");
    PrintCopies = 1;
    PrintQuality = -4;
    const QString pdf = QStringLiteral(TORVI_BUILD_DIR "/report.pdf");
    QFile::remove(pdf);
    svc->fileAnswers = {pdf};
    PrinterTarget paper;
    PictureTarget preview(PrinterProperties().PrintPrev);
    for (PrintTarget* target : std::initializer_list<PrintTarget*>{&paper, &preview}) {
        SCOPED_TRACE(target == &paper ? "paper" : "preview");
        ReportTee tee(*target);
        PrintClusterConfiguration(tee, target == &paper);
        EXPECT_TRUE(tee.HasLine(10, 197, 115, 197) && tee.HasLine(115, 197, 115, 237) && tee.HasLine(115, 237, 10, 237)
                    && tee.HasLine(10, 237, 10, 197));
        ASSERT_EQ(tee.circles.size(), std::size_t(bar.FCHoleCount + 2 * bar.FSHoleCount));
        const auto outside = std::count_if(tee.circles.begin(), tee.circles.end(), [](const ReportTee::Shape& c) {
            return c.x1 - c.radius < 10 || c.x1 + c.radius > 115 || c.y1 - c.radius < 197 || c.y1 + c.radius > 237;
        });
        EXPECT_EQ(outside, 0);
    }
    EXPECT_TRUE(svc->messages.empty());
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(PrinterProperties().PrintPrev.Composite().save(QStringLiteral(TORVI_BUILD_DIR "/report_preview.png")));
}

// Toggling Reverse Mode hangs the boxes elsewhere; once the timers have run, the SPL curve along the
// audience is the one of the array as it now hangs.
TEST_F(ProgramTest, SplCurveFollowsReverseMode)
{
    Start();
    Principale().Area[4].SetText("8");
    const auto pause = [] {
        for (int i = 0; i < 2; ++i) {
            Principale().Timer_TempConfigChange.Tick();
            Principale().TimerVenueSPL.Tick();
        }
    };
    const auto levels = [] {
        std::vector<int> l;
        for (int i = 0; i <= SplDiagramSteps; ++i)
            l.push_back(SplLinePoints[std::size_t(i)].Level);
        return l;
    };
    pause();
    const std::vector<int> forward = levels();
    Frame().mnuMechanical.RaiseClick();
    MecView().ReverseModeOn.SetValue(1);
    pause();
    const std::vector<int> shown = levels();
    ComputeSplCurve();
    EXPECT_EQ(shown, levels());
    EXPECT_NE(shown, forward);
}
