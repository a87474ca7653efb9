#include "acoustics/AcousticsFixture.h"
#include "acoustics/Simulation.h"

#include <cmath>

namespace {

using EngineTest = AcousticsTest;

double Line(int i) { return BandLines[std::size_t(12 + i)]; }

TEST_F(EngineTest, BandLinesHalveTheOctaveDistanceTowardsTheCentre)
{
    struct Case {
        int k;
        double up9, down9;  // 9 lines
        double up5, down5;  // 5 lines (0 where the row is not written)
    };
    const Case cases[] = {
        {4, 1122.462, 890.899, 0, 0},
        {3, 1059.463, 943.874, 0, 0},
        {2, 1029.302, 971.532, 1122.462, 890.899},
        {1, 1014.545, 985.663, 1059.463, 943.874},
        {0, 1000, 1000, 1000, 1000},
    };
    SetBandLines(1.0 / 3.0, 9, 1000);
    for (const Case& c : cases) {
        EXPECT_NEAR(Line(c.k), c.up9, 5e-4) << c.k;
        EXPECT_NEAR(Line(-c.k), c.down9, 5e-4) << c.k;
    }
    BandLines = {};
    SetBandLines(1.0 / 3.0, 5, 1000);
    for (const Case& c : cases) {
        EXPECT_NEAR(Line(c.k), c.up5, 5e-4) << c.k;
        EXPECT_NEAR(Line(-c.k), c.down5, 5e-4) << c.k;
    }
}

TEST_F(EngineTest, BandLinesWriteOnlyWhatTheCountCovers)
{
    struct Case {
        std::int16_t lines;
        double centre;      // expected entry 0
        double outerFirst;  // expected entry 1
    };
    const Case cases[] = {
        {1, 31.5, 7},  // only the centre
        {0, 7, 7},     // nothing
        {-3, 7, 7},    // nothing
    };
    for (const Case& c : cases) {
        BandLines.fill(7);
        SetBandLines(1.0 / 6.0, c.lines, 31.5);
        EXPECT_EQ(Line(0), c.centre) << c.lines;
        EXPECT_EQ(Line(1), c.outerFirst) << c.lines;
        EXPECT_EQ(Line(-1), c.outerFirst) << c.lines;
    }
    // More lines than the table holds end the routine before it writes anything.
    BandLines.fill(7);
    EXPECT_THROW(SetBandLines(1.0 / 3.0, 27, 1000), VbError);
    EXPECT_EQ(Line(0), 7);
}

TEST_F(EngineTest, SpeedOfSoundGrowsWithTheSquareRootOfTheAbsoluteTemperature)
{
    EXPECT_DOUBLE_EQ(SpeedOfSound(0), 331.4);
    EXPECT_NEAR(SpeedOfSound(25), 346.24, 0.005);
    EXPECT_NEAR(SpeedOfSound(-273), 0.0, 1e-12);
}

TEST_F(EngineTest, PhasorAndModulus)
{
    const Complex p = PointSourcePhasor(99, -99, 2, 1, 0.5, 0.5);
    EXPECT_EQ(p.Re, 2 * std::cos(6.28318530717958));
    EXPECT_EQ(p.Im, 2 * std::sin(6.28318530717958));
    const Complex q = PointSourcePhasor(0, 0, 3, 2, 0.25, 1);  // a quarter wave: 1.5 * (cos, sin) of ~pi/2
    EXPECT_NEAR(q.Re, 0, 1e-14);
    EXPECT_DOUBLE_EQ(q.Im, 1.5);
    EXPECT_EQ(CModulus({3, 4}), 5);
    EXPECT_EQ(CModulus({-3, -4}), 5);
}

// A vertical box front of 360 mm at X = 0 from Z = 3 down, and a 3-4-5 tilted one.
TEST_F(EngineTest, SourcePointsRunDownEachAcousticFrontAndSkipOtherRows)
{
    ModuleRecord& t1 = AddModule(1, QStringLiteral("T1"), 10, 360);
    for (int j = 0; j < ProfilePoints; ++j)
        t1.FrontAttenuationProfile[std::size_t(j)][17] = {std::uint8_t(j + 50), std::uint8_t(2 * j)};
    AddModule(2, QStringLiteral("Rigging"), 100, 360);
    InitValues[0] = {3.5, 10};
    InitValues[3] = {-1, 0};
    Form_PrincipaleControls& form = Principale();
    form.Area[4].SetText(QStringLiteral("4"));
    form.Tipo[0].SetText(QStringLiteral("T1"));
    form.Tipo[1].SetText(QStringLiteral("Rigging"));   // box type 100: no sources
    form.Tipo[2].SetText(QStringLiteral("Nothing"));   // not loaded: the empty record 0
    form.Tipo[3].SetText(QStringLiteral("T1"));
    form.Tipo[4].SetText(QStringLiteral("T1"));        // beyond the box count
    PlaceBox(1, 1, 2, 1.216, 1.712);
    PlaceBox(2, 5, 5, 5, 4);
    PlaceBox(3, 5, 5, 5, 4);
    PlaceBox(4, 0, 3, 0, 2.64);
    PlaceBox(5, 9, 9, 9, 8);

    ASSERT_EQ(BuildSourcePoints(0.02, 17), 36);
    struct Case {
        int index;
        double x, z, level, delay;
    };
    const Case cases[] = {
        {0, 1, 2, 53.5, 10},              // box 1's top corner, profile point 0
        {1, 1.012, 1.984, 55.5, 14},      // 0.02 m down the front, profile point 2
        {17, 1.204, 1.728, 87.5, 78},     // last point, 0.34 m down: profile point 34
        {18, 0, 3, 49, 0},                // box 4 follows at once
        {35, 0, 2.66, 83, 68},
    };
    for (const Case& c : cases) {
        const SourcePoint& p = SourcePoints[std::size_t(c.index)];
        EXPECT_NEAR(p.X, c.x, 1e-12) << c.index;
        EXPECT_NEAR(p.Z, c.z, 1e-12) << c.index;
        EXPECT_EQ(p.Level, c.level) << c.index;
        EXPECT_EQ(p.Delay, c.delay) << c.index;
    }
    EXPECT_EQ(SourcePoints[36].Level, 0);  // nothing written beyond the count

    form.Area[4].SetText(QStringLiteral("20"));  // more than 16 boxes counts as 16
    for (int r = 0; r < 16; ++r)
        form.Tipo[std::size_t(r)].SetText(QStringLiteral("T1"));
    EXPECT_EQ(BuildSourcePoints(0.02, 17), 16 * 18);
}

TEST_F(EngineTest, ProfilePointsAdvanceByTheRoundedStepAndStopAtTheLastPoint)
{
    ModuleRecord& m = AddModule(1, QStringLiteral("Long"), 1, 990);
    for (int j = 0; j < ProfilePoints; ++j)
        m.FrontAttenuationProfile[std::size_t(j)][0] = {std::uint8_t(j + 50), 0};
    Principale().Area[4].SetText(QStringLiteral("1"));
    Principale().Tipo[0].SetText(QStringLiteral("Long"));
    PlaceBox(1, 0, 1, 0, 0.01);

    struct Case {
        double spacing;
        int count;
        int index;
        double level;  // 50 + profile point
    };
    const Case cases[] = {
        {0.025, 40, 1, 52},   // 0.025 / 0.01 = 2.5 rounds to 2: point k reads profile point 2k
        {0.025, 40, 39, 128},
        {0.035, 28, 24, 146},  // 3.5 rounds to 4: point 24 reads 96
        {0.035, 28, 25, 149},  // would be 100: reads 99
        {0.035, 28, 27, 149},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildSourcePoints(c.spacing, 0), c.count) << c.spacing;
        EXPECT_EQ(SourcePoints[std::size_t(c.index)].Level, c.level) << c.spacing << " " << c.index;
    }
}

