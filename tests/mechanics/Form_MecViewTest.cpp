#include "MecViewFixture.h"
#include "mechanics/MecViewDrawing.h"

#include <utility>

namespace {

using Calls = std::vector<std::string>;
const Calls ClickRecompute = {"CalculateArrayGeometry", "UpdateMechanics", "CalculateSplDiagram", "UpdateMecView"};
const Calls SettingRecompute = {"CalculateArrayGeometry", "UpdateMechanics", "UpdateMecView"};

struct HookState {
    int row;
    int hole;
    bool placed;
    bool active;
    bool operator==(const HookState&) const = default;
};

std::pair<HookState, HookState> Hooks()
{
    const auto state = [](const FlyingBarHook& h) {
        return HookState{h.HoleRow, h.FBarHooks, IsTrue(h.SelHook), IsTrue(h.Active)};
    };
    return {state(FlyingBarHooks[0]), state(FlyingBarHooks[1])};
}

// Sets a list's text as a typed text would, without running its handlers.
void SetTextQuietly(ComboList& list, const QString& text)
{
    auto change = std::move(list.Change);
    list.Change = nullptr;
    list.SetText(text);
    list.Change = std::move(change);
}

} // namespace

class MecViewWindow : public MecViewFixture {
protected:
    void SetUp() override
    {
        MecViewFixture::SetUp();
        UpdateMecView();
        calls.clear();
    }

    // Moves the pointer onto a central hole (row 0) or a side hole (row 1, its first line) and clicks.
    void ClickHole(int row, int hole)
    {
        const ModuleRecord& m = Modules[Bar];
        Form_MecView& f = MecView();
        if (row == 0)
            f.FocusHook(m.FCHole[hole], m.FY_Len / 2.0f);
        else
            f.FocusHook(m.FSHole[hole], m.FSHole_Y);
        ASSERT_EQ(f.FocusedHook, hole);
        ASSERT_EQ(f.FocusedHookRow, row);
        f.Anteprima_Flying_Bar_Click();
    }
};

// The array picture takes the left two thirds below the options strip, the flying bar the right third.
TEST_F(MecViewWindow, LayoutOnResize)
{
    struct Case {
        int width, height;
        int left, column, third, below;
    } cases[] = {{9000, 6000, 0, 6000, 3000, 5625}, {10000, 2000, 0, 6667, 3333, 1625}, {13500, 7500, 0, 9000, 4500, 7125},
                 {300, 200, 0, 200, 100, 0}};
    for (const Case& c : cases) {
        Form_MecView& f = MecView();
        f.Move(0, 0, c.width, c.height);
        EXPECT_EQ(f.Anteprima_Cluster.Left(), 0);
        EXPECT_EQ(f.Anteprima_Cluster.Top(), 375);
        EXPECT_EQ(f.Anteprima_Cluster.Width(), c.column);
        EXPECT_EQ(f.Anteprima_Cluster.Height(), c.below);
        EXPECT_EQ(f.PictureMecOptions.Left(), c.column);
        EXPECT_EQ(f.PictureMecOptions.Top(), 0);
        EXPECT_EQ(f.PictureMecOptions.Width(), c.third);
        EXPECT_EQ(f.PictureMecOptions.Height(), 375);
        EXPECT_EQ(f.Anteprima_Flying_Bar.Left(), c.column);
        EXPECT_EQ(f.Anteprima_Flying_Bar.Top(), 375);
        EXPECT_EQ(f.Anteprima_Flying_Bar.Width(), c.third);
        EXPECT_EQ(f.Anteprima_Flying_Bar.Height(), c.below);
    }
    // A picture without area draws nothing but still decides the rigging texts.
    UpdateMecView();
    EXPECT_EQ(MecView().Label_Weight_Hook[0].Caption(), QStringLiteral("0 kg on selected hook"));
}

// The window centres itself on the screen at the top and takes the frame's size less its border.
TEST_F(MecViewWindow, LoadTakesTheFrameSize)
{
    UnloadMecView();
    MecViewCalls().ScreenWidth = [] { return 19200; };
    MecViewCalls().FrameWidth = [] { return 15000; };
    MecViewCalls().FrameHeight = [] { return 9000; };
    const Form_MecView& f = MecView();
    EXPECT_EQ(f.Left(), (19200 - 13500) / 2);
    EXPECT_EQ(f.Top(), 0);
    EXPECT_EQ(f.Width(), 14800);
    EXPECT_EQ(f.Height(), 8250);
    EXPECT_EQ(f.Anteprima_Cluster.Height(), 8250 - 375);
    EXPECT_EQ(f.Caption(), QStringLiteral("Mechanical View"));
}

