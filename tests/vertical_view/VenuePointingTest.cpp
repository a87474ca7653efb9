#include "VenueFixture.h"
#include "vertical_view/VenuePointing.h"

#include <vector>

namespace {

constexpr std::int32_t Yellow = 0xFFFF;
constexpr std::int32_t AreaColors[4] = {0x800000, 0xC0, 0x8000, 0x4040};
constexpr std::int32_t ListenerColor = 0x123456;

class VenuePointing : public VenueFixture {
protected:
    void SetUp() override
    {
        VenueFixture::SetUp();
        for (int k = 0; k < 4; ++k) {
            Form().Elemento_Venue_Colore[k].SetBackColor(AreaColors[k]);
            Form().Elemento_Venue_Pulsante[k].SetCaption(QStringLiteral("On"));
            Form().Linea_Stand_Seats[k]->SetBorderColor(ListenerColor);
        }
        RestoreVenueElementColors();
        // A threshold of exactly 1 m.
        VenueMaxX = 100;
    }

    static std::vector<std::int32_t> OutlineColors()
    {
        std::vector<std::int32_t> colors;
        for (const LineElement* l : Form().Linea)
            colors.push_back(l->BorderColor());
        return colors;
    }
};

TEST_F(VenuePointing, TheNearestLowestOutlineWithinAHundredthOfTheVenueIsPointed)
{
    struct Case {
        const char* what;
        double x, y;
        std::int16_t pointed;
    };
    const std::vector<Case> cases = {
        {"on area 1", 20, 0, 0},
        {"just inside the threshold above area 1", 20, 0.999, 0},
        {"exactly at the threshold above area 1", 20, 1.0, -1},
        {"where areas 1 and 2 meet", 35, 0.1, 0},
        {"on area 2 only", 45, 2, 1},
        {"just past the end of area 3", 65.5, 12.5, 2},
        {"under area 4's start", 55, 15.2, 3},
        {"between areas 3 and 4", 60, 14, -1},
        {"on the stage", -5, 3, -1},
    };
    for (const Case& c : cases) {
        PointedStand = 2;
        FindVenueElementAt(c.x, c.y);
        EXPECT_EQ(PointedStand, c.pointed) << c.what;
        std::vector<std::int32_t> expected(AreaColors, AreaColors + 4);
        if (c.pointed >= 0)
            expected[c.pointed] = Yellow;
        EXPECT_EQ(OutlineColors(), expected) << c.what;
    }
}

TEST_F(VenuePointing, AHiddenOutlineIsNeverPointed)
{
    Form().Linea[0]->SetVisible(false);
    FindVenueElementAt(20, 0);
    EXPECT_EQ(PointedStand, -1);
    // Where areas 1 and 2 meet, the visible area 2 is found instead.
    FindVenueElementAt(35, 0);
    EXPECT_EQ(PointedStand, 1);
}

TEST_F(VenuePointing, MovingFromOneOutlineOntoAnotherLeavesOnlyTheSecondYellow)
{
    FindVenueElementAt(20, 0);
    EXPECT_EQ(OutlineColors(), (std::vector<std::int32_t>{Yellow, 0xC0, 0x8000, 0x4040}));
    FindVenueElementAt(60, 11);
    EXPECT_EQ(PointedStand, 2);
    EXPECT_EQ(OutlineColors(), (std::vector<std::int32_t>{0x800000, 0xC0, Yellow, 0x4040}));
    for (const LineElement* l : Form().Linea_Stand_Seats)
        EXPECT_EQ(l->BorderColor(), ListenerColor);
    FindVenueElementAt(60, 14);
    EXPECT_EQ(PointedStand, -1);
    EXPECT_EQ(OutlineColors(), (std::vector<std::int32_t>(AreaColors, AreaColors + 4)));
}

TEST_F(VenuePointing, HighlightAndRestore)
{
    PointedStand = 3;
    HighlightPointedVenueElement();
    EXPECT_EQ(OutlineColors(), (std::vector<std::int32_t>{0x800000, 0xC0, 0x8000, Yellow}));
    EXPECT_EQ(Form().Linea_Stand_Seats[3]->BorderColor(), ListenerColor);
    Form().Elemento_Venue_Colore[3].SetBackColor(0xFF00FF);
    RestoreVenueElementColors();
    EXPECT_EQ(OutlineColors(), (std::vector<std::int32_t>{0x800000, 0xC0, 0x8000, 0xFF00FF}));
    // No area pointed: nothing to highlight.
    PointedStand = -1;
    HighlightPointedVenueElement();
    EXPECT_EQ(OutlineColors(), (std::vector<std::int32_t>{0x800000, 0xC0, 0x8000, 0xFF00FF}));
}

// Only the exact caption "Off" hides an area's outline and listener line.
TEST_F(VenuePointing, VisibilityFollowsTheSwitchCaption)
{
    struct Case {
        const char* caption;
        bool visible;
    };
    const std::vector<Case> cases = {{"Off", false}, {"On", true}, {"off", true}, {"", true}, {"Off", false}};
    for (const Case& c : cases) {
        Form().Elemento_Venue_Pulsante[2].SetCaption(QString::fromLatin1(c.caption));
        ApplyVenueElementVisibility(2);
        EXPECT_EQ(Form().Linea[2]->Visible(), c.visible) << c.caption;
        EXPECT_EQ(Form().Linea_Stand_Seats[2]->Visible(), c.visible) << c.caption;
        EXPECT_TRUE(Form().Linea[1]->Visible());
        EXPECT_TRUE(Form().Linea[3]->Visible());
    }
    ApplyVenueElementVisibility(4);
    ApplyVenueElementVisibility(-1);
}

} // namespace