// Levels worked out by hand with c = 343 m/s at 1 kHz, where the air absorbs
// alpha = -3e-9 * 1000^1.94 = -0.00198208 dB/m.
TEST_F(EngineTest, PointLevelsOfOneAndTwoSources)
{
    struct Case {
        const char* name;
        std::vector<SourcePoint> sources;
        double spacing;
        std::int16_t lines;
        double x, z;
        std::int16_t level;
    };
    const SourcePoint top{0, 0.5, 60, 0};
    const SourcePoint bottom{0, -0.5, 60, 0};
    const SourcePoint bottomHalfWave{0, -0.5, 60, 500};  // 500 us = 0.1715 m = half of 0.343 m
    const Case cases[] = {
        // m = 1 / 2; p = 0.5 + 10^(alpha * 2 / 20) = 1.4995437; 20 log10 p = 3.5192 dB
        {"one source at 2 m", {{0, 0, 0, 0}}, 0.01, 1, 2, 0, 352},
        // r = sqrt(16.25) = 4.0311289; m = 2 * 1000 / r = 496.13894; p = m + 0.99908 = 497.13802;
        // two profile points per source: 20 log10 (2 p) = 59.9501 dB
        {"two in phase", {top, bottom}, 0.02, 1, 4, 0, 5995},
        // the pressures cancel: p is the absorption term 0.9990805 alone; 20 log10 (2 p) = 6.0126 dB
        {"two in opposition", {top, bottomHalfWave}, 0.02, 1, 4, 0, 601},
        // five lines: magnitudes averaged over the band, where the delay no longer cancels exactly
        {"two in phase, five lines", {top, bottom}, 0.02, 5, 4, 0, 5995},
        {"two in opposition, five lines", {top, bottomHalfWave}, 0.02, 5, 4, 0, 4081},
        {"no sources: the absorption term alone", {}, 0.01, 1, 4, 0, 0},
    };
    for (const Case& c : cases) {
        SetBandLines(1.0 / 3.0, c.lines, 1000);
        std::copy(c.sources.begin(), c.sources.end(), SourcePoints.begin());
        EXPECT_EQ(CalcPointSPL(std::int16_t(c.sources.size()), c.spacing, c.lines, 343, c.x, c.z), c.level) << c.name;
    }
}