// A hole is hit within 10 mm of its centre, the distance rounded half to even.
TEST_F(MecViewWindow, HookFocusingDistances)
{
    WorkingMode = 1;
    HooksNumber = 2;
    struct Case {
        float along, across;
        int hole, row;
    } cases[] = {
        {60, 100, 0, 0},      {70, 100, 0, 0},      {70.5f, 100, 0, 0},   {49.5f, 100, 0, 0},
        {70.51f, 100, -1, 0}, {60, 110.6f, -1, 0},  {66, 108, 0, 0},      {90, 100, -1, 0},
        {120, 100, 1, 0},     {150, 40, 0, 1},      {150, 160, 0, 1},     {160, 160, 0, 1},
        {500, 170.5f, 1, 1},  {850, 29.49f, -1, 1}, {-20, 100, -1, 1},
    };
    Form_MecView& f = MecView();
    for (const Case& c : cases) {
        f.FocusHook(c.along, c.across);
        EXPECT_EQ(f.FocusedHook, c.hole) << c.along << " " << c.across;
        EXPECT_EQ(f.FocusedHookRow, c.row) << c.along << " " << c.across;
        EXPECT_EQ(f.Anteprima_Flying_Bar.MousePointer(), c.hole >= 0 ? 99 : 0) << c.along << " " << c.across;
    }
}

// The pointer becomes the hand only over a hole a click would commit: central holes with two hooks
// or in manual mode, side holes with two hooks or with three in manual mode.
TEST_F(MecViewWindow, HandPointerOverCommittableHoles)
{
    struct Case {
        int mode, hooks, row;
        bool hand;
    } cases[] = {
        {0, 1, 0, false}, {0, 2, 0, true}, {0, 3, 0, false}, {1, 1, 0, true}, {1, 2, 0, true}, {1, 3, 0, true},
        {0, 1, 1, false}, {0, 2, 1, true}, {0, 3, 1, false}, {1, 1, 1, false}, {1, 2, 1, true}, {1, 3, 1, true},
    };
    Form_MecView& f = MecView();
    for (const Case& c : cases) {
        WorkingMode = c.mode;
        HooksNumber = static_cast<std::uint8_t>(c.hooks);
        f.FocusHook(0, 0);
        ASSERT_EQ(f.Anteprima_Flying_Bar.MousePointer(), 0);
        if (c.row == 0)
            f.FocusHook(300, 100);
        else
            f.FocusHook(500, 160);
        EXPECT_EQ(f.FocusedHook, c.row == 0 ? 4 : 1);
        EXPECT_EQ(f.FocusedHookRow, c.row);
        EXPECT_EQ(f.Anteprima_Flying_Bar.MousePointer(), c.hand ? 99 : 0) << c.mode << c.hooks << c.row;
    }
    // A hit whose pointer condition fails leaves the hand that an earlier hit showed.
    WorkingMode = 0;
    HooksNumber = 2;
    f.FocusHook(300, 100);
    HooksNumber = 1;
    f.FocusHook(360, 100);
    EXPECT_EQ(f.FocusedHook, 5);
    EXPECT_EQ(f.Anteprima_Flying_Bar.MousePointer(), 99);
}

// Where a central and a side hole are both within reach the central one wins; a missed move keeps the
// last row; a bar that is not drawn has no holes to pick.
TEST_F(MecViewWindow, FocusPrecedence)
{
    Modules[Bar].FSHole_Y = 95;
    Modules[Bar].FSHole[0] = 60;
    Form_MecView& f = MecView();
    f.FocusHook(60, 97);
    EXPECT_EQ(f.FocusedHook, 0);
    EXPECT_EQ(f.FocusedHookRow, 0);
    f.FocusHook(500, 95);
    EXPECT_EQ(f.FocusedHook, 1);
    EXPECT_EQ(f.FocusedHookRow, 1);
    f.FocusHook(10, 10);
    EXPECT_EQ(f.FocusedHook, -1);
    EXPECT_EQ(f.FocusedHookRow, 1);

    Principale().Tipo[0].SetText(QStringLiteral("Unknown"));
    f.FocusHook(60, 100);
    EXPECT_EQ(f.FocusedHook, -1);
    Principale().Tipo[0].SetText(QStringLiteral("TB12"));
    Modules[Bar].FLen = 0;
    f.FocusHook(60, 100);
    EXPECT_EQ(f.FocusedHook, -1);
}

