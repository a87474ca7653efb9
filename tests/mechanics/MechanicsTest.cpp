#include "mechanics/Geometry.h"
#include "mechanics/Mechanics.h"
#include "mechanics/MechanicsHooks.h"
#include "mechanics/TestModules.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace testmodules;

namespace {

const QString ImpossibleText = QStringLiteral("Impossible mechanical configuration!");

// Starts every case from the straight array of two LA12 boxes under the bar at (2, 10): centre of
// gravity X 1687.5 mm, Z 9601.25 mm, weight 120 kg; central holes at X 1900, 1700, 1500, 1300, 1100,
// 900 mm and side holes at 1800, 1600, 1400, 1200 mm, all at Z 10000 mm. The loads start at 999 and
// the tilt offset at 7 so that what a case leaves alone shows.
class MechanicsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrincipaleFactory(nullptr);
        UnloadPrincipale();
        LoadTestModules();
        MecHooks() = {};
        redraws = 0;
        loadsAtRedraw = {};
        labels.clear();
        MecHooks().UpdateMecView = [this] {
            ++redraws;
            loadsAtRedraw = HookLoad;
        };
        MecHooks().SetLabelWeightHookCaption = [this](int index, const QString& caption) {
            labels.push_back(QString::number(index) + ":" + caption);
        };
        SetArray(2, 10, 0, {"LA12", "LA12"}, {"0", "0"});
        CalculateArrayGeometry();
        HookLoad = {999, 999};
        HangTiltOffset = 7;
    }
    void TearDown() override
    {
        MecHooks() = {};
        UnloadPrincipale();
    }

    int redraws = 0;
    std::array<std::int16_t, 2> loadsAtRedraw{};
    std::vector<QString> labels;
};

FlyingBarHook Hook(int row, int index, bool placed) { return {row, std::int16_t(index), ToVbBool(placed), VbFalse}; }

} // namespace

