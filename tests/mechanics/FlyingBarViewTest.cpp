#include "MecViewFixture.h"
#include "mechanics/MecViewDrawing.h"
#include "platform/VbColor.h"

namespace {

constexpr std::int32_t Black = 0x000000;
constexpr std::int32_t White = 0xFFFFFF;

std::int32_t PixelAt(const Picture& pic, double x, double y)
{
    return VbFromRgb(pic.Image().pixel(pic.PixelX(x), pic.PixelY(y)));
}

} // namespace

using FlyingBarView = MecViewFixture;

// Each rigging writes its own load texts; the second text starts 500 twips right of the first. The
// first text is shown whenever loads are written, also after the blinking of an impossible
// configuration left it hidden; the impossible text leaves its visibility to the blinking.
TEST_F(FlyingBarView, HookLoadTexts)
{
    struct Case {
        int hooks;
        bool impossible;
        bool hook2Placed;
        const char* first;
        const char* second;  // nullptr: hidden
        bool firstVisible;
    } cases[] = {
        {1, false, false, "250 kg on selected hook", nullptr, true},
        {2, false, false, "250 kg on each side hook", nullptr, true},
        {2, false, true, "250 kg on hook 3", "180 kg on hook 7", true},
        {3, false, true, "250 kg on each side hook", "180 kg on central hook", true},
        {1, true, false, "Impossible mechanical configuration!", nullptr, false},
        {2, true, true, "Impossible mechanical configuration!", nullptr, false},
        {3, true, true, "Impossible mechanical configuration!", nullptr, false},
    };
    for (const Case& c : cases) {
        HooksNumber = static_cast<std::uint8_t>(c.hooks);
        ImpossibleMechanicalConfig = ToVbBool(c.impossible);
        HookLoad = {250, 180};
        Hook(0, 0, 2, true);
        Hook(1, 0, 6, c.hook2Placed);
        Form_MecView& f = MecView();
        f.Label_Weight_Hook[0].SetVisible(false);
        f.Label_Weight_Hook[1].SetVisible(true);
        UpdateMecView();
        const Label& l0 = f.Label_Weight_Hook[0];
        const Label& l1 = f.Label_Weight_Hook[1];
        EXPECT_EQ(l0.Caption(), QString::fromUtf8(c.first)) << c.first;
        EXPECT_EQ(l0.Visible(), c.firstVisible) << c.first;
        EXPECT_EQ(l0.Left(), 200);
        EXPECT_EQ(l0.Top(), static_cast<int>(RoundHalfEven(375 / 2.0 - l0.Height() / 2.0)));
        EXPECT_EQ(l1.Visible(), c.second != nullptr) << c.first;
        if (c.second) {
            EXPECT_EQ(l1.Caption(), QString::fromUtf8(c.second));
            EXPECT_EQ(l1.Left(), l0.Left() + l0.Width() + 500);
            EXPECT_EQ(l1.Top(), l0.Top());
            EXPECT_GT(l0.Width(), 0);
        }
        EXPECT_FALSE(IsTrue(CoGOutOfBar));
    }
}

// With the centre of gravity beyond an end of the bar, a rigging that hangs from one line across the
// bar needs a bottom strap: the warning replaces the loads.
TEST_F(FlyingBarView, BottomStrapWarning)
{
    const QString strap = QStringLiteral("This configuration requires an additional bottom strap!");
    struct Case {
        double yc;
        int hooks;
        int hook1Row;
        bool hook2Placed;
        const char* first;
    } cases[] = {
        {1050, 1, 0, false, nullptr},
        {-50, 1, 0, false, nullptr},
        {1050, 2, 1, false, nullptr},
        {-80, 2, 1, false, nullptr},
        {1050, 2, 0, true, "40 kg on hook 3"},
        {1050, 3, 1, true, "40 kg on each side hook"},
        {500, 1, 0, false, "40 kg on selected hook"},
    };
    for (const Case& c : cases) {
        SystemCoG.X = CoGXForLine(c.yc);
        HooksNumber = static_cast<std::uint8_t>(c.hooks);
        HookLoad = {40, 60};
        Hook(0, c.hook1Row, 2, true);
        Hook(1, 0, 6, c.hook2Placed);
        Form_MecView& f = MecView();
        f.Label_Weight_Hook[0].SetVisible(false);
        UpdateMecView();
        EXPECT_EQ(f.Label_Weight_Hook[0].Caption(), c.first ? QString::fromUtf8(c.first) : strap) << c.yc;
        EXPECT_TRUE(f.Label_Weight_Hook[0].Visible()) << c.yc;
        EXPECT_EQ(f.Label_Weight_Hook[0].Left(), 200);
        if (!c.first) {
            EXPECT_FALSE(f.Label_Weight_Hook[1].Visible()) << c.yc;
        }
    }
}