// The mouse position reaches the hit test rounded half to even, its Y (along the bar) first.
TEST_F(MecViewWindow, MouseMoveRoundsThePointer)
{
    struct Case {
        double x, y;
        int hole;
    } cases[] = {{100.5, 70.5, 0}, {100.5, 71.5, -1}, {99.5, 49.5, 0}, {89.5, 60, 0}, {110.5, 60, 0}, {111.5, 60, -1}};
    Form_MecView& f = MecView();
    for (const Case& c : cases) {
        f.Anteprima_Flying_Bar.MouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(f.FocusedHook, c.hole) << c.x << " " << c.y;
    }
}

// Manual mode commits the clicked hole to a hook, then recomputes and redraws.
TEST_F(MecViewWindow, ManualClicksCommitHooks)
{
    struct Click {
        int row, hole;
        HookState hook1, hook2;
    };
    struct Case {
        const char* name;
        int hooks;
        HookState start1, start2;
        std::vector<Click> clicks;
    } cases[] = {
        {"one hook, central", 1, {0, 0, true, false}, {0, 0, false, false},
         {{0, 4, {0, 4, true, true}, {0, 0, false, false}}, {0, 9, {0, 9, true, true}, {0, 0, false, false}}}},
        {"one hook, side does nothing", 1, {0, 2, true, true}, {0, 0, false, false},
         {{1, 1, {0, 2, true, true}, {0, 0, false, false}}}},
        {"two hooks", 2, {0, 0, true, false}, {0, 3, true, false},
         {{1, 1, {1, 1, true, true}, {0, 3, false, false}},
          {0, 12, {0, 12, true, true}, {0, 3, false, false}},
          {0, 5, {0, 5, true, true}, {0, 12, true, false}},
          {0, 8, {0, 5, true, false}, {0, 8, true, true}},
          {0, 3, {0, 3, true, true}, {0, 8, true, false}},
          {0, 10, {0, 3, true, false}, {0, 10, true, true}}}},
        {"three hooks", 3, {0, 2, true, false}, {0, 0, false, false},
         {{0, 7, {0, 2, false, false}, {0, 7, true, true}},
          {1, 2, {1, 2, true, true}, {0, 7, true, false}},
          {0, 9, {1, 2, true, false}, {0, 9, true, true}}}},
        {"three hooks, side first", 3, {1, 4, true, false}, {0, 0, false, false},
         {{1, 0, {1, 0, true, true}, {0, 4, true, false}}}},
    };
    for (const Case& c : cases) {
        WorkingMode = 1;
        HooksNumber = static_cast<std::uint8_t>(c.hooks);
        Hook(0, c.start1.row, c.start1.hole, c.start1.placed, c.start1.active);
        Hook(1, c.start2.row, c.start2.hole, c.start2.placed, c.start2.active);
        for (const Click& k : c.clicks) {
            calls.clear();
            ConfigChanged = VbFalse;
            const auto before = Hooks();
            ClickHole(k.row, k.hole);
            EXPECT_EQ(Hooks(), std::make_pair(k.hook1, k.hook2)) << c.name << " " << k.row << "/" << k.hole;
            EXPECT_EQ(calls, ClickRecompute) << c.name;
            EXPECT_EQ(IsTrue(ConfigChanged), Hooks() != before) << c.name << " " << k.hole;
        }
    }
}

// Automatic mode with two hooks only chooses the row the mechanics search; with one or three hooks,
// or off every hole, a click does nothing at all.
TEST_F(MecViewWindow, AutomaticClicks)
{
    struct Case {
        int hooks, row, hole;
        bool acts;
        HookState hook1, hook2;
    } cases[] = {
        {2, 0, 6, true, {0, 9, true, false}, {0, 11, true, false}},
        {2, 1, 2, true, {1, 9, true, false}, {0, 11, false, false}},
        {1, 0, 6, false, {1, 9, true, false}, {0, 11, true, false}},
        {3, 1, 2, false, {1, 9, true, false}, {0, 11, true, false}},
        {2, 0, -1, false, {1, 9, true, false}, {0, 11, true, false}},
    };
    WorkingMode = 0;
    for (const Case& c : cases) {
        HooksNumber = static_cast<std::uint8_t>(c.hooks);
        Hook(0, 1, 9, true);
        Hook(1, 0, 11, true);
        calls.clear();
        ConfigChanged = VbFalse;
        Form_MecView& f = MecView();
        f.FocusedHook = static_cast<std::int16_t>(c.hole);
        f.FocusedHookRow = c.row;
        f.Anteprima_Flying_Bar_Click();
        EXPECT_EQ(Hooks(), std::make_pair(c.hook1, c.hook2)) << c.hooks << c.row;
        EXPECT_EQ(calls, c.acts ? ClickRecompute : Calls{}) << c.hooks << c.row;
        EXPECT_EQ(IsTrue(ConfigChanged), c.acts) << c.hooks << c.row;
    }
}

