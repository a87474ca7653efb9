#include "acoustics/AcousticsFixture.h"
#include "acoustics/MapRun.h"
#include "acoustics/MapWorkers.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr std::int16_t Unset = -1234;

// Nodes every 2 cells, node rows 0..6 and columns 0..40 (three pieces of work to a row), the array's
// largest X at 1 m. The clock moves only where a test moves it: by msPerRow after every node row, as
// the progress bar shows it, and by msPerEvents every time events run.
class MapWorkersTest : public AcousticsTest {
protected:
    void SetUp() override
    {
        AcousticsTest::SetUp();
        grid = MapGrid{2, 0.2, 6, 40, 1};
        Principale().ProgressBar.Changed = [this] {
            progress.push_back(Principale().ProgressBar.Value());
            svc->now = svc->now.addMSecs(msPerRow);
        };
        svc->onDoEvents = [this] {
            progressAtEvents.push_back(ProgressPercent);
            svc->now = svc->now.addMSecs(msPerEvents);
        };
        ClearMap();
    }

    // A level that differs from node to node and depends on nothing but the receiver.
    static std::int16_t Level(double x, double z)
    {
        return std::int16_t(std::lround(5000 + 300 * x - 200 * z + 37 * std::sin(7 * x * z)));
    }
    static void ClearMap()
    {
        for (int i = 0; i < 40; ++i)
            std::fill(SPLMapRow(i), SPLMapRow(i) + 100, Unset);
    }
    std::vector<std::int16_t> MapCells() const
    {
        std::vector<std::int16_t> cells;
        for (int i = 0; i <= grid.step * grid.nodesZ; ++i)
            cells.insert(cells.end(), SPLMapRow(i), SPLMapRow(i) + grid.step * grid.nodesX + 1);
        return cells;
    }

    MapGrid grid;
    qint64 msPerRow = 0;
    qint64 msPerEvents = 0;
    std::vector<int> progress;
    std::vector<int> progressAtEvents;
};

TEST_F(MapWorkersTest, TheMapAndProgressAreTheOnesOfTheSingleThreadLoop)
{
    struct Case {
        int step, nodesZ, nodesX, threads;
    };
    const Case cases[] = {
        {2, 6, 40, 1}, {2, 6, 40, 3}, {2, 6, 40, 8},
        {3, 0, 5, 2},    // a single node row
        {1, 9, 1, 4},    // more workers than a row has nodes
        {5, 3, 17, 0},   // every core
    };
    for (const Case& c : cases) {
        grid = MapGrid{c.step, c.step / 10.0, c.nodesZ, c.nodesX, 1};
        ClearMap();
        progress.clear();
        ASSERT_TRUE(ComputeSplMap(grid, Level, svc->now));
        const std::vector<std::int16_t> expected = MapCells();
        const std::vector<int> expectedProgress = progress;

        ClearMap();
        progress.clear();
        EXPECT_TRUE(ComputeSplMapParallel(grid, Level, svc->now, c.threads));
        EXPECT_EQ(MapCells(), expected) << c.nodesZ << "x" << c.nodesX << " on " << c.threads;
        EXPECT_EQ(progress, expectedProgress) << c.nodesZ << "x" << c.nodesX << " on " << c.threads;
        EXPECT_EQ(svc->doEventsCalls, 0);
    }
}

TEST_F(MapWorkersTest, EventsRunOncePastFiveSecondsAndThenEveryTenthOfASecond)
{
    struct Case {
        const char* name;
        qint64 msPerRow, startedMsAgo;
        std::vector<int> progressAtEvents;
    };
    const Case cases[] = {
        {"a clock that stands still in the first 5 s", 0, 0, {}},
        {"1 s a row: more than 5 s first before row 6", 1000, 0, {83}},
        {"2 s a row: before rows 3 to 6", 2000, 0, {33, 50, 67, 83}},
        {"50 ms a row past 5 s: before every other row", 50, 10000, {0, 17, 50, 83}},
    };
    for (const Case& c : cases) {
        msPerRow = c.msPerRow;
        progressAtEvents.clear();
        ProgressPercent = 0;
        EXPECT_TRUE(ComputeSplMapParallel(grid, Level, svc->now.addMSecs(-c.startedMsAgo), 4)) << c.name;
        EXPECT_EQ(progressAtEvents, c.progressAtEvents) << c.name;
    }
}

