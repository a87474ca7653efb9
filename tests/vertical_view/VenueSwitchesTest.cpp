#include "VenuePanelFixture.h"

#include <functional>
#include <optional>

namespace {

constexpr double K = 0.5383831521739131;
constexpr std::int32_t White = 0xFFFFFF;
constexpr std::int32_t Red = 255;

using VenueSwitchesTest = VenuePanelFixture;

void Switch(int k) { Principale().Elemento_Venue_Pulsante[std::size_t(k)].RaiseClick(); }

} // namespace

// A switch refits the view when the area switched off alone bounded it, or when the area switched on
// reaches past it; otherwise the view stays.
TEST_F(VenueSwitchesTest, SwitchRefits)
{
    struct Case {
        std::string name;
        std::function<void()> steps;
        int area;
        bool on;
        double maxX;
        int maxZ;
        double scaleWidth;
    };
    const std::vector<Case> cases = {
        {"off, alone at the top of a height-bound view",
         [] {
             Edit(3, 3, "60");
             Switch(3);
         },
         3, false, 66, 13, 76},
        {"off, sharing the top with another area",
         [] {
             Edit(3, 3, "60");
             Edit(2, 3, "60");
             Switch(3);
         },
         3, false, 76, 61, 62 / K},
        {"off, alone at the right of a width-bound view", [] { Switch(3); }, 3, false, 66, 13, 76},
        {"off, inside the view", [] { Switch(0); }, 0, false, 76, 21, 86},
        {"on, beyond the right edge",
         [] {
             Switch(3);
             Edit(3, 2, "120");
             Switch(3);
         },
         3, true, 121, 21, 131},
        {"on, inside the view",
         [] {
             Switch(0);
             Switch(0);
         },
         0, true, 76, 21, 86},
    };
    for (const Case& c : cases) {
        SetUp();
        c.steps();
        const auto i = std::size_t(c.area);
        EXPECT_EQ(Form().Elemento_Venue_Pulsante[i].Caption(), c.on ? "On" : "Off") << c.name;
        EXPECT_EQ(Form().Linea[i]->Visible(), c.on) << c.name;
        EXPECT_EQ(Form().Linea_Stand_Seats[i]->Visible(), c.on) << c.name;
        EXPECT_EQ(VenueMaxX, c.maxX) << c.name;
        EXPECT_EQ(VenueMaxZ, c.maxZ) << c.name;
        EXPECT_NEAR(Form().Diagramma_Area.ScaleWidth(), c.scaleWidth, 1e-9) << c.name;
        EXPECT_EQ(ConfigChanged, VbTrue) << c.name;
        EXPECT_EQ(TempConfigChange, VbTrue) << c.name;
    }
}

// Every switch ends by leaving the X start of all four areas: each is rounded, placed and its curve
// recomputed.
TEST_F(VenueSwitchesTest, SwitchLeavesAllFourAreas)
{
    WriteArea(0, {"5,4", "0", "35", "0"});
    WriteArea(3, {"55", "16,5", "75", "20"});
    Switch(1);
    EXPECT_EQ(AreaTexts(0), (std::vector<QString>{"5", "0", "35", "0"}));
    EXPECT_EQ(AreaTexts(3), (std::vector<QString>{"55", "16", "75", "20"}));
    EXPECT_EQ(Form().splRedraws, 4);
    EXPECT_TRUE(svc->messages.empty());
}

// The listener line stands 1.75 m above the area line and sits 1.2 m above it; any caption but
// "Stand" turns into "Stand".
TEST_F(VenueSwitchesTest, StandAndSeatsHeights)
{
    struct Case {
        QString before;
        QString after;
        double h;
    };
    const std::vector<Case> cases = {{"Stand", "Seats", 1.2}, {"Seats", "Stand", 1.75}, {"seats", "Stand", 1.75}};
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        f.Stand_Seats[1].SetCaption(c.before);
        f.Stand_Seats[1].RaiseClick();
        EXPECT_EQ(f.Stand_Seats[1].Caption(), c.after) << c.before.toStdString();
        EXPECT_EQ(Ends(*f.Linea_Stand_Seats[1]), (std::array<double, 4>{35, 0 + c.h, 55, 4 + c.h})) << c.before.toStdString();
        EXPECT_EQ(ConfigChanged, VbTrue);
        EXPECT_EQ(TempConfigChange, VbTrue);
        // The curve keeps its values until it is next recomputed.
        EXPECT_EQ(f.splRedraws, 0);
    }
}