// Each mode and hook count: which holes carry the hooks, the tilt offset and the loads, rounded half
// to even (the lever rule shares the weight by the other support's distance from the centre of gravity).
TEST_F(MechanicsTest, HookChoiceTiltOffsetAndLoadsPerMode)
{
    struct Case {
        const char* name;
        int mode;
        int hooks;
        FlyingBarHook hook1, hook2;             // before
        FlyingBarHook wantHook1, wantHook2;      // after (Active always false here)
        double offset;
        std::array<int, 2> loads;
        int redraws;
        QString angle;
        bool angleEnabled;
    };
    const std::vector<Case> cases = {
        // Distances 212.5 (best 212), 12.5 (best 12), then 187.5 is not nearer: hole 1.
        // Offset atan(12.5 / (10000 - 9601)) = 1.794 degrees.
        {"auto, one hook", 0, 1, Hook(0, 4, false), Hook(0, 2, true), Hook(0, 1, true), Hook(0, 2, false), 1.8,
         {120, 999}, 0, "0", true},
        // Side row: 112.5 (best 112), 87.5 (best 88), 287.5: hole 1; atan(-87.5 / 399) = -12.37.
        {"auto, side pair", 0, 2, Hook(1, 3, false), Hook(0, 2, false), Hook(1, 1, true), Hook(0, 2, false), -12.4,
         {60, 999}, 0, "0", true},
        // Central holes 2..5 lie behind the centre of gravity; |1 - 187.5 / 212.5| is the smallest
        // ratio: holes 0 and 2, s = 400, loads 187.5 / 400 x 120 = 56.25 and 212.5 / 400 x 120 = 63.75.
        {"auto, two central", 0, 2, Hook(0, 4, true), Hook(0, 5, true), Hook(0, 0, true), Hook(0, 2, true), 0,
         {56, 64}, 1, "0", true},
        // Side hole 0 is the only one in front; |2 - 187.5 / 112.5| is the smallest: side 0, central 2.
        // d1 = R(112.5) = 112, d2 = R(187.5) = 188, s = 300: R(R(75.2) / 2) = R(37.5) = 38, R(44.8) = 45.
        {"auto, three hooks", 0, 3, Hook(0, 4, true), Hook(0, 5, true), Hook(1, 0, true), Hook(0, 2, true), 0,
         {38, 45}, 1, "0", true},
        // Hook at X 1900: a = 212.5, b = 398.75, atan(a / b) = 28.05 degrees.
        {"manual, one hook", 1, 1, Hook(0, 0, true), Hook(0, 3, false), Hook(0, 0, true), Hook(0, 3, false), 0,
         {120, 999}, 0, "28,1", false},
        // Side hook at X 1600: a = -87.5: -12.38 degrees; each of the pair carries R(60).
        {"manual, side pair", 1, 2, Hook(1, 1, true), Hook(0, 3, false), Hook(1, 1, true), Hook(0, 3, false), 0,
         {60, 999}, 0, "-12,4", false},
        // Holes at 1900 and 1300: d1 = 212.5, d2 = 387.5, s = 600: R(77.5) = 78, R(42.5) = 42.
        {"manual, two central", 1, 2, Hook(0, 0, true), Hook(0, 3, true), Hook(0, 0, true), Hook(0, 3, true), 0,
         {78, 42}, 0, "0", true},
        // Side 1800 and central 1300: d1 = R(112.5) = 112, d2 = R(387.5) = 388, s = 500:
        // R(R(93.12) / 2) = R(46.5) = 46, R(26.88) = 27.
        {"manual, three hooks", 1, 3, Hook(1, 0, true), Hook(0, 3, true), Hook(1, 0, true), Hook(0, 3, true), 0,
         {46, 27}, 0, "0", true},
    };
    for (const Case& c : cases) {
        SetUp();
        WorkingMode = c.mode;
        HooksNumber = std::uint8_t(c.hooks);
        FlyingBarHooks = {c.hook1, c.hook2};
        UpdateMechanics();
        const auto& h = FlyingBarHooks;
        EXPECT_EQ(h[0].HoleRow, c.wantHook1.HoleRow) << c.name;
        EXPECT_EQ(h[0].FBarHooks, c.wantHook1.FBarHooks) << c.name;
        EXPECT_EQ(h[0].SelHook, c.wantHook1.SelHook) << c.name;
        EXPECT_EQ(h[0].Active, VbFalse) << c.name;
        EXPECT_EQ(h[1].HoleRow, c.wantHook2.HoleRow) << c.name;
        EXPECT_EQ(h[1].FBarHooks, c.wantHook2.FBarHooks) << c.name;
        EXPECT_EQ(h[1].SelHook, c.wantHook2.SelHook) << c.name;
        EXPECT_EQ(HangTiltOffset, c.offset) << c.name;
        EXPECT_EQ(HookLoad[0], c.loads[0]) << c.name;
        EXPECT_EQ(HookLoad[1], c.loads[1]) << c.name;
        EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse) << c.name;
        EXPECT_EQ(redraws, c.redraws) << c.name;
        EXPECT_EQ(Principale().Area[3].Text(), c.angle) << c.name;
        EXPECT_EQ(Principale().Area[3].Enabled(), c.angleEnabled) << c.name;
        EXPECT_EQ(Principale().VScroll_Area[3].Enabled(), c.angleEnabled) << c.name;
        EXPECT_TRUE(labels.empty()) << c.name;
    }
}

// The automatic pair search redraws the mechanical view once, after the new loads are in.
TEST_F(MechanicsTest, PairSearchRedrawsWithTheNewLoads)
{
    for (int hooks : {2, 3}) {
        SetUp();
        HooksNumber = std::uint8_t(hooks);
        FlyingBarHooks[1].SelHook = VbTrue;
        UpdateMechanics();
        EXPECT_EQ(redraws, 1) << hooks;
        EXPECT_EQ(loadsAtRedraw, HookLoad) << hooks;
        EXPECT_NE(loadsAtRedraw[0], 999) << hooks;
    }
}

// Each hook of a side pair carries half the weight, rounded half to even.
TEST_F(MechanicsTest, SidePairHalvesTheWeight)
{
    struct Case {
        int weight, load;
    };
    const std::vector<Case> cases = {{45, 22}, {47, 24}, {1, 0}, {3, 2}, {120, 60}, {0, 0}};
    for (const Case& c : cases) {
        SetUp();
        HooksNumber = 2;
        FlyingBarHooks = {Hook(1, 0, true), Hook(0, 0, false)};
        ArrayWeight = std::int16_t(c.weight);
        CalculateHookLoads();
        EXPECT_EQ(HookLoad[0], c.load) << c.weight;
        EXPECT_EQ(HookLoad[1], 999) << c.weight;
    }
}