// The line lies yc millimetres down the bar; 50 mm beyond either end counts as out of the bar, and
// the arrow then points away from that end with its tip 50 mm beyond it.
TEST_F(FlyingBarView, OutOfBarThresholds)
{
    struct Case {
        double yc;
        bool out;
        double tip;  // y of the arrow's tip
    } cases[] = {{1050, true, 1050}, {1049, false, 0}, {-50, true, -50}, {-49, false, 0}, {500, false, 0},
                 {1200, true, 1050}, {-300, true, -50}};
    for (const Case& c : cases) {
        SystemCoG.X = CoGXForLine(c.yc);
        CoGOutOfBar = ToVbBool(!c.out);
        UpdateMecView();
        const Form_MecView& f = MecView();
        EXPECT_EQ(IsTrue(CoGOutOfBar), c.out) << c.yc;
        EXPECT_DOUBLE_EQ(f.MecView_CoG_Line.Y1(), c.yc);
        EXPECT_DOUBLE_EQ(f.MecView_CoG_Line.Y2(), c.yc);
        EXPECT_DOUBLE_EQ(f.MecView_CoG_Line.X1(), f.Anteprima_Flying_Bar.ScaleLeft());
        EXPECT_DOUBLE_EQ(f.MecView_CoG_Line.X2(), f.Anteprima_Flying_Bar.ScaleWidth());
        EXPECT_EQ(f.MecView_CoG_Line.BorderColor(), 0xFF00);
        if (c.out) {
            const double s = f.Anteprima_Flying_Bar.ScaleWidth() / 64;
            const double base = c.tip > 0 ? 1000 : 0;
            const double dir = c.tip > 0 ? 1 : -1;
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[1]->X2(), 100) << c.yc;
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[1]->Y2(), c.tip) << c.yc;
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[3]->Y2(), c.tip) << c.yc;
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[0]->X1(), 100 - s);
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[0]->Y1(), base);
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[2]->Y2(), base + dir * 37.5);
            EXPECT_DOUBLE_EQ(f.LineCoGOutOfBar[3]->X1(), 100 + 2 * s);
            EXPECT_DOUBLE_EQ(f.LabelFBarCog.Left(), 100 + 2 * s);
            EXPECT_DOUBLE_EQ(f.LabelFBarCog.Top(), base + dir * 25 - f.LabelFBarCog.Height() / 2);
        }
    }
}

// Millimetres with a 50 mm margin: centred across when the length governs, filling the picture
// (unequal axes) when the width does.
TEST_F(FlyingBarView, Scale)
{
    struct Case {
        int length, width;
        double left, top, scaleWidth, scaleHeight;
    } cases[] = {
        {1000, 200, -(4500.0 / 7125 * 1100 - 200) / 2, -50, 4500.0 / 7125 * 1100, 1100},
        {100, 200, -50, -50, 300, 200},
    };
    for (const Case& c : cases) {
        Modules[Bar].FLen = static_cast<std::int16_t>(c.length);
        Modules[Bar].FY_Len = static_cast<std::int16_t>(c.width);
        UpdateMecView();
        const Picture& pic = MecView().Anteprima_Flying_Bar;
        EXPECT_NEAR(pic.ScaleLeft(), c.left, 1e-9);
        EXPECT_NEAR(pic.ScaleTop(), c.top, 1e-9);
        EXPECT_NEAR(pic.ScaleWidth(), c.scaleWidth, 1e-9);
        EXPECT_NEAR(pic.ScaleHeight(), c.scaleHeight, 1e-9);
    }
}