// Waits for `release`, and gives up after 10 s so that a fault fails the test instead of hanging it.
void WaitFor(const std::atomic<bool>& release)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!release && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST_F(MapWorkersTest, EventsKeepRunningWhileTheWindowWaitsForASlowNode)
{
    std::atomic<bool> release{false};
    const auto slowFirstNode = [this, &release](double x, double z) {
        if (x == NodeX(grid, 0) && z == NodeZ(grid, 0))
            WaitFor(release);
        return Level(x, z);
    };
    std::vector<bool> rowZeroStored;
    svc->onDoEvents = [&] {
        rowZeroStored.push_back(SPLMap(0, 0) != Unset);
        svc->now = svc->now.addMSecs(100);
        if (rowZeroStored.size() == 3)
            release = true;
    };
    EXPECT_TRUE(ComputeSplMapParallel(grid, slowFirstNode, svc->now.addSecs(-10), 4));
    ASSERT_GE(rowZeroStored.size(), 3u);
    EXPECT_EQ(std::vector<bool>(rowZeroStored.begin(), rowZeroStored.begin() + 3),
              (std::vector<bool>{false, false, false}));
    EXPECT_EQ(SPLMap(0, 0), Level(NodeX(grid, 0), NodeZ(grid, 0)));
}

TEST_F(MapWorkersTest, AStopSetByEventsEndsTheLoopRightAfterThem)
{
    msPerRow = 2000;
    svc->onDoEvents = [] { StopSimulation = VbTrue; };
    EXPECT_FALSE(ComputeSplMapParallel(grid, Level, svc->now, 4));
    EXPECT_EQ(svc->doEventsCalls, 1);
    EXPECT_EQ(progress, (std::vector<int>{0, 17, 33}));
    EXPECT_EQ(SPLMap(4, 80), Level(NodeX(grid, 40), NodeZ(grid, 2)));   // the last node of row 2
    EXPECT_NE(SPLMap(3, 79), Unset);                                     // and its block
    EXPECT_EQ(SPLMap(6, 0), Unset);                                      // row 3 is not stored
}

TEST_F(MapWorkersTest, AStopWaitsOnlyForTheNodesTheWorkersAreOn)
{
    constexpr int Threads = 3;
    std::atomic<bool> release{false};
    std::atomic<int> evaluations{0};
    const auto slowNodes = [&](double x, double z) {
        ++evaluations;
        WaitFor(release);
        return Level(x, z);
    };
    svc->onDoEvents = [&] {
        StopSimulation = VbTrue;
        release = true;
    };
    EXPECT_FALSE(ComputeSplMapParallel(grid, slowNodes, svc->now.addSecs(-10), Threads));
    const int atReturn = evaluations;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(svc->doEventsCalls, 1);
    EXPECT_LE(atReturn, Threads);
    EXPECT_EQ(evaluations, atReturn);   // no worker goes on after the loop
    EXPECT_EQ(SPLMap(0, 0), Unset);
    EXPECT_TRUE(progress.empty());
}

TEST_F(MapWorkersTest, WhatAnEvaluationRaisesIsRaisedOnTheWindowThread)
{
    const auto failingNode = [this](double x, double z) -> std::int16_t {
        if (x == NodeX(grid, 20) && z == NodeZ(grid, 3))
            throw VbError(VbError::Overflow, "Overflow");
        return Level(x, z);
    };
    EXPECT_THROW(ComputeSplMapParallel(grid, failingNode, svc->now, 4), VbError);
    // Rows before the failing one may be stored, depending on how far the others had got; no later one is.
    EXPECT_LE(progress.size(), 3u);
    EXPECT_EQ(SPLMap(6, 0), Unset);
}

}