// The lever rule on holes placed by hand around a centre of gravity at X 0.
TEST_F(MechanicsTest, LeverRule)
{
    struct Case {
        const char* name;
        int hooks;
        double x1, x2;  // hook 1 (central or side row), hook 2 (central)
        int weight;
        std::array<int, 2> loads;
    };
    const std::vector<Case> cases = {
        // 200 mm and 400 mm from the centre of gravity, 300 kg: s = 600, 200 kg and 100 kg.
        {"two central", 2, -200, 400, 300, {200, 100}},
        {"two central, sides swapped", 2, 400, -200, 300, {100, 200}},
        // Side pair 100 mm away, central hook 200 mm away: R(R(200 / 300 x 300) / 2) = 100, R(100).
        {"three hooks", 3, -100, 200, 300, {100, 100}},
        // d1 = R(0.6) = 1, d2 = R(2.5) = 2, s = 3: R(R(66.67) / 2) = R(33.5) = 34, R(33.33) = 33.
        {"three hooks, rounded distances", 3, 0.6, -2.5, 100, {34, 33}},
    };
    for (const Case& c : cases) {
        SetUp();
        HooksNumber = std::uint8_t(c.hooks);
        SystemCoG = {0, 0};
        (c.hooks == 3 ? HoleX2 : HoleX1)[0] = c.x1;
        HoleX1[1] = c.x2;
        FlyingBarHooks = {Hook(c.hooks == 3 ? 1 : 0, 0, true), Hook(0, 1, true)};
        ArrayWeight = std::int16_t(c.weight);
        CalculateHookLoads();
        EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse) << c.name;
        EXPECT_EQ(HookLoad[0], c.loads[0]) << c.name;
        EXPECT_EQ(HookLoad[1], c.loads[1]) << c.name;
    }
}

// The walk from hole 0 stops at the first hole that is not nearer than the previous distance rounded
// to whole millimetres; the offset is the angle of the chosen hole seen from the centre of gravity.
TEST_F(MechanicsTest, NearestHoleWalk)
{
    struct Case {
        const char* name;
        int hooks;
        std::vector<double> holes;
        double cogX;   // metres
        int index;
        double offset;
    };
    const std::vector<Case> cases = {
        // 220 (best 220), 20 (best 20), 180: hole 1; atan(-20 / 1000) = -1.146 degrees.
        {"spec walk", 1, {100, 300, 500}, 0.32, 1, -1.1},
        // 10.4 gives best 10; 10.2 is not below 10.
        {"10.4 then 10.2", 1, {10.4, -10.2, 50}, 0, 0, 0.6},
        // 10.6 gives best 11; 10.8 is below 11 and wins; 30 stops the walk.
        {"10.6 then 10.8", 1, {10.6, -10.8, 30}, 0, 1, -0.6},
        {"same whole distance", 1, {5, -5}, 0, 0, 0.3},
        // Every hole nearer than the one before: the last one; atan(-200 / 1000) = -11.31.
        {"walks to the end", 1, {100, 300, 500, 700}, 0.9, 3, -11.3},
        // Two hooks: the side row's heights (500 mm above): atan(100 / 500) = 11.31.
        {"side row", 2, {100}, 0, 0, 11.3},
    };
    for (const Case& c : cases) {
        SetUp();
        HooksNumber = std::uint8_t(c.hooks);
        auto& xs = c.hooks == 1 ? HoleX1 : HoleX2;
        for (std::size_t i = 0; i < c.holes.size(); ++i)
            xs[i] = c.holes[i];
        HoleZ1.fill(1000);
        HoleZ2.fill(500);
        SystemCoG = {c.cogX, 0};
        FlyingBarHooks = {Hook(0, 9, false), Hook(0, 9, true)};
        const auto found = FindNearestHole(xs, std::uint8_t(c.holes.size()), c.cogX);
        ASSERT_TRUE(found.has_value()) << c.name;
        EXPECT_EQ(found->HoleRow, 0) << c.name;
        EXPECT_EQ(found->FBarHooks, c.index) << c.name;
        EXPECT_EQ(found->SelHook, VbFalse) << c.name;
        EXPECT_EQ(HangTiltOffset, c.offset) << c.name;
        EXPECT_EQ(FlyingBarHooks[0].HoleRow, c.hooks == 1 ? 0 : 1) << c.name;
        EXPECT_EQ(FlyingBarHooks[0].SelHook, VbTrue) << c.name;
        EXPECT_EQ(FlyingBarHooks[1].SelHook, VbFalse) << c.name;
        EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse) << c.name;
    }
}

