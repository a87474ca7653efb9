#include "vertical_view/Form_Principale.h"
#include "core/Settings.h"
#include "mechanics/Geometry.h"
#include "mechanics/MechanicsHooks.h"
#include "mechanics/Mechanics.h"
#include "mechanics/TestModules.h"
#include "platform/FakeServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace testmodules;

namespace {

class CountingPrincipale : public Form_Principale {
public:
    void DrawArrayInVenue() override { ++draws; }
    int draws = 0;
};

CountingPrincipale& Form() { return static_cast<CountingPrincipale&>(Principale()); }

// A window with n LA12 boxes under the bar at (2, 10), every row offering the LA12 splay angles,
// straight at angle 0 with the rows' splays given, and the change flags cleared.
class VerticalViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrincipaleFactory([] { return std::make_unique<CountingPrincipale>(); });
        UnloadPrincipale();
        LoadTestModules();
        MecHooks() = {};
        PreviousValue = 0;
    }
    void TearDown() override
    {
        UnloadPrincipale();
        SetPrincipaleFactory(nullptr);
    }

    static void Build(int n, const std::vector<QString>& splays = {})
    {
        auto& form = Form();
        form.Area[0].SetText("2");
        form.Area[1].SetText("10");
        form.Area[4].SetText(QString::number(n));
        form.Angolo[0].AddItem("0");
        form.Angolo[0].SetText("0");
        for (int i = 0; i < 16; ++i) {
            form.Tipo[std::size_t(i)].SetText("LA12");
            if (i > 0)
                FillSplayList(form.Angolo[std::size_t(i)], Modules[1]);
        }
        for (std::size_t i = 0; i < splays.size(); ++i)
            form.Angolo[i + 1].SetText(splays[i]);
        form.Position[0].SetText("0");
        form.UpdateBoxPositions(1);
        CalculateArrayGeometry();
        ClearFlags();
    }

    static void ClearFlags()
    {
        ConfigChanged = VbFalse;
        TempConfigChange = VbFalse;
        SplRecalcPending = VbFalse;
        Form().draws = 0;
    }

    static std::vector<QString> Positions(int n)
    {
        std::vector<QString> p;
        for (int i = 0; i < n; ++i)
            p.push_back(Form().Position[std::size_t(i)].Text());
        return p;
    }

    static std::vector<QString> Splays(int n)
    {
        std::vector<QString> s;
        for (int i = 0; i < n; ++i)
            s.push_back(Form().Angolo[std::size_t(i)].Text());
        return s;
    }

    static void ShowAudience(int k, double x1, double z1, double x2, double z2)
    {
        LineElement* l = Form().Linea[std::size_t(k)];
        l->SetX1(x1);
        l->SetY1(z1);
        l->SetX2(x2);
        l->SetY2(z2);
        l->SetVisible(true);
    }

    static void HideAudiences()
    {
        for (LineElement* l : Form().Linea)
            l->SetVisible(false);
    }
};

using Texts = std::vector<QString>;

} // namespace

TEST(VerticalViewInstall, PrincipaleBecomesTheVerticalView)
{
    InstallVerticalView();
    UnloadPrincipale();
    EXPECT_NE(dynamic_cast<Form_Principale*>(&Principale()), nullptr);
    EXPECT_EQ(Principale().AutoConfigure.Caption(), "Auto Splay");
    UnloadPrincipale();
    SetPrincipaleFactory(nullptr);
}

