#include "acoustics/AcousticsFixture.h"
#include "acoustics/FastSpl.h"
#include "acoustics/Simulation.h"

#include <cmath>
#include <cstdlib>

namespace {

class FastSplTest : public AcousticsTest {
protected:
    static void HangJArray(int boxes, std::int16_t frontMm);
};

// A J-shaped array of `boxes` boxes of module 1 (front frontMm), hung with its top at (1, 12) and
// each box splayed 1 degree more than the one above. The profile's level falls and its delay grows
// away from the front's middle, differently in every band, and every box has its own initial values.
void FastSplTest::HangJArray(int boxes, std::int16_t frontMm)
{
    ModuleRecord& m = AddModule(1, QStringLiteral("J"), 12, frontMm);
    for (int j = 0; j < ProfilePoints; ++j)
        for (int b = 0; b < ProfileBands; ++b) {
            const int fromMiddle = std::abs(j - frontMm / 20);
            m.FrontAttenuationProfile[std::size_t(j)][std::size_t(b)] = {std::uint8_t(110 - fromMiddle / 2 - b % 5),
                                                                         std::uint8_t(fromMiddle + b)};
        }
    Form_PrincipaleControls& form = Principale();
    form.Area[4].SetText(QString::number(boxes));
    double x = 1;
    double z = 12;
    double angle = 0;
    const double front = frontMm * 0.001;
    for (int row = 1; row <= boxes; ++row) {
        form.Tipo[std::size_t(row - 1)].SetText(QStringLiteral("J"));
        InitValues[std::size_t(row - 1)] = {0.5 * row - 3, 7.0 * (row % 4)};
        angle += (row - 1) * 0.017453292519943278;
        const double bottomX = x - front * std::sin(angle);
        const double bottomZ = z - front * std::cos(angle);
        PlaceBox(row, x, z, bottomX, bottomZ);
        x = bottomX;
        z = bottomZ;
    }
}

// Every receiver of a grid in front of the array, from near the boxes out to 300 m and from -1 m to
// 40 m, evaluated both ways: no level differs by more than 0.01 dB and at least 99.9 % are equal.
TEST_F(FastSplTest, LevelsMatchTheStraightforwardEvaluation)
{
    struct Case {
        const char* name;
        int boxes;
        std::int16_t frontMm;
        double spacing;
        std::int16_t band;   // index in the band list
        double bandwidth, centre;
        std::int16_t lines;
        double temperature;
    };
    const Case cases[] = {
        {"1 kHz, 1/3 octave, 9 lines", 8, 400, 0.02, 17, 1.0 / 3, 1000, 9, 20},
        {"8 kHz, 1/3 octave, 9 lines", 8, 400, 0.02, 26, 1.0 / 3, 8000, 9, 20},
        {"20 kHz, 1/6 octave, 5 lines", 8, 400, 0.02, 30, 1.0 / 6, 20000, 5, -10},
        {"63 Hz, 1/3 octave, 1 line", 8, 400, 0.03, 5, 1.0 / 3, 63, 1, 35},
        {"16 boxes at 0.01 m: more sources than one pass takes", 16, 800, 0.01, 23, 1.0 / 3, 4000, 9, 20},
    };
    for (const Case& c : cases) {
        HangJArray(c.boxes, c.frontMm);
        const std::int16_t count = BuildSourcePoints(c.spacing, c.band);
        SetBandLines(c.bandwidth, c.lines, c.centre);
        const SplSources sources = CopySplSources(count, c.lines, c.spacing, SpeedOfSound(c.temperature));
        const FastSpl fast(sources);
        // Fewer receivers for the large array keep the straightforward side quick.
        const int across = count > 1000 ? 12 : 60;
        int cells = 0;
        int differing = 0;
        int worst = 0;
        for (int a = 0; a < across; ++a)
            for (int b = 0; b < 40; ++b) {
                const double x = 1.5 + 300.0 * a * a / (across * across);
                const double z = -1 + b;
                const int gap = std::abs(fast.Level(x, z) - NodeSPL(sources, x, z));
                ++cells;
                differing += gap != 0;
                worst = std::max(worst, gap);
            }
        EXPECT_LE(worst, 1) << c.name;
        EXPECT_LE(differing * 1000, cells) << c.name << ": " << differing << " of " << cells;
    }
}

// Levels worked out by hand in the engine's tests, and the limits of the engine, come out the same.
TEST_F(FastSplTest, EveryDecisionOfTheEngineHolds)
{
    struct Case {
        const char* name;
        std::vector<SourcePoint> sources;
        double centre, spacing;
        std::int16_t lines;
        double x, z;
        std::int16_t level;
    };
    const SourcePoint top{0, 0.5, 60, 0};
    const SourcePoint bottom{0, -0.5, 60, 0};
    const SourcePoint bottomHalfWave{0, -0.5, 60, 500};
    // A receiver on the 1500th of 2000 sources, which a later pass over the sources meets.
    std::vector<SourcePoint> many;
    for (int k = 0; k < 2000; ++k)
        many.push_back({0.01 * k, 20 - 0.005 * k, 90, 0});
    std::vector<SourcePoint> delayed = {top};
    delayed.push_back({0, -0.5, 60, 4e8});   // 400 s of delay: a phase of millions of radians
    const Case cases[] = {
        {"one source at 2 m", {{0, 0, 0, 0}}, 1000, 0.01, 1, 2, 0, 352},
        {"two in phase", {top, bottom}, 1000, 0.02, 1, 4, 0, 5995},
        {"two in opposition", {top, bottomHalfWave}, 1000, 0.02, 1, 4, 0, 601},
        {"two in opposition, five lines", {top, bottomHalfWave}, 1000, 0.02, 5, 4, 0, 4081},
        {"no sources: the absorption term alone", {}, 1000, 0.01, 1, 4, 0, 0},
        {"receiver on the only source", {{1, 0, 0, 0}}, 1000, 0.01, 1, 1, 0, SplCeiling},
        {"receiver on source 1500 of 2000", many, 1000, 0.01, 9, 15, 12.5, SplCeiling},
        {"400 dB at 1 m: the ceiling", {{0, 0, 400, 0}}, 1000, 0.01, 1, 1, 0, SplCeiling},
        {"-400 dB at 1 km, 20 kHz: the floor", {{0, 0, -400, 0}}, 20000, 0.01, 1, 1000, 0, -32768},
        {"spacing 4 mm: zero pressure", {{0, 0, 60, 0}}, 1000, 0.004, 1, 1, 0, -32768},
        // the phases 400000 turns apart: in phase, as the two without delay
        {"a delay far beyond the polynomial's range", delayed, 1000, 0.02, 1, 4, 0, 5995},
    };
    for (const Case& c : cases) {
        SetBandLines(1.0 / 3.0, c.lines, c.centre);
        std::copy(c.sources.begin(), c.sources.end(), SourcePoints.begin());
        const SplSources sources = CopySplSources(std::int16_t(c.sources.size()), c.lines, c.spacing, 343);
        EXPECT_EQ(FastSpl(sources).Level(c.x, c.z), c.level) << c.name;
        EXPECT_EQ(NodeSPL(sources, c.x, c.z), c.level) << c.name;
    }
}

// A long front at a coarse spacing runs past profile point 99; its tail reads point 99 on the fast
// path too. Point 99 is 40 dB above the rest, so the three tail sources set the level: about 102 dB
// at 10 m, where the 60 dB of the others alone would give about 81 dB.
TEST_F(FastSplTest, ATailPastTheProfileReadsItsLastPoint)
{
    ModuleRecord& m = AddModule(1, QStringLiteral("Long"), 1, 990);
    for (auto& point : m.FrontAttenuationProfile)
        point[17] = {60, 0};
    m.FrontAttenuationProfile[99][17] = {100, 0};
    Principale().Area[4].SetText(QStringLiteral("1"));
    Principale().Tipo[0].SetText(QStringLiteral("Long"));
    PlaceBox(1, 0, 5, 0, 4.01);
    SetBandLines(1.0 / 3.0, 1, 1000);
    const std::int16_t count = BuildSourcePoints(0.035, 17);
    ASSERT_EQ(count, 28);
    const SplSources sources = CopySplSources(count, 1, 0.035, 343);
    struct Case {
        double x, z;
        std::int16_t level;
    };
    const Case cases[] = {{10, 4.1, 10224}, {40, 0, 8984}, {200, -1, 7624}};
    for (const Case& c : cases) {
        EXPECT_EQ(FastSpl(sources).Level(c.x, c.z), c.level) << c.x;
        EXPECT_EQ(NodeSPL(sources, c.x, c.z), c.level) << c.x;
    }
}

TEST_F(FastSplTest, MoreThanTwentyFiveLinesAreRefused)
{
    SplSources sources;
    sources.lineCount = 27;
    EXPECT_THROW(FastSpl{sources}, VbError);
}

}