// A hole right at the centre of gravity's X lies on neither side: it can share the weight with a hole
// on either side, and as the outer hole of a pair its ratio never wins.
TEST_F(MechanicsTest, HoleAtTheCentreOfGravity)
{
    // Manual pair: d1 = 0, d2 = 387.5, s = R(387.5) = 388: R(119.85) = 120 and 0.
    WorkingMode = 1;
    HooksNumber = 2;
    HoleX1[0] = 1687.5;
    FlyingBarHooks = {Hook(0, 0, true), Hook(0, 3, true)};
    UpdateMechanics();
    EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);
    EXPECT_EQ(HookLoad[0], 120);
    EXPECT_EQ(HookLoad[1], 0);

    // Automatic pair with holes 1900, 1700, 1687.5, 1500: the run behind starts at hole 3; the pair
    // (2, 3) would divide by 0 and is passed over, (0, 3) wins.
    SetUp();
    HooksNumber = 2;
    Modules[1].FCHoleCount = 4;
    HoleX1[2] = 1687.5;
    HoleX1[3] = 1500;
    FlyingBarHooks[1].SelHook = VbTrue;
    UpdateMechanics();
    EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);
    EXPECT_EQ(FlyingBarHooks[0].FBarHooks, 0);
    EXPECT_EQ(FlyingBarHooks[1].FBarHooks, 3);
    EXPECT_EQ(HookLoad[0], 56);
    EXPECT_EQ(HookLoad[1], 64);
}

// Every configuration that cannot hold the array: the flag is set, the tilt offset is 0, the loads
// and the array-angle field stay, the mechanical view shows the text and is not redrawn, and an
// automatic search leaves no hook placed.
TEST_F(MechanicsTest, ImpossibleConfigurations)
{
    struct Case {
        const char* name;
        int mode;
        int hooks;
        FlyingBarHook hook1, hook2;
        std::function<void()> change;
    };
    const auto none = [] {};
    const std::vector<Case> cases = {
        {"auto, one hook, no central hole", 0, 1, Hook(0, 0, false), Hook(0, 0, false),
         [] { Modules[1].FCHoleCount = 0; }},
        {"auto, one hook, first hole 32767 mm away", 0, 1, Hook(0, 0, false), Hook(0, 0, false),
         [] { HoleX1[0] = 1687.5 + 32767; }},
        // Hole 1 at R(9601.25) = 9601 mm, the centre of gravity's height.
        {"auto, one hook, hole level with the centre of gravity", 0, 1, Hook(0, 0, false), Hook(0, 0, false),
         [] { HoleZ1[1] = 9601; }},
        {"auto, side pair, no side hole", 0, 2, Hook(1, 0, false), Hook(0, 0, false),
         [] { Modules[1].FSHoleCount = 0; }},
        {"auto, two central, every hole in front", 0, 2, Hook(0, 0, true), Hook(0, 1, true),
         [] { Modules[1].FCHoleCount = 2; }},
        {"auto, two central, no central hole", 0, 2, Hook(0, 0, true), Hook(0, 1, true),
         [] { Modules[1].FCHoleCount = 0; }},
        {"auto, two central, only pair divides by zero", 0, 2, Hook(0, 0, true), Hook(0, 1, true),
         [] {
             Modules[1].FCHoleCount = 3;
             HoleX1 = {1687.5, 1500, 1300};
         }},
        {"auto, three hooks, no side hole", 0, 3, Hook(1, 0, true), Hook(0, 1, true),
         [] { Modules[1].FSHoleCount = 0; }},
        {"auto, three hooks, side holes on the central run's side", 0, 3, Hook(1, 0, true), Hook(0, 1, true),
         [] { HoleX2 = {1600, 1400, 1200, 1000}; }},
        {"manual, two central on one side", 1, 2, Hook(0, 2, true), Hook(0, 3, true), none},
        {"manual, three hooks on one side", 1, 3, Hook(1, 2, true), Hook(0, 3, true), none},
        {"manual, two central, index 60", 1, 2, Hook(0, 60, true), Hook(0, 3, true), none},
        {"manual, two central, index -1", 1, 2, Hook(0, 0, true), Hook(0, -1, true), none},
        {"manual, two central, index beyond the row", 1, 2, Hook(0, 0, true), Hook(0, 6, true), none},
        {"manual, three hooks, side index beyond the row", 1, 3, Hook(1, 4, true), Hook(0, 3, true), none},
        {"manual, one hook, index beyond the row", 1, 1, Hook(0, 6, true), Hook(0, 0, false), none},
        {"manual, side pair, index beyond the row", 1, 2, Hook(1, 4, true), Hook(0, 0, false), none},
        // Hook at X 900: atan(-787.5 / 398.75) = -63.1 degrees.
        {"manual, one hook, tilt beyond 60", 1, 1, Hook(0, 5, true), Hook(0, 0, false), none},
        {"manual, one hook, centre of gravity on the axis", 1, 1, Hook(0, 0, true), Hook(0, 0, false),
         [] { SystemCoG.Z = 10; }},
        // d1 = 0 and d2 = 0.4: s = R(0.4) = 0.
        {"manual, two central at the centre of gravity", 1, 2, Hook(0, 0, true), Hook(0, 1, true),
         [] {
             HoleX1[0] = 1687.5;
             HoleX1[1] = 1687.9;
         }},
        // d1 = R(0.5) = 0, d2 = R(0.5) = 0.
        {"manual, three hooks at the centre of gravity", 1, 3, Hook(1, 0, true), Hook(0, 2, true),
         [] {
             HoleX2[0] = 1688;
             HoleX1[2] = 1687;
         }},
    };
    for (const Case& c : cases) {
        SetUp();
        Principale().Area[3].SetText("5");
        WorkingMode = c.mode;
        HooksNumber = std::uint8_t(c.hooks);
        FlyingBarHooks = {c.hook1, c.hook2};
        c.change();
        UpdateMechanics();
        EXPECT_EQ(ImpossibleMechanicalConfig, VbTrue) << c.name;
        EXPECT_EQ(HangTiltOffset, 0) << c.name;
        EXPECT_EQ(HookLoad[0], 999) << c.name;
        EXPECT_EQ(HookLoad[1], 999) << c.name;
        EXPECT_EQ(Principale().Area[3].Text(), "5") << c.name;
        EXPECT_EQ(redraws, 0) << c.name;
        EXPECT_EQ(labels, std::vector<QString>{"0:" + ImpossibleText}) << c.name;
        if (c.mode == 0) {
            EXPECT_EQ(FlyingBarHooks[0].SelHook, VbFalse) << c.name;
            EXPECT_EQ(FlyingBarHooks[1].SelHook, VbFalse) << c.name;
        }
    }
}