// Typing into the array-angle field: a valid angle becomes ArrayTilt and the spinner's tenths, row 0
// aims at it and the rows below follow their splays, and the geometry follows at once; an invalid one
// shows the range message and comes back from the spinner; a lone "-" waits.
TEST_F(VerticalViewTest, ArrayAngleField)
{
    struct Case {
        QString typed;
        QString text;
        double tilt;
        int spinner;
        Texts positions;
        int messages;
    };
    // Rows 1 and 2 splay by 1 and 2 degrees; the field starts at an accepted 5.
    const std::vector<Case> cases = {
        {"12,3", "12,3", 12.3, -123, {"12,3", "11,3", "9,3"}, 0},
        {"-12,3", "-12,3", -12.3, 123, {"-12,3", "-13,3", "-15,3"}, 0},
        // Pasted in one change: the spinner moves to R(-123.4) = -123 and writes 12.3 back.
        {"12,34", "12,3", 12.3, -123, {"12,3", "11,3", "9,3"}, 0},
        {"60", "60", 60, -600, {"60", "59", "57"}, 0},
        {"61", "5", 5, -50, {"5", "4", "2"}, 1},
        {"-60,5", "5", 5, -50, {"5", "4", "2"}, 1},
        {"abc", "5", 5, -50, {"5", "4", "2"}, 1},
        {"-", "-", 5, -50, {"5", "4", "2"}, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        ScopedFakeServices svc;
        Build(3, {"1", "2"});
        auto& form = Form();
        form.Area[3].SetText("5");
        ClearFlags();
        form.Area[3].SetText(c.typed);
        EXPECT_EQ(form.Area[3].Text(), c.text) << c.typed.toStdString();
        EXPECT_EQ(ArrayTilt, c.tilt) << c.typed.toStdString();
        EXPECT_EQ(form.VScroll_Area[3].Value(), c.spinner) << c.typed.toStdString();
        EXPECT_EQ(Positions(3), c.positions) << c.typed.toStdString();
        ASSERT_EQ(int(svc->messages.size()), c.messages) << c.typed.toStdString();
        if (c.messages) {
            EXPECT_EQ(svc->messages[0].text, "Please insert a value from -60 to 60!");
            EXPECT_EQ(svc->messages[0].title, "Invalid data insert");
            EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation);
        }
        EXPECT_EQ(ConfigChanged, VbTrue) << c.typed.toStdString();
        EXPECT_EQ(TempConfigChange, VbTrue) << c.typed.toStdString();
        EXPECT_EQ(SplRecalcPending, VbTrue) << c.typed.toStdString();
        EXPECT_GE(form.draws, 1) << c.typed.toStdString();
        // The bar is drawn at the accepted angle: its back-top lies FL (cos a, sin a) behind.
        EXPECT_NEAR(ClusterCorners[0][3], 2 - std::cos(c.tilt * DegToRad), 1e-12) << c.typed.toStdString();
    }
}

// Each row aims at the row above minus its splay, both taken in tenths rounded half to even.
TEST_F(VerticalViewTest, BoxPositionsFollowTheRowAbove)
{
    struct Case {
        QString top;
        Texts splays;
        Texts positions;
    };
    const std::vector<Case> cases = {
        // -10.5 rounds to -10: (-10 - 25) / 10.
        {"-1,05", {"2,5", "0"}, {"-1,05", "-3,5", "-3,5"}},
        {"12,3", {"1", "2"}, {"12,3", "11,3", "9,3"}},
        {"0,25", {"0", "0"}, {"0,25", "0,2", "0,2"}},
        {"0,35", {"0", "0"}, {"0,35", "0,4", "0,4"}},
        {"-60", {"12", "12"}, {"-60", "-72", "-84"}},
    };
    for (const Case& c : cases) {
        SetUp();
        Build(3, c.splays);
        const Texts before = Positions(3);
        Form().Position[0].SetText(c.top);
        Form().UpdateBoxPositions(0);
        EXPECT_EQ(Positions(3)[1], before[1]) << c.top.toStdString();
        Form().UpdateBoxPositions(1);
        EXPECT_EQ(Positions(3), c.positions) << c.top.toStdString();
    }
}