// A typed text that is no entry is put back to the entry at the remembered position; every typed
// text marks the project changed and asks for the deferred recomputation.
TEST_F(MecViewWindow, TypedTextFallsBack)
{
    struct Case {
        bool mode;
        int focusAt;
        const char* typed;
        const char* shown;
    } cases[] = {
        {false, 1, "4", "2"},        {false, 2, "2 ", "3"},   {false, 0, "02", "1"}, {false, 1, "3", "3"},
        {true, 1, "Man", "Manual"},  {true, 0, "auto", "Auto"}, {true, 1, "Auto", "Auto"},
    };
    Form_MecView& f = MecView();
    for (const Case& c : cases) {
        ComboList& list = c.mode ? f.Mode : f.Hooks_Num;
        SetTextQuietly(list, list.List(c.focusAt));
        f.ReverseModeOn.SetFocus();
        list.SetFocus();
        EXPECT_EQ(f.SavedListIndex, c.focusAt);
        ConfigChanged = TempConfigChange = SplRecalcPending = VbFalse;
        calls.clear();
        list.SetText(QString::fromUtf8(c.typed));
        EXPECT_EQ(list.Text(), QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_TRUE(IsTrue(ConfigChanged) && IsTrue(TempConfigChange) && IsTrue(SplRecalcPending)) << c.typed;
        EXPECT_EQ(f.SavedListIndex, list.ListIndex()) << c.typed;
        EXPECT_TRUE(calls.empty()) << c.typed;
    }
}

// Both lists share the remembered position: a position beyond the mode list puts back its first entry.
TEST_F(MecViewWindow, SharedPositionBeyondTheList)
{
    Form_MecView& f = MecView();
    SetTextQuietly(f.Hooks_Num, QStringLiteral("3"));
    f.Hooks_Num.SetFocus();
    ASSERT_EQ(f.SavedListIndex, 2);
    f.Mode.SetText(QStringLiteral("Semi"));
    EXPECT_EQ(f.Mode.Text(), QStringLiteral("Auto"));
    EXPECT_EQ(f.SavedListIndex, 0);
}

// Changing the mode's text switches the vertical view's Auto Splay by the mode in force.
TEST_F(MecViewWindow, ModeChangeSwitchesAutoSplay)
{
    Form_MecView& f = MecView();
    for (int mode : {1, 0}) {
        WorkingMode = mode;
        f.Mode.SetText(mode == 1 ? QStringLiteral("Manual") : QStringLiteral("Auto"));
        EXPECT_EQ(Principale().AutoConfigure.Enabled(), mode == 0);
    }
}

// Choosing an entry stores the setting, marks the project changed and recomputes; a text that is not
// an entry falls back to "Auto" and to "1".
TEST_F(MecViewWindow, ChoosingSettings)
{
    Form_MecView& f = MecView();
    struct Case {
        bool mode;
        const char* text;
        const char* shown;
        int value;
    } cases[] = {
        {true, "Manual", "Manual", 1}, {true, "Auto", "Auto", 0}, {true, "Semi", "Auto", 0}, {true, "", "Auto", 0},
        {false, "3", "3", 3},          {false, "2", "2", 2},      {false, "7", "1", 1},      {false, "x", "1", 1},
    };
    for (const Case& c : cases) {
        ComboList& list = c.mode ? f.Mode : f.Hooks_Num;
        SetTextQuietly(list, QString::fromUtf8(c.text));
        WorkingMode = c.mode ? 5 : WorkingMode;
        HooksNumber = c.mode ? HooksNumber : 0;
        ConfigChanged = TempConfigChange = VbFalse;
        calls.clear();
        if (c.mode)
            f.Mode_Click();
        else
            f.Hooks_Num_Click();
        EXPECT_EQ(list.Text(), QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(c.mode ? WorkingMode : HooksNumber, c.value) << c.text;
        EXPECT_EQ(f.SavedListIndex, list.ListIndex()) << c.text;
        EXPECT_TRUE(IsTrue(ConfigChanged));
        EXPECT_EQ(calls, SettingRecompute) << c.text;
        if (c.mode) {
            EXPECT_EQ(Principale().AutoConfigure.Enabled(), c.value == 0);
        }
    }
}

// Choosing one hook puts a hook that hung in the side row back into the central row, at hook 2's hole.
TEST_F(MecViewWindow, OneHookLeavesTheSideRow)
{
    struct Case {
        HookState start1, start2, end1, end2;
    } cases[] = {
        {{1, 2, true, true}, {0, 8, true, false}, {0, 8, true, true}, {0, 8, false, false}},
        {{0, 4, false, false}, {0, 8, true, true}, {0, 4, false, false}, {0, 8, false, true}},
    };
    Form_MecView& f = MecView();
    for (const Case& c : cases) {
        Hook(0, c.start1.row, c.start1.hole, c.start1.placed, c.start1.active);
        Hook(1, c.start2.row, c.start2.hole, c.start2.placed, c.start2.active);
        SetTextQuietly(f.Hooks_Num, QStringLiteral("2"));
        f.Hooks_Num.SetListIndex(0);
        EXPECT_EQ(Hooks(), std::make_pair(c.end1, c.end2));
        EXPECT_EQ(HooksNumber, 1);
    }
}

// Toggling reverse mode stores it, marks the project changed and recomputes; showing the stored
// settings of a project runs the same handlers but leaves the project unchanged.
TEST_F(MecViewWindow, ReverseModeAndStoredSettings)
{
    Form_MecView& f = MecView();
    f.ReverseModeOn.SetValue(1);
    EXPECT_TRUE(IsTrue(ReverseMode));
    EXPECT_TRUE(IsTrue(ConfigChanged));
    EXPECT_EQ(calls, SettingRecompute);
    f.ReverseModeOn.SetValue(0);
    EXPECT_FALSE(IsTrue(ReverseMode));

    struct Case {
        int mode, hooks;
        bool reverse;
        const char* modeText;
        const char* hooksText;
        bool changedBefore;
    } cases[] = {{1, 3, true, "Manual", "3", false}, {0, 2, false, "Auto", "2", true}, {7, 9, true, "Auto", "2", false}};
    for (const Case& c : cases) {
        WorkingMode = c.mode;
        HooksNumber = static_cast<std::uint8_t>(c.hooks);
        ReverseMode = ToVbBool(c.reverse);
        ConfigChanged = ToVbBool(c.changedBefore);
        calls.clear();
        f.LoadRiggingSettings();
        EXPECT_EQ(f.Mode.Text(), QString::fromUtf8(c.modeText));
        EXPECT_EQ(f.Hooks_Num.Text(), QString::fromUtf8(c.hooksText));
        EXPECT_EQ(f.ReverseModeOn.Value(), c.reverse ? 1 : 0);
        EXPECT_EQ(IsTrue(ReverseMode), c.reverse);
        EXPECT_EQ(IsTrue(ConfigChanged), c.changedBefore);
    }
}

// A click on the array picture goes back to the vertical view and recomputes nothing.
TEST_F(MecViewWindow, ClickOnTheArrayReturnsToTheVerticalView)
{
    MecViewHooks& h = MecViewCalls();
    h.ShowVerticalView = [this] { calls.push_back("show vertical"); };
    h.HideInstructions = [this] { calls.push_back("hide instructions"); };
    h.HidePrinterProperties = [this] { calls.push_back("hide printer properties"); };
    h.SwitchMnuVertical = [this](bool on) { calls.push_back(on ? "mnuVertical on" : "mnuVertical off"); };
    h.SwitchMnuMechanical = [this](bool on) { calls.push_back(on ? "mnuMechanical on" : "mnuMechanical off"); };
    h.SwitchMnuFilePrint = [this](bool on) { calls.push_back(on ? "mnuFilePrint on" : "mnuFilePrint off"); };
    h.SetFrameCaption = [this](const QString& c) { calls.push_back(c.toStdString()); };
    ProjectFileName = QStringLiteral("/home/a/show.lac");
    Form_MecView& f = MecView();
    f.Show();
    f.Anteprima_Cluster.Click();
    EXPECT_EQ(CurrentView, 0);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(calls, (Calls{"show vertical", "hide instructions", "mnuVertical off", "mnuMechanical on",
                            "Torvi - [Vertical View] - /home/a/show.lac", "hide printer properties", "mnuFilePrint off"}));
}