// The impossible text needs no mechanical view: without one the loads simply stay.
TEST_F(MechanicsTest, ImpossibleWithoutAMechanicalView)
{
    MecHooks() = {};
    Modules[1].FCHoleCount = 0;
    UpdateMechanics();
    EXPECT_EQ(ImpossibleMechanicalConfig, VbTrue);
    EXPECT_EQ(HookLoad[0], 999);
}

// The manual tilt lets pending events run before it writes the field, and a possible hang clears the
// flag even when the field already holds its angle.
TEST_F(MechanicsTest, ManualTiltWritesAfterPendingEvents)
{
    ScopedFakeServices svc;
    QString seen;
    svc->onDoEvents = [&] { seen = Principale().Area[3].Text(); };
    WorkingMode = 1;
    FlyingBarHooks = {Hook(0, 0, true), Hook(0, 0, false)};
    ImpossibleMechanicalConfig = VbTrue;
    UpdateMechanics();
    EXPECT_EQ(svc->doEventsCalls, 1);
    EXPECT_EQ(seen, "0");
    EXPECT_EQ(Principale().Area[3].Text(), "28,1");
    EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);

    ImpossibleMechanicalConfig = VbTrue;
    UpdateMechanics();
    EXPECT_EQ(Principale().Area[3].Text(), "28,1");
    EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);
}

// Manual mode with the top box at 0 degrees takes the foot point straight above the centre of gravity
// at the bar's front-top height; at 30 degrees the foot lies on the tilted axis.
TEST_F(MechanicsTest, ManualTiltOnATiltedAxis)
{
    SetArray(2, 10, 30, {"LA12", "LA12"}, {"30", "25"});
    CalculateArrayGeometry();
    WorkingMode = 1;
    FlyingBarHooks = {Hook(0, 1, true), Hook(0, 0, false)};
    UpdateMechanics();
    // t = tan 30, q = 10000 - 2000 t = 8845.299; G = (1918.872, 9502.505) mm, p = G.z + G.x / t
    // = 12826.093; foot F = (t (p - q) / (t^2 + 1), q + t^2 (p - q) / (1 + t^2)) = (1723.732, 9840.497);
    // hook 1 at (1740.192, 9850) lies ahead of F: a = 19.007, b = 390.279, atan(a / b) = 2.79 degrees.
    EXPECT_EQ(Principale().Area[3].Text(), "2,8");
}

// Hook counts that no rigging knows (from a damaged project) change nothing but the field's state.
TEST_F(MechanicsTest, UnknownHookCountChangesNothing)
{
    for (int mode : {0, 1}) {
        for (int hooks : {0, 4, 255}) {
            SetUp();
            WorkingMode = mode;
            HooksNumber = std::uint8_t(hooks);
            Principale().Area[3].SetEnabled(false);
            UpdateMechanics();
            EXPECT_TRUE(Principale().Area[3].Enabled());
            EXPECT_EQ(HookLoad[0], 999);
            EXPECT_EQ(HangTiltOffset, 7);
            EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);
        }
    }
}