// A typed splay that is not an entry comes back as the entry at the window's remembered position (or
// the first entry when that position lies outside this list); the rows below are re-aimed.
TEST_F(VerticalViewTest, SplayTextRestoredFromTheRememberedEntry)
{
    struct Case {
        int remembered;
        QString typed;
        QString text;
        int rememberedAfter;
        QString row1;
    };
    // LA12 entries: 0, 1, 2, 2.5, 3, 4, 5, 6, 7, 8, 10, 12.
    const std::vector<Case> cases = {
        {3, "9", "2,5", 3, "-2,5"},
        {11, "9", "12", 11, "-12"},
        {12, "9", "0", 0, "0"},
        {40, "9", "0", 0, "0"},
        {-1, "9", "0", 0, "0"},
        {0, "4", "4", 5, "-4"},
    };
    for (const Case& c : cases) {
        SetUp();
        Build(3, {"1", "0"});
        PreviousValue = std::int16_t(c.remembered);
        Form().Angolo[1].SetText(c.typed);
        EXPECT_EQ(Form().Angolo[1].Text(), c.text) << c.remembered;
        EXPECT_EQ(PreviousValue, c.rememberedAfter) << c.remembered;
        EXPECT_EQ(Positions(3)[1], c.row1) << c.remembered;
        EXPECT_EQ(Positions(3)[2], c.row1) << c.remembered;
        EXPECT_EQ(ConfigChanged, VbTrue);
        EXPECT_EQ(TempConfigChange, VbTrue);
        EXPECT_EQ(SplRecalcPending, VbTrue);
        EXPECT_GE(Form().draws, 1);
    }

    // A list without entries holds no angle to restore: the text empties and counts as 0.
    SetUp();
    Build(3, {"1", "0"});
    Form().Angolo[1].Clear();
    Form().Angolo[1].SetText("7");
    EXPECT_EQ(Form().Angolo[1].Text(), "");
    EXPECT_EQ(Positions(3)[1], "0");
}

// Picking an entry re-aims the rows below; the top row's splay aims nothing.
TEST_F(VerticalViewTest, SplayPickedFromTheList)
{
    Build(3, {"1", "2"});
    Form().Angolo[1].SetListIndex(4);
    EXPECT_EQ(Form().Angolo[1].Text(), "3");
    EXPECT_EQ(PreviousValue, 4);
    EXPECT_EQ(Positions(3), (Texts{"0", "-3", "-5"}));
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_EQ(Form().draws, 1);

    ClearFlags();
    Form().Angolo_Click(0);
    EXPECT_EQ(Positions(3), (Texts{"0", "-3", "-5"}));
    EXPECT_EQ(Form().draws, 1);
}

// Manual rigging writes the hanging angle once; the geometry that the write brings about gives the
// same angle again, so the next recomputation writes nothing.
TEST_F(VerticalViewTest, ManualTiltConvergesAfterOneWrite)
{
    Build(2, {"0"});
    WorkingMode = 1;
    HooksNumber = 1;
    FlyingBarHooks[0] = {0, 0, VbTrue, VbFalse};
    UpdateMechanics();
    auto& form = Form();
    EXPECT_EQ(form.Area[3].Text(), "28,1");
    EXPECT_EQ(ArrayTilt, 28.1);
    EXPECT_EQ(form.VScroll_Area[3].Value(), -281);
    EXPECT_EQ(Positions(2), (Texts{"28,1", "28,1"}));
    EXPECT_NEAR(ClusterCorners[0][3], 2 - std::cos(28.1 * DegToRad), 1e-12);
    EXPECT_EQ(ConfigChanged, VbTrue);
    EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);
    EXPECT_FALSE(form.Area[3].Enabled());

    // The timer's recomputation after the edits pause.
    ClearFlags();
    CalculateArrayGeometry();
    UpdateMechanics();
    EXPECT_EQ(form.Area[3].Text(), "28,1");
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_EQ(form.draws, 1);
    EXPECT_EQ(ImpossibleMechanicalConfig, VbFalse);
    EXPECT_EQ(HookLoad[0], 120);
}