// Holes are numbered from 1, each number's right edge touching its circle; holes that carry a hook
// are filled. Numbers beyond a row's count are hidden.
TEST_F(FlyingBarView, HolesAndHooks)
{
    HooksNumber = 3;
    Hook(0, 1, 1, true);
    Hook(1, 0, 3, true);
    UpdateMecView();
    const Form_MecView& f = MecView();
    const Picture& pic = f.Anteprima_Flying_Bar;
    for (int i = 0; i < Form_MecView::HoleLabelCount; ++i) {
        EXPECT_EQ(f.LabelCentral[i]->Visible(), i < 15) << i;
        EXPECT_EQ(f.LabelSide1[i]->Visible(), i < 3) << i;
        EXPECT_EQ(f.LabelSide2[i]->Visible(), i < 3) << i;
    }
    EXPECT_EQ(f.LabelCentral[3]->Caption(), QStringLiteral("4"));
    EXPECT_EQ(f.LabelSide1[1]->Caption(), QStringLiteral("2"));
    EXPECT_EQ(f.LabelSide2[1]->Caption(), QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(f.LabelSide2[1]->Left() + f.LabelSide2[1]->Width(), 150);

    EXPECT_EQ(PixelAt(pic, 100, 240), Black);   // central hook, hole 4
    EXPECT_EQ(PixelAt(pic, 100, 300), White);   // hole 5, free
    EXPECT_EQ(PixelAt(pic, 40, 500), Black);    // the side pair at position 2, both circles
    EXPECT_EQ(PixelAt(pic, 160, 500), Black);
    EXPECT_EQ(PixelAt(pic, 40, 150), White);
    EXPECT_EQ(PixelAt(pic, 100, 120), White);   // hole 2: hook 1 is in the side row

    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(f.PicHooksLine[k]->Visible());
    EXPECT_EQ(f.PicHooksLine[3]->BorderColor(), 0xFF0000);
    EXPECT_DOUBLE_EQ(f.PicHooksLine[1]->Y1(), 1000);
    EXPECT_DOUBLE_EQ(f.PicHooksLine[1]->X2(), 200);
}

// A bar without length or width, with no horizontal span, or of a module that is not loaded is not
// drawn and has no centre of gravity beyond its ends; the loads are still written. A bar without
// holes is drawn without them.
TEST_F(FlyingBarView, BarsThatCannotBeDrawn)
{
    UpdateMecView();
    struct Case {
        const char* name;
        std::int16_t length, width;
        double backX;
        const char* type;
        bool drawn;
    } cases[] = {
        {"no length", 0, 200, -0.375, "TB12", false},
        {"no width", 1000, 0, -0.375, "TB12", false},
        {"negative length", -10, 200, -0.375, "TB12", false},
        {"no span", 1000, 200, 1.125, "TB12", false},
        {"not loaded", 1000, 200, -0.375, "XYZ", false},
        {"no holes", 1000, 200, -0.375, "TB12", true},
    };
    for (const Case& c : cases) {
        Modules[Bar].FLen = c.length;
        Modules[Bar].FY_Len = c.width;
        Modules[Bar].FCHoleCount = 0;
        Modules[Bar].FSHoleCount = 0;
        ClusterCorners[0][3] = c.backX;
        Principale().Tipo[0].SetText(QString::fromUtf8(c.type));
        SystemCoG.X = 5;
        CoGOutOfBar = VbTrue;
        HookLoad = {90, 0};
        UpdateMecView();
        const Form_MecView& f = MecView();
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(f.PicHooksLine[k]->Visible(), c.drawn) << c.name;
        for (int i = 0; i < Form_MecView::HoleLabelCount; ++i) {
            EXPECT_FALSE(f.LabelCentral[i]->Visible()) << c.name;
            EXPECT_FALSE(f.LabelSide1[i]->Visible()) << c.name;
        }
        EXPECT_EQ(IsTrue(CoGOutOfBar), c.drawn) << c.name;
        EXPECT_EQ(f.Label_Weight_Hook[0].Caption(),
                  c.drawn ? QStringLiteral("This configuration requires an additional bottom strap!")
                          : QStringLiteral("90 kg on selected hook"))
            << c.name;
    }
}

// Counts beyond the 60 positions a record holds draw 60 holes.
TEST_F(FlyingBarView, HoleCountsBeyondTheRecord)
{
    Modules[Bar].FCHoleCount = 255;
    Modules[Bar].FSHoleCount = 61;
    UpdateMecView();
    const Form_MecView& f = MecView();
    EXPECT_TRUE(f.LabelCentral[59]->Visible());
    EXPECT_EQ(f.LabelCentral[59]->Caption(), QStringLiteral("60"));
    EXPECT_TRUE(f.LabelSide2[59]->Visible());
}
