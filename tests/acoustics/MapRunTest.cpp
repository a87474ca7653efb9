#include "acoustics/AcousticsFixture.h"
#include "acoustics/MapRun.h"
#include "acoustics/RenderSim.h"
#include "acoustics/Simulation.h"
#include "acoustics/modColor.h"

#include <QStringList>

namespace {

TEST(ElapsedTimeText, MinutesAndSecondsJoinedWithoutBlanks)
{
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {0, "Time elapsed:0 sec."},
        {42, "Time elapsed:42 sec."},
        {192, "Time elapsed:3 min.12 sec."},
        {30.5, "Time elapsed:30 sec."},   // halves to even
        {31.5, "Time elapsed:32 sec."},
        {59.6, "Time elapsed:1 min.0 sec."},   // 60 seconds carry into the minutes
        {119.6, "Time elapsed:2 min.0 sec."},
        {3605, "Time elapsed:60 min.5 sec."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElapsedTimeText(c.seconds / 60), QString::fromLatin1(c.text)) << c.seconds;
}

// Nodes every 2 cells, node rows 0..3 and columns 0..2, the array's largest X at 1 m. The scripted
// evaluator hands out the levels row by row and lets one second pass per node.
class NodeLoopTest : public AcousticsTest {
protected:
    void SetUp() override
    {
        AcousticsTest::SetUp();
        grid.step = 2;
        grid.mapRes = 0.2;
        grid.nodesZ = 3;
        grid.nodesX = 2;
        grid.maxX = 1;
        Principale().ProgressBar.Changed = [this] { progress.push_back(Principale().ProgressBar.Value()); };
    }
    NodeEvaluator Scripted(bool clockRuns)
    {
        return [this, clockRuns](double x, double z) {
            receivers.push_back({x, z});
            if (clockRuns)
                svc->now = svc->now.addSecs(1);
            const int n = int(receivers.size()) - 1;
            return std::int16_t(levels[n / 3][n % 3]);
        };
    }
    MapGrid grid;
    const int levels[4][3] = {{8000, 8400, 9000}, {7000, 7600, 8200}, {6000, 6400, 7000}, {5000, 5600, 6000}};
    std::vector<std::pair<double, double>> receivers;
    std::vector<int> progress;
};

TEST_F(NodeLoopTest, NodesRunRowByRowFromTheTopAndFillTheBlocksBehindThem)
{
    const QDateTime start = svc->now;
    EXPECT_TRUE(ComputeSplMap(grid, Scripted(true), start));
    ASSERT_EQ(receivers.size(), 12u);
    const double xs[] = {2, 2.2, 2.4};
    const double zs[] = {-0.4, -0.6, -0.8, -1};
    for (std::size_t n = 0; n < 12; ++n) {
        EXPECT_DOUBLE_EQ(receivers[n].first, xs[n % 3]) << n;
        EXPECT_DOUBLE_EQ(receivers[n].second, zs[n / 3]) << n;
    }
    EXPECT_EQ(SPLMap(0, 0), 8000);
    EXPECT_EQ(SPLMap(6, 4), 6000);
    EXPECT_EQ(SPLMap(1, 1), 7750);   // four corners at sqrt 2
    EXPECT_EQ(SPLMap(2, 1), 6960);   // node row: the square below
    EXPECT_EQ(SPLMap(5, 4), 6500);   // last column, last block
    EXPECT_EQ(SPLMap(6, 1), 5300);   // last row
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 67, 100}));
    // After node 5 exactly 5 s have passed, which is not yet more than 5.
    EXPECT_EQ(svc->doEventsCalls, 7);
}

TEST_F(NodeLoopTest, NoEventsRunInTheFirstFiveSeconds)
{
    EXPECT_TRUE(ComputeSplMap(grid, Scripted(false), svc->now));
    EXPECT_EQ(svc->doEventsCalls, 0);
}

TEST_F(NodeLoopTest, AStopRequestEndsTheLoopAfterTheCurrentNode)
{
    svc->onDoEvents = [] { StopSimulation = VbTrue; };
    const QDateTime start = svc->now;
    EXPECT_FALSE(ComputeSplMap(grid, Scripted(true), start));
    EXPECT_EQ(receivers.size(), 6u);   // events first run after node 6
    EXPECT_EQ(progress, std::vector<int>{0});
    EXPECT_EQ(SPLMap(2, 4), 8200);
    EXPECT_EQ(SPLMap(4, 0), 0);
}