TEST_F(EngineTest, LevelsAreHeldBetweenTheFloorAndTheCeiling)
{
    struct Case {
        const char* name;
        SourcePoint source;
        double centre, spacing, x;
        std::int16_t level;
    };
    const Case cases[] = {
        {"400 dB at 1 m", {0, 0, 400, 0}, 1000, 0.01, 1, SplCeiling},
        {"receiver on the source", {1, 0, 0, 0}, 1000, 0.01, 1, SplCeiling},
        // 10^-20 / 1000 plus 10^(-0.6645 * 1000 / 20): about -460 dB
        {"-400 dB at 1 km, 20 kHz", {0, 0, -400, 0}, 20000, 0.01, 1000, -32768},
        // a spacing below 5 mm stands for no profile point at all: zero pressure
        {"spacing 4 mm", {0, 0, 60, 0}, 1000, 0.004, 1, -32768},
    };
    for (const Case& c : cases) {
        SetBandLines(1.0 / 3.0, 1, c.centre);
        SourcePoints[0] = c.source;
        EXPECT_EQ(CalcPointSPL(1, c.spacing, 1, 343, c.x, 0), c.level) << c.name;
    }
}

TEST_F(EngineTest, NodeLevelsFromACopyEqualTheSharedStateLevels)
{
    SetBandLines(1.0 / 6.0, 9, 2000);
    for (int k = 0; k < 20; ++k)
        SourcePoints[std::size_t(k)] = {0.1 * k, 5 - 0.03 * k, 90.0 + k, 3.0 * k};
    SplSources copy;
    copy.bandLines = BandLines;
    copy.points.assign(SourcePoints.begin(), SourcePoints.begin() + 20);
    copy.lineCount = 9;
    copy.spacing = 0.03;
    copy.c = 340;
    const double receivers[][2] = {{3, 1}, {12.5, -1}, {40, 20}};
    for (const auto& r : receivers)
        EXPECT_EQ(NodeSPL(copy, r[0], r[1]), CalcPointSPL(20, 0.03, 9, 340, r[0], r[1])) << r[0];
}

}
