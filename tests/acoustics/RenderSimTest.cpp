#include "acoustics/AcousticsFixture.h"
#include "acoustics/RenderSim.h"
#include "acoustics/modColor.h"
#include "platform/VbColor.h"

namespace {

using RenderTest = AcousticsTest;

std::int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST_F(RenderTest, HlsRoundTripMovesSomeColoursByAFewUnits)
{
    struct Case {
        int r, g, b;
        int h, s, l;
        int pr, pg, pb;
    };
    const Case cases[] = {
        {0, 0, 32, 159, 240, 15, 0, 0, 31},
        {0, 128, 160, 127, 240, 75, 0, 129, 159},
        {0, 255, 255, 119, 240, 120, 0, 255, 251},
        {0, 255, 127, 99, 240, 120, 0, 255, 123},
        {0, 255, 0, 79, 240, 120, 4, 255, 0},
        {128, 255, 0, 59, 240, 120, 132, 255, 0},
        {255, 255, 0, 39, 240, 120, 255, 249, 0},
        {255, 127, 0, 19, 240, 120, 255, 121, 0},
        {255, 0, 0, 0, 240, 120, 255, 0, 0},
        {128, 128, 128, 0, 0, 120, 127, 127, 127},
        {255, 255, 255, 0, 0, 240, 255, 255, 255},
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const HLSColor hls = RGBToHLS(std::int16_t(c.r), std::int16_t(c.g), std::int16_t(c.b));
        EXPECT_EQ(hls.H, c.h) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(hls.S, c.s) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(hls.L, c.l) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(HLSToRGBLong(hls.H, hls.S, hls.L), Rgb(c.pr, c.pg, c.pb)) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(PaintedColor({std::int16_t(c.r), std::int16_t(c.g), std::int16_t(c.b)}), Rgb(c.pr, c.pg, c.pb));
    }
}

TEST_F(RenderTest, HuesBetweenMagentaAndRedWrapBelow240)
{
    // h = (0 - 1/255) / 1 = -0.0039: h x 239 = -0.94 rounds to -1, -1 / 6 truncates to 0
    EXPECT_EQ(RGBToHLS(255, 0, 1).H, 0);
    // h = -1 / 2 (255, 0, 128): -119.5 rounds to -120, / 6 = -20, + 240 = 220
    EXPECT_EQ(RGBToHLS(255, 0, 128).H, 220);
    // Back: h = 220 / 239, blue at t = h - 1/3 = 0.5872 falls on the falling slope:
    // (2/3 - t) x 6 = 0.4770, x 255 = 121.6, so magenta comes back as (255, 0, 121).
    const RGBColor c = HLSToRGB(220, 240, 120);
    EXPECT_EQ(c.R, 255);
    EXPECT_EQ(c.G, 0);
    EXPECT_EQ(c.B, 121);
}

// SplScaleMax 120 and DeltaSpl 30: q = 750, floor 9000, T1 9750, T2 10500, T3 11250, top 12000.
TEST_F(RenderTest, SplRampRunsFromDarkBlueThroughCyanGreenAndYellowToRed)
{
    const SplRamp ramp = SetSplRamp();
    EXPECT_EQ(SplFloor, 9000);
    EXPECT_EQ(ramp.Q, 750);
    EXPECT_EQ(ramp.T1, 9750);
    EXPECT_EQ(ramp.T2, 10500);
    EXPECT_EQ(ramp.T3, 11250);
    EXPECT_EQ(ramp.Top, 12000);
    struct Case {
        double v;
        int r, g, b;
    };
    const Case cases[] = {
        {-32768, 0, 0, 32}, {8000, 0, 0, 32}, {9000, 0, 0, 32},
        {9375, 0, 128, 160},  // 127.5 rounds to 128
        {9749, 0, 255, 255}, {9750, 0, 255, 255}, {10125, 0, 255, 127}, {10500, 0, 255, 0},
        {10875, 128, 255, 0}, {11250, 255, 255, 0}, {11625, 255, 127, 0}, {12000, 255, 0, 0},
        {15000, 255, 0, 0}, {32535, 255, 0, 0},
    };
    for (const Case& c : cases) {
        const RGBColor rgb = SplRampRGB(c.v, ramp);
        EXPECT_EQ(rgb.R, c.r) << c.v;
        EXPECT_EQ(rgb.G, c.g) << c.v;
        EXPECT_EQ(rgb.B, c.b) << c.v;
    }
    SplScaleMax = 150;
    DeltaSpl = 60;
    EXPECT_EQ(SetSplRamp().Floor, 9000);
    EXPECT_EQ(SplFloor, 9000);
}

TEST_F(RenderTest, ColourBarRowsShowTheRampUpsideDown)
{
    struct Case {
        int y, q;
        int r, g, b;
    };
    const Case cases[] = {
        {0, 25, 255, 0, 0},     {12, 25, 255, 122, 0}, {25, 25, 255, 255, 0}, {37, 25, 133, 255, 0},
        {50, 25, 0, 255, 0},    {75, 25, 0, 255, 255}, {99, 25, 0, 10, 42},   {100, 25, 0, 0, 32},
        {140, 25, 0, 0, 32},    {26, 26, 255, 255, 0}, {96, 24, 0, 0, 32},
    };
    for (const Case& c : cases) {
        const RGBColor rgb = ScaleRowRGB(c.y, c.q);
        EXPECT_EQ(rgb.R, c.r) << c.y << "/" << c.q;
        EXPECT_EQ(rgb.G, c.g) << c.y << "/" << c.q;
        EXPECT_EQ(rgb.B, c.b) << c.y << "/" << c.q;
    }
}

TEST_F(RenderTest, ColourBarIsPaintedRowByRowAndItsPointerParksAtTheBottom)
{
    struct Case {
        int heightPx, q;
    };
    // Q is a quarter of the height, halves to even: 25.5 -> 26, 24.5 -> 24.
    for (const Case c : {Case{100, 25}, Case{102, 26}, Case{98, 24}}) {
        UnloadPrincipale();
        Form_PrincipaleControls& form = Principale();
        form.Scala.SetTop(1000);
        form.Scala.SetSize(10 * 15, c.heightPx * 15);
        form.ScalePointer.SetHeight(240);
        DrawColorScale();
        EXPECT_EQ(form.ScalePointer.Top(), 1000 + c.heightPx * 15 - 120);
        EXPECT_EQ(form.Scala.GetPixel(9, 0), Rgb(255, 0, 0));
        EXPECT_EQ(form.Scala.GetPixel(0, c.q), Rgb(255, 249, 0));
        EXPECT_EQ(form.Scala.GetPixel(5, 2 * c.q), Rgb(4, 255, 0));
        EXPECT_EQ(form.Scala.GetPixel(5, 3 * c.q), Rgb(0, 255, 251));
        EXPECT_EQ(form.Scala.GetPixel(5, c.heightPx - 1), PaintedColor(ScaleRowRGB(c.heightPx - 1, c.q)));
    }
    // The rows of a 100-pixel bar between the stops: (255, 122, 0) and (0, 10, 42) as painted.
    UnloadPrincipale();
    Principale().Scala.SetSize(150, 1500);
    DrawColorScale();
    EXPECT_EQ(Principale().Scala.GetPixel(3, 12), Rgb(255, 121, 0));
    EXPECT_EQ(Principale().Scala.GetPixel(3, 99), Rgb(0, 10, 40));
}

// A venue view 40 x 20 pixels, 24 m wide from -10 m; MaxX = 1 m puts the map's first column
// 12 m from the left edge: Wleft = 40 x 12 / 24 = 20 pixels and Wmap = 20.
class RenderMapTest : public AcousticsTest {
protected:
    void SetUp() override
    {
        AcousticsTest::SetUp();
        ArrayExtents.MaxX = 1;
        Picture& view = Principale().Diagramma_Area;
        view.SetBackColor(Rgb(1, 2, 3));
        view.SetSize(40 * 15, 20 * 15);
        view.Scale(-10, 9, 14, -1);
        Principale().Area[4].SetText(QStringLiteral("0"));
        view.Changed = [this] { ++refreshes; };
    }
    int refreshes = 0;
};

TEST_F(RenderMapTest, PixelsStretchTheComputedCellsOverTheMapsPartOfTheView)
{
    MapSize = {4, 10};
    for (int i = 0; i <= 4; ++i)
        for (int j = 0; j <= 10; ++j)
            SPLMap(i, j) = 8000;
    SPLMap(0, 0) = 12000;
    SPLMap(0, 1) = 9750;
    SPLMap(1, 2) = 11250;
    SPLMap(4, 10) = 10500;
    RenderSPLMap();
    const Picture& view = Principale().Diagramma_Area;
    struct Case {
        int x, y;
        std::int32_t colour;
    };
    const Case cases[] = {
        {20, 0, Rgb(255, 0, 0)},      // cell (0, 0)
        {21, 2, Rgb(255, 0, 0)},      // i = CInt(0.4) = 0, j = CInt(0.5) = 0
        {22, 0, Rgb(0, 255, 251)},    // j = 1
        {23, 3, Rgb(255, 249, 0)},    // i = CInt(0.6) = 1, j = CInt(1.5) = 2
        {39, 19, Rgb(4, 255, 0)},     // i = CInt(3.8) = 4, j = CInt(9.5) = 10
        {30, 10, Rgb(0, 0, 31)},      // floor level
        {19, 0, Rgb(1, 2, 3)},        // the stage and the array keep what was drawn there
    };
    for (const Case& c : cases)
        EXPECT_EQ(view.GetPixel(c.x, c.y), c.colour) << c.x << "," << c.y;
    EXPECT_EQ(SplFloor, 9000);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(svc->messages.empty());
}

TEST_F(RenderMapTest, AMapWithNoWidthIsReportedAndNothingIsPainted)
{
    Principale().Diagramma_Area.Scale(-10, 9, 2, -1);  // 12 m wide: Wleft = 40 x 12 / 12 = Wpx
    refreshes = 0;
    SplScaleMax = 110;
    RenderSPLMap();
    ASSERT_EQ(svc->messages.size(), 1u);
    EXPECT_EQ(svc->messages[0].text, QStringLiteral("Map Resolution Error!"));
    EXPECT_EQ(svc->messages[0].title, QStringLiteral("Unable to calculate SPL Map"));
    EXPECT_EQ(svc->messages[0].style, vbOKOnly | vbExclamation);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(SplFloor, 8000);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(Principale().Diagramma_Area.GetPixel(x, 5), Rgb(1, 2, 3)) << x;
}

TEST_F(RenderMapTest, AMapNarrowerThanHalfAPixelPaintsNothingQuietly)
{
    struct Case {
        const char* name;
        double scaleWidth;
    };
    // Wleft = 480 / width: 39.6 of the 40 pixels (Wmap 0.4), and a map beyond the right edge.
    for (const Case c : {Case{"0.4 pixel", 480.0 / 39.6}, Case{"beyond the edge", 10}}) {
        Principale().Diagramma_Area.Scale(-10, 9, -10 + c.scaleWidth, -1);
        refreshes = 0;
        RenderSPLMap();
        EXPECT_TRUE(svc->messages.empty()) << c.name;
        EXPECT_EQ(refreshes, 1) << c.name;
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(Principale().Diagramma_Area.GetPixel(x, 5), Rgb(1, 2, 3)) << c.name << " " << x;
    }
}

TEST_F(RenderMapTest, TheRaysOfTheBoxesInUseAreHidden)
{
    struct Case {
        const char* count;
        int hidden;
    };
    for (const Case c : {Case{"3", 3}, Case{"20", 16}, Case{"0", 0}}) {
        Form_PrincipaleControls& form = Principale();
        for (LineElement* ray : form.Raggio)
            ray->SetVisible(true);
        form.Area[4].SetText(QString::fromLatin1(c.count));
        RenderSPLMap();
        for (int r = 0; r < Form_PrincipaleControls::RowCount; ++r)
            EXPECT_EQ(form.Raggio[std::size_t(r)]->Visible(), r >= c.hidden) << c.count << " ray " << r;
    }
}

// The bar from twips 1000 to 4000, a pointer 240 twips high; the view's top edge at Z = 19 m and the
// map's first column at X = 2 m. Y = 18.69 lies 0.31 m below the top: row 3; X = 2.52: column 5.
class CursorTest : public AcousticsTest {
protected:
    void SetUp() override
    {
        AcousticsTest::SetUp();
        ArrayExtents.MaxX = 1;
        Form_PrincipaleControls& form = Principale();
        form.Scala.SetTop(1000);
        form.Scala.SetSize(300, 3000);
        form.ScalePointer.SetHeight(240);
        form.Diagramma_Area.SetSize(600, 300);
        form.Diagramma_Area.Scale(-10, 19, 30, -1);
        MapSize = {10, 10};
        SplMapValid = VbTrue;
    }
};

TEST_F(CursorTest, ThePointerShowsTheCellsLevelOnTheBar)
{
    struct Case {
        const char* name;
        std::int16_t level;
        float x, y;
        bool valid;
        int top;
    };
    const Case cases[] = {
        {"105 dB: half way", 10500, 2.52f, 18.69f, true, 2380},
        {"above the top", 13000, 2.52f, 18.69f, true, 880},
        {"below the floor", 8000, 2.52f, 18.69f, true, 3880},
        {"never written", 0, 2.52f, 18.69f, true, 3880},
        {"97.5 dB", 9750, 2.52f, 18.69f, true, 3130},
        {"no valid map", 10500, 2.52f, 18.69f, false, 3880},
        {"at the map's left edge", 10500, 2.0f, 18.69f, true, 3880},
        {"above the view's top", 10500, 2.52f, 19.5f, true, 3880},
        {"beyond the last column", 10500, 3.52f, 18.69f, true, 3880},
        {"below the last row", 10500, 2.52f, 17.69f, true, 3880},
    };
    for (const Case& c : cases) {
        SplMapValid = ToVbBool(c.valid);
        SPLMap(3, 5) = c.level;
        SPLMap(3, 15) = c.level;
        SPLMap(13, 5) = c.level;
        SPLMap(0, 5) = c.level;
        ShowSPLAtCursor(c.x, c.y);
        EXPECT_EQ(Principale().ScalePointer.Top(), c.top) << c.name;
    }
}

TEST_F(CursorTest, CellsOutsideTheGridLeaveThePointerAtTheBottom)
{
    MapSize = {3000, 8000};
    SPLMap(3000, 5) = 10500;
    ShowSPLAtCursor(2.52f, 19 - 300.0f);   // row 3000: the last one
    EXPECT_EQ(Principale().ScalePointer.Top(), 2380);
    ShowSPLAtCursor(2.52f, 19 - 300.2f);   // row 3002
    EXPECT_EQ(Principale().ScalePointer.Top(), 3880);
    ShowSPLAtCursor(802.6f, 18.69f);        // column 8006
    EXPECT_EQ(Principale().ScalePointer.Top(), 3880);
}

}