TEST_F(NodeLoopTest, ASingleNodeRowIsCompleteAfterIt)
{
    grid.nodesZ = 0;
    EXPECT_TRUE(ComputeSplMap(grid, Scripted(false), svc->now));
    EXPECT_EQ(progress, std::vector<int>{100});
}

// One box of 360 mm at 100 dB from Z = 3 m down at X = 0, the array's largest X at 0, a venue 10 m
// deep and 2 m high shown 200 pixels wide. Map resolution 1 m: width fit, node rows 0..11 and node
// columns 0..9, MapSize (110, 90); the map starts at pixel column 200 x 11 / 20 = 110.
class MapRunTest : public AcousticsTest {
protected:
    void SetUp() override
    {
        AcousticsTest::SetUp();
        ModuleRecord& m = AddModule(1, QStringLiteral("T1"), 10, 360);
        for (auto& point : m.FrontAttenuationProfile)
            point[17] = {100, 0};
        PlaceBox(1, 0, 3, 0, 2.64);
        VenueMaxX = 10;
        VenueMaxZ = 2;
        Form_PrincipaleControls& form = Principale();
        form.Adopt(form.StartSimulate, form.StopSimulate);
        form.StartSimulate.SetFocus();
        form.StopSimulate.SetEnabled(false);
        form.Area[4].SetText(QStringLiteral("1"));
        form.Tipo[0].SetText(QStringLiteral("T1"));
        form.Frame_Miscellaneous.SetWidth(3000);
        form.TimeToComplete.SetWidth(1200);
        form.TimeToComplete.SetCaption(QStringLiteral("Time elapsed:7 sec."));
        form.ProgressBar.SetValue(50);
        form.Timer_TempConfigChange.SetEnabled(true);
        form.TimerVenueSPL.SetEnabled(true);
        Picture& view = form.Diagramma_Area;
        view.SetBackColor(0x010203);
        view.SetSize(200 * 15, 108 * 15);
        view.Scale(-10, 20 * 0.5383831521739131 - 1, 10, -1);
        view.SetPixel(150, 0, 0x00FF00);   // what an earlier map left
        Acoustics().setMenuVisible = [this](FrameMenu menu, bool visible) {
            calls << QStringLiteral("%1 %2").arg(int(menu)).arg(visible ? "shown" : "hidden");
        };
        Acoustics().preferencesVisible = [] { return false; };
        Acoustics().initValuesVisible = [] { return false; };
        Acoustics().applyConfig = [this] { calls << QStringLiteral("applyConfig"); };
        Acoustics().saveCurrValues = [this] { calls << QStringLiteral("saveCurrValues"); };
        Acoustics().mapRunEnded = [this] {
            calls << QStringLiteral("ended");
            activeAtEnd = MapRunActive();
        };
        SetBandLines(1.0 / 3.0, 5, 1000);
    }
    static void Run() { RunSPLMapSimulation(5, 343, 1, 0.02); }

    QStringList calls;
    bool activeAtEnd = true;
};

