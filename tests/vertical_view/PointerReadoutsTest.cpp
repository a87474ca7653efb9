#include "VenueFixture.h"
#include "vertical_view/PointerReadouts.h"

#include <vector>

namespace {

constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Red = 0x0000FF;

using PointerReadouts = VenueFixture;

QString Readout() { return Principale().Posizione_Mouse_Valore.Caption(); }

// Positions in the locale's decimals, "m ;" between them with no blank after the semicolon.
TEST_F(PointerReadouts, PositionTexts)
{
    EXPECT_EQ(Readout(), QStringLiteral("0.00m ; 0.00m"));
    struct Case {
        void (*move)(int, int, double, double);
        double x, y;
        const char* text;
    };
    const std::vector<Case> cases = {
        {AnteprimaClusterMouseMove, 0, 0, "0,00m ;0,00m"},
        {AnteprimaClusterMouseMove, 1.234, -0.5, "1,23m ;-0,50m"},
        {AnteprimaClusterMouseMove, 123.456, 7.005, "123,46m ;7,01m"},
        {DiagrammaAreaMouseMove, -5, 3.2, "-5,0m ;3,2m"},
        {DiagrammaAreaMouseMove, 41.26, 0.04, "41,3m ;0,0m"},
        {DiagrammaAreaMouseMove, 100000, -70000, "100000,0m ;-70000,0m"},
    };
    for (const Case& c : cases) {
        c.move(0, 0, c.x, c.y);
        EXPECT_EQ(Readout(), QString::fromLatin1(c.text)) << c.text;
    }
}

TEST_F(PointerReadouts, VenueMoveShowsColourLevelAndPointedArea)
{
    auto& f = Form();
    Picture& venue = f.Diagramma_Area;
    venue.SetBackColor(White);
    venue.Line(9.5, 4.5, 10.5, 5.5, Red, Picture::Box::Filled);
    f.Colore_Corrente.SetBackColor(0x123456);
    f.V_Pointer->SetVisible(true);
    f.H_Pointer->SetVisible(true);
    std::vector<std::pair<double, double>> levelsAsked;
    ViewHooks().ShowSPLAtCursor = [&](double x, double y) { levelsAsked.emplace_back(x, y); };

    struct Case {
        const char* what;
        double x, y;
        std::int32_t swatch;
        std::int16_t pointed;
    };
    // Colours are read at the whole-metre point below and left of the pointer.
    const std::vector<Case> cases = {
        {"in the red square", 10.3, 5.8, Red, -1},
        {"elsewhere in the same square", 10.9, 5.1, Red, -1},
        {"the next square", 11.2, 5.5, White, -1},
        {"outside the picture keeps the swatch", -20, 3, White, -1},
        {"on area 1", 20, 0.1, White, 0},
    };
    for (const Case& c : cases) {
        DiagrammaAreaMouseMove(0, 0, c.x, c.y);
        EXPECT_EQ(f.Colore_Corrente.BackColor(), c.swatch) << c.what;
        EXPECT_EQ(PointedStand, c.pointed) << c.what;
        EXPECT_FALSE(f.V_Pointer->Visible()) << c.what;
        EXPECT_FALSE(f.H_Pointer->Visible()) << c.what;
        ASSERT_FALSE(levelsAsked.empty());
        EXPECT_EQ(levelsAsked.back(), std::make_pair(c.x, c.y)) << c.what;
    }
    EXPECT_EQ(levelsAsked.size(), cases.size());
    EXPECT_EQ(f.PointedColor, White);
    DiagrammaAreaMouseMove(0, 0, -20, 3);
    EXPECT_EQ(f.PointedColor, -1);
}

// The pointer's fraction across the SPL diagram picks the same fraction of the selected listener
// line; the crosshair strokes reach 2 % of the venue view either side.
TEST_F(PointerReadouts, SplMovePlacesTheCrosshairOnTheListenerLine)
{
    auto& f = Form();
    const double dz = 0.02 * 46.30095108695652;
    const double dx = 0.02 * 86;
    struct Case {
        const char* what;
        std::int16_t area;
        bool areaOn;
        double scaleWidth;
        double x;
        double px, pz;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"middle of area 1", 0, true, 30, 15, 20, 1.75, "20,0m ;1,8m"},
        {"start of area 1", 0, true, 30, 0, 5, 1.75, "5,0m ;1,8m"},
        {"a listener line falling towards the back", 2, true, 10, 5, 60, 12.75, "60,0m ;12,8m"},
        {"a quarter along area 2", 1, true, 20, 5, 40, 2.75, "40,0m ;2,8m"},
        {"the selected area switched off", 1, false, 20, 5, 0, 0, "0,0m ;0,0m"},
    };
    PlaceLine(*f.Linea_Stand_Seats[2], 55, 13.75, 65, 11.75);
    for (const Case& c : cases) {
        SPL_SelectedAudience = c.area;
        f.Linea[c.area]->SetVisible(c.areaOn);
        f.Diagramma_SPL.SetScaleWidth(c.scaleWidth);
        DiagrammaSplMouseMove(0, 0, c.x, 100);
        EXPECT_TRUE(f.V_Pointer->Visible()) << c.what;
        EXPECT_TRUE(f.H_Pointer->Visible()) << c.what;
        EXPECT_DOUBLE_EQ(f.V_Pointer->X1(), c.px) << c.what;
        EXPECT_DOUBLE_EQ(f.V_Pointer->X2(), c.px) << c.what;
        EXPECT_DOUBLE_EQ(f.V_Pointer->Y1(), c.pz + dz) << c.what;
        EXPECT_DOUBLE_EQ(f.V_Pointer->Y2(), c.pz - dz) << c.what;
        EXPECT_DOUBLE_EQ(f.H_Pointer->X1(), c.px - dx) << c.what;
        EXPECT_DOUBLE_EQ(f.H_Pointer->X2(), c.px + dx) << c.what;
        EXPECT_DOUBLE_EQ(f.H_Pointer->Y1(), c.pz) << c.what;
        EXPECT_DOUBLE_EQ(f.H_Pointer->Y2(), c.pz) << c.what;
        EXPECT_DOUBLE_EQ(f.SPL_Pointer->X1(), c.x) << c.what;
        EXPECT_DOUBLE_EQ(f.SPL_Pointer->Y1(), 0) << c.what;
        EXPECT_DOUBLE_EQ(f.SPL_Pointer->X2(), c.x) << c.what;
        EXPECT_DOUBLE_EQ(f.SPL_Pointer->Y2(), 2400) << c.what;
        EXPECT_EQ(Readout(), QString::fromLatin1(c.text)) << c.what;
    }
}

} // namespace