// A colour picked in the shared dialog recolours the area's outline and listener line (or the stage)
// and marks the project changed; a cancel changes nothing. The dialog opens on the last colour it gave.
TEST_F(VenueSwitchesTest, Colours)
{
    struct Case {
        std::string name;
        int swatch;  // area 0..3, or -1 for the stage
        std::optional<std::int32_t> answer;
    };
    const std::vector<Case> cases = {
        {"area 2", 1, 0x123456}, {"area 4", 3, 0x00FF00}, {"stage", -1, 0x0000FF}, {"cancelled", 2, std::nullopt},
        {"stage cancelled", -1, std::nullopt},
    };
    for (const Case& c : cases) {
        SetUp();
        auto& f = Form();
        f.Colori.Color = 0x777777;
        svc->colorAnswers.push_back(c.answer);
        if (c.swatch >= 0)
            f.Elemento_Venue_Colore[std::size_t(c.swatch)].RaiseClick();
        else
            f.Stage_color.RaiseClick();
        ASSERT_EQ(svc->colorRequests, std::vector<std::int32_t>{0x777777}) << c.name;
        EXPECT_EQ(ConfigChanged, c.answer ? VbTrue : VbFalse) << c.name;
        EXPECT_EQ(TempConfigChange, VbFalse) << c.name;
        EXPECT_EQ(SplRecalcPending, VbFalse) << c.name;
        if (c.swatch >= 0) {
            const auto i = std::size_t(c.swatch);
            const std::int32_t designed[] = {0x800000, 0xC0, 0x8000, 0x4040};
            const std::int32_t colour = c.answer.value_or(designed[i]);
            EXPECT_EQ(f.Elemento_Venue_Colore[i].BackColor(), colour) << c.name;
            EXPECT_EQ(f.Linea[i]->BorderColor(), colour) << c.name;
            EXPECT_EQ(f.Linea_Stand_Seats[i]->BorderColor(), colour) << c.name;
        } else {
            const std::int32_t colour = c.answer.value_or(static_cast<std::int32_t>(0x80000007));
            EXPECT_EQ(f.Stage_color.BackColor(), colour) << c.name;
            EXPECT_EQ(f.Linea_stage[0]->BorderColor(), colour) << c.name;
            EXPECT_EQ(f.Linea_stage[1]->BorderColor(), colour) << c.name;
        }
        EXPECT_TRUE(svc->messages.empty()) << c.name;
    }
}

TEST_F(VenueSwitchesTest, ColourDialogOpensOnTheLastPick)
{
    svc->colorAnswers = {0x123456, std::nullopt, 0x654321};
    Form().Elemento_Venue_Colore[0].RaiseClick();
    Form().Stage_color.RaiseClick();
    Form().Elemento_Venue_Colore[3].RaiseClick();
    EXPECT_EQ(svc->colorRequests, (std::vector<std::int32_t>{0, 0x123456, 0x123456}));
    EXPECT_EQ(Form().Colori.Color, 0x654321);
}

// Clicking an area's number, or its outline in the venue view, selects it for the SPL curve: the
// curve follows at the timer's next tick, the numbers turn white with the selected one red, and the
// SPL diagram spans the area. The selected area again, an area that is off, or no area do nothing.
TEST_F(VenueSwitchesTest, SelectingTheCurvesArea)
{
    struct Case {
        std::string name;
        std::function<void()> click;
        int selected;
        bool follows;
    };
    const std::vector<Case> cases = {
        {"number 3", [] { Principale().Label_spalto[2].RaiseClick(); }, 2, true},
        {"number 1, already selected", [] { Principale().Label_spalto[0].RaiseClick(); }, 0, false},
        {"number 4, off",
         [] {
             Principale().Linea[3]->SetVisible(false);
             Principale().Label_spalto[3].RaiseClick();
         },
         0, false},
        {"outline 2",
         [] {
             PointedStand = 1;
             Principale().Diagramma_Area.Click();
         },
         1, true},
        {"no outline",
         [] {
             PointedStand = -1;
             Principale().Diagramma_Area.Click();
         },
         0, false},
    };
    const double lengths[] = {30, 20, 10, 20};
    for (const Case& c : cases) {
        SetUp();
        c.click();
        EXPECT_EQ(SPL_SelectedAudience, c.selected) << c.name;
        EXPECT_EQ(VenueSplRecalcPending, c.follows ? VbTrue : VbFalse) << c.name;
        if (c.follows) {
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(Form().Label_spalto[std::size_t(k)].ForeColor(), k == c.selected ? Red : White) << c.name << k;
            EXPECT_EQ(Form().Diagramma_SPL.ScaleWidth(), lengths[c.selected]) << c.name;
        } else {
            EXPECT_NE(Form().Label_spalto[std::size_t(c.selected)].ForeColor(), Red) << c.name;
        }
    }
}