TEST_F(MapRunTest, ACompleteRunFillsTheMapShowsItsTimeAndPaintsIt)
{
    Form_PrincipaleControls& form = Principale();
    struct DuringRun {
        bool active, startEnabled, stopEnabled, stopFocused, timers, inputs, cleared;
        int percent;
    } during{};
    svc->onDoEvents = [&] {
        if (svc->doEventsCalls > 1)
            return;
        during = {MapRunActive(), form.StartSimulate.Enabled(), form.StopSimulate.Enabled(),
                  form.StopSimulate.HasFocus(), form.TimerVenueSPL.Enabled() || form.Timer_TempConfigChange.Enabled(),
                  form.Tipo[0].Enabled() || form.MapRes.Enabled(), form.Diagramma_Area.GetPixel(150, 0) == 0x010203,
                  ProgressPercent};
        svc->now = svc->now.addSecs(192);
    };
    Run();

    EXPECT_TRUE(during.active);
    EXPECT_FALSE(during.startEnabled);
    EXPECT_TRUE(during.stopEnabled);
    EXPECT_TRUE(during.stopFocused);
    EXPECT_FALSE(during.timers);
    EXPECT_FALSE(during.inputs);
    EXPECT_TRUE(during.cleared);
    EXPECT_EQ(during.percent, 0);
    // Once before the nodes, then at the first look at the clock past 5 s; the clock stands still after
    // that, so events are not due again.
    EXPECT_EQ(svc->doEventsCalls, 2);

    EXPECT_EQ(MapSize[0], 110);
    EXPECT_EQ(MapSize[1], 90);
    EXPECT_EQ(SPLMap(0, 0), 9129);     // node (1 m, 10 m)
    EXPECT_EQ(SPLMap(110, 0), 9645);   // node (1 m, -1 m)
    EXPECT_EQ(SPLMap(110, 90), 10840); // node (10 m, -1 m)
    EXPECT_EQ(form.TimeToComplete.Caption(), QStringLiteral("Time elapsed:3 min.12 sec."));
    EXPECT_EQ(form.TimeToComplete.Left(), 900);
    EXPECT_EQ(form.ProgressBar.Value(), 0);
    EXPECT_TRUE(form.StartSimulate.Enabled());
    EXPECT_FALSE(form.StopSimulate.Enabled());
    EXPECT_TRUE(form.Timer_TempConfigChange.Enabled());
    EXPECT_TRUE(form.TimerVenueSPL.Enabled());
    EXPECT_TRUE(form.Tipo[0].Enabled());
    EXPECT_TRUE(IsTrue(SplMapValid));
    EXPECT_FALSE(form.Raggio[0]->Visible());
    EXPECT_TRUE(form.Raggio[1]->Visible());
    EXPECT_EQ(form.Diagramma_Area.GetPixel(110, 0), PaintedColor(SplRampRGB(9129, SetSplRamp())));
    EXPECT_EQ(form.Diagramma_Area.GetPixel(109, 0), 0x010203);
    EXPECT_EQ(calls, (QStringList{"0 hidden", "1 hidden", "2 hidden", "0 shown", "1 shown", "2 shown", "ended"}));
    EXPECT_FALSE(activeAtEnd);
    EXPECT_FALSE(MapRunActive());
}

TEST_F(MapRunTest, AStoppedRunLeavesNoMapAndNoTime)
{
    Form_PrincipaleControls& form = Principale();
    SplMapValid = VbTrue;
    svc->onDoEvents = [] { StopSimulation = VbTrue; };
    Run();

    // The stop asked for before the nodes is found before the first node row is stored.
    EXPECT_EQ(svc->doEventsCalls, 1);
    EXPECT_EQ(SPLMap(0, 0), 0);
    EXPECT_FALSE(IsTrue(SplMapValid));
    EXPECT_FALSE(IsTrue(StopSimulation));
    EXPECT_EQ(form.ProgressBar.Value(), 0);
    EXPECT_EQ(form.TimeToComplete.Caption(), QStringLiteral("Time elapsed:7 sec."));
    EXPECT_EQ(form.Diagramma_Area.GetPixel(150, 0), 0x010203);
    EXPECT_EQ(form.Diagramma_Area.GetPixel(110, 0), 0x010203);
    EXPECT_TRUE(form.Raggio[0]->Visible());
    EXPECT_TRUE(form.StartSimulate.Enabled());
    EXPECT_FALSE(form.StopSimulate.Enabled());
    EXPECT_TRUE(form.Timer_TempConfigChange.Enabled());
    EXPECT_TRUE(form.TimerVenueSPL.Enabled());
    EXPECT_TRUE(form.MapRes.Enabled());
    EXPECT_EQ(calls, (QStringList{"0 hidden", "1 hidden", "2 hidden", "0 shown", "1 shown", "2 shown", "ended"}));
}