// One audience line 8 m ahead of the array: the array is straightened, aimed 3 degrees above the
// line's far end and splayed down towards its near end, whatever it held before.
//
// Top box front-top (2, 9.89): the far end (40, 6) has m = -3.89 / 38 = -0.102368 and correction
// 0.2 / (42^2 + 15.89^2)^0.5 = 0.004454, so A1 = atan(-0.097915) = -5.592 and T = -2.592, written
// -2.6. The near end (10, 2) seen from box 4's front-top (2, 8.66) gives A2 = atan(-0.8325) = -39.777;
// step = 2 x (-2.592 + 39.777) / 30 = 2.479: joints ask 2.479, 4.958, 7.437, 9.916 and take 2, 5, 7, 10.
TEST_F(VerticalViewTest, AutoSplayOneAudienceLine)
{
    for (bool startStraight : {true, false}) {
        SetUp();
        Build(5, {"0", "0", "0", "0"});
        HideAudiences();
        ShowAudience(0, 10, 2, 40, 6);
        if (!startStraight) {
            Form().Area[3].SetText("7");
            for (int i = 1; i < 5; ++i)
                Form().Angolo[std::size_t(i)].SetText("3");
        }
        Form().AutoConfigure.RaiseClick();
        EXPECT_EQ(Form().Area[3].Text(), "-2,6") << startStraight;
        EXPECT_EQ(ArrayTilt, -2.6) << startStraight;
        EXPECT_EQ(Splays(5), (Texts{"0", "2", "5", "7", "10"})) << startStraight;
        EXPECT_EQ(Positions(5), (Texts{"-2,6", "-4,6", "-9,6", "-16,6", "-26,6"})) << startStraight;
    }
}

// Two lines: one rising straight above the top box (code 3: A1 = 90, tilt clamped at 60) and one
// starting straight below the second-lowest box (code 3 going down: A2 = -90). Over 15 boxes the step
// is 2 x (60 + 90) / 240 = 1.25: joints ask 1.25, 2.5, ..., 17.5 and take the nearest whole entries,
// the lower one on a tie (2.5 takes 2, 7.5 takes 7) and the last (12) once every entry lies below.
TEST_F(VerticalViewTest, AutoSplayTwoAudienceLinesClampedAt60)
{
    Build(15);
    HideAudiences();
    ShowAudience(0, 2, 20, 10, 20);
    ShowAudience(1, 2, 1, 30, 2);
    Form().AutoConfigure.RaiseClick();
    EXPECT_EQ(Form().Area[3].Text(), "60");
    EXPECT_EQ(Form().VScroll_Area[3].Value(), -600);
    EXPECT_EQ(Splays(15),
              (Texts{"0", "1", "2", "4", "5", "6", "7", "8", "10", "12", "12", "12", "12", "12", "12"}));
    EXPECT_EQ(Positions(15), (Texts{"60", "59", "57", "53", "48", "42", "35", "27", "17", "5", "-7", "-19", "-31",
                                    "-43", "-55"}));
}

// Every area off: the array is only straightened.
TEST_F(VerticalViewTest, AutoSplayWithEveryAreaOff)
{
    Build(4, {"3", "3", "3"});
    Form().Area[3].SetText("5");
    HideAudiences();
    Form().AutoConfigure.RaiseClick();
    EXPECT_EQ(Form().Area[3].Text(), "0");
    EXPECT_EQ(ArrayTilt, 0);
    EXPECT_EQ(Splays(4), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ(Positions(4), (Texts{"0", "0", "0", "0"}));
}

// Manual rigging: the button changes nothing.
TEST_F(VerticalViewTest, AutoSplayInManualMode)
{
    Build(3, {"3", "3"});
    Form().Area[3].SetText("5");
    ShowAudience(0, 10, 2, 40, 6);
    WorkingMode = 1;
    ClearFlags();
    Form().AutoConfigure.RaiseClick();
    EXPECT_EQ(Form().Area[3].Text(), "5");
    EXPECT_EQ(Splays(3), (Texts{"0", "3", "3"}));
    EXPECT_EQ(ConfigChanged, VbFalse);
    EXPECT_EQ(Form().draws, 0);
}

// One box: the angle is set from the top box's view, no splay list below is written.
TEST_F(VerticalViewTest, AutoSplayOneBox)
{
    Build(1);
    Form().Angolo[1].SetText("3");
    HideAudiences();
    ShowAudience(2, 10, 2, 40, 6);
    Form().AutoConfigure.RaiseClick();
    EXPECT_EQ(Form().Area[3].Text(), "-2,6");
    EXPECT_EQ(Form().Angolo[1].Text(), "3");
}