TEST_F(MapRunTest, OpenWindowsAreAppliedAndClosedBeforeTheSourcesAreBuilt)
{
    AcousticsHooks& up = Acoustics();
    up.preferencesVisible = [] { return true; };
    up.initValuesVisible = [] { return true; };
    // Applying the preferences recomputes the curve, which rebuilds the shared engine state.
    up.applyConfig = [this] {
        calls << QStringLiteral("applyConfig");
        SetBandLines(1.0 / 6.0, 9, 250);
        SourcePoints[0] = {5, 5, 140, 0};
    };
    up.unloadPreferences = [this] { calls << QStringLiteral("unloadPreferences"); };
    up.saveCurrValues = [this] {
        calls << QStringLiteral("saveCurrValues");
        InitValues[0].Abs = 6;
    };
    up.unloadInitValues = [this] { calls << QStringLiteral("unloadInitValues"); };
    Run();
    EXPECT_EQ(calls.mid(0, 5), (QStringList{"applyConfig", "unloadPreferences", "saveCurrValues", "unloadInitValues",
                                            "0 hidden"}));
    EXPECT_EQ(SPLMap(0, 0), 9729);   // the sources 6 dB up, on the run's own band lines
    EXPECT_TRUE(IsTrue(SplMapValid));
}

TEST_F(MapRunTest, WindowsThatAreNotOpenAreLeftAlone)
{
    Run();
    EXPECT_FALSE(calls.contains(QStringLiteral("applyConfig")));
    EXPECT_FALSE(calls.contains(QStringLiteral("saveCurrValues")));
}

TEST_F(MapRunTest, NothingThatRunsDuringItsYieldsChangesTheMap)
{
    Run();
    std::vector<std::int16_t> quiet;
    for (int i = 0; i <= 110; ++i)
        quiet.insert(quiet.end(), SPLMapRow(i), SPLMapRow(i) + 91);
    for (int i = 0; i <= 110; ++i)
        std::fill(SPLMapRow(i), SPLMapRow(i) + 91, std::int16_t(0));

    // The curve recomputed in every yield, with other lines and other sources.
    svc->doEventsCalls = 0;
    svc->onDoEvents = [this] {
        svc->now = svc->now.addSecs(10);
        SetBandLines(1.0 / 6.0, 9, 8000);
        for (int k = 0; k < 18; ++k)
            SourcePoints[std::size_t(k)].X += 3;
    };
    Run();
    EXPECT_GE(svc->doEventsCalls, 1 + 12);   // before the nodes and at least before every node row
    std::vector<std::int16_t> busy;
    for (int i = 0; i <= 110; ++i)
        busy.insert(busy.end(), SPLMapRow(i), SPLMapRow(i) + 91);
    EXPECT_EQ(busy, quiet);
}

// A second box below the first, splayed and 3 dB quieter, makes the sources interfere.
TEST_F(MapRunTest, TheFastRunMakesTheStraightforwardMap)
{
    Principale().Area[4].SetText(QStringLiteral("2"));
    Principale().Tipo[1].SetText(QStringLiteral("T1"));
    InitValues[1] = {-3, 40};
    PlaceBox(2, 0, 2.64, -0.06, 2.285);
    const auto cells = [] {
        std::vector<std::int16_t> all;
        for (int i = 0; i <= 110; ++i)
            all.insert(all.end(), SPLMapRow(i), SPLMapRow(i) + 91);
        return all;
    };
    RunSPLMapSimulationWith(5, 343, 1, 0.02, MapRunMethod{true, 1});
    const std::vector<std::int16_t> straightforward = cells();
    for (const int threads : {1, 2, 0}) {
        std::fill(SPLMapRow(0), SPLMapRow(0) + std::size_t(SplMapRows) * SplMapCols, std::int16_t(0));
        RunSPLMapSimulationWith(5, 343, 1, 0.02, MapRunMethod{false, threads});
        EXPECT_EQ(cells(), straightforward) << threads;
        EXPECT_TRUE(IsTrue(SplMapValid)) << threads;
    }
}

// A close confirmed while the run lets events through only asks the run to stop; the windows go once
// the run has returned.
TEST_F(MapRunTest, WindowsClosedAfterTheRunReturnsAreTornDownSafely)
{
    bool closePending = false;
    svc->onDoEvents = [&] {
        if (MapRunActive()) {
            StopSimulation = VbTrue;
            closePending = true;
        }
    };
    Acoustics().mapRunEnded = [&] {
        if (closePending)
            UnloadPrincipale();
    };
    Run();
    EXPECT_FALSE(PrincipaleLoaded());
    EXPECT_FALSE(IsTrue(StopSimulation));
    EXPECT_FALSE(IsTrue(SplMapValid));
}

TEST_F(AcousticsTest, SimulationControlsFollowTheRunExceptWhatTheRiggingFixes)
{
    struct Case {
        std::int32_t mode;
        std::uint8_t hooks;
        bool hook2Placed;
        bool angleSwitched, autoSplaySwitched;
    };
    const Case cases[] = {
        {0, 1, false, true, true},    // automatic rigging: everything
        {0, 2, false, true, true},
        {1, 1, false, false, false},  // one hook fixes the angle
        {1, 2, false, false, false},  // two hooks, hook 2 not placed
        {1, 2, true, true, false},
        {1, 3, false, true, false},
    };
    for (const Case& c : cases) {
        UnloadPrincipale();
        WorkingMode = c.mode;
        HooksNumber = c.hooks;
        FlyingBarHooks[1].SelHook = ToVbBool(c.hook2Placed);
        std::vector<std::pair<FrameMenu, bool>> menus;
        Acoustics().setMenuVisible = [&](FrameMenu m, bool v) { menus.push_back({m, v}); };
        Form_PrincipaleControls& form = Principale();
        form.Area[3].SetEnabled(false);
        form.VScroll_Area[3].SetEnabled(false);
        form.AutoConfigure.SetEnabled(false);

        EnableSimulationControls(true);
        EXPECT_EQ(form.Area[3].Enabled(), c.angleSwitched) << c.mode << "/" << int(c.hooks);
        EXPECT_EQ(form.VScroll_Area[3].Enabled(), c.angleSwitched) << c.mode << "/" << int(c.hooks);
        EXPECT_EQ(form.AutoConfigure.Enabled(), c.autoSplaySwitched) << c.mode << "/" << int(c.hooks);

        form.Area[3].SetEnabled(true);
        form.AutoConfigure.SetEnabled(true);
        EnableSimulationControls(false);
        EXPECT_EQ(form.Area[3].Enabled(), !c.angleSwitched) << c.mode << "/" << int(c.hooks);
        EXPECT_EQ(form.AutoConfigure.Enabled(), !c.autoSplaySwitched) << c.mode << "/" << int(c.hooks);
        const std::vector<const Control*> alwaysSwitched = {
            &form.Advanced, &form.Tipo[0], &form.Tipo[15], &form.Angolo[0], &form.Angolo[15],
            &form.Stand_Seats[3], &form.Elemento_Venue_Colore[0], &form.Elemento_Venue_Pulsante[2],
            &form.Audience1[0], &form.Audience2[1], &form.Audience3[2], &form.Audience4[3],
            &form.Area[0], &form.Area[4], &form.VScroll_Area[2], &form.Stage_color, &form.Frequency,
            &form.Bandwidth, &form.Temperature, &form.VScroll_Temperature, &form.SourceRes,
            &form.VScroll_SourceRes, &form.MapRes, &form.VScroll_MapRes, &form.Frequency_Num};
        for (const Control* control : alwaysSwitched)
            EXPECT_FALSE(control->Enabled());
        EXPECT_FALSE(form.Diagramma_Area.Enabled());
        EXPECT_FALSE(form.Anteprima_Cluster.Enabled());
        EXPECT_FALSE(form.Diagramma_SPL.Enabled());
        EXPECT_TRUE(form.Tipo[16].Enabled());   // rows beyond the 16 boxes are not the run's
        EXPECT_TRUE(form.StartSimulate.Enabled());
        EXPECT_EQ(menus, (std::vector<std::pair<FrameMenu, bool>>{{FrameMenu::MechanicalView, true},
                                                                   {FrameMenu::File, true},
                                                                   {FrameMenu::Export, true},
                                                                   {FrameMenu::MechanicalView, false},
                                                                   {FrameMenu::File, false},
                                                                   {FrameMenu::Export, false}}));
    }
}

}
