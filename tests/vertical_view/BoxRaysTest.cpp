#include "VenueFixture.h"
#include "vertical_view/BoxRays.h"

#include <cmath>
#include <vector>

namespace {

constexpr double Top = 45.30095108695652;  // the starting venue's top edge; the right edge is X = 76
constexpr double DegreesToRadians = 0.017453292519943278;

class BoxRays : public VenueFixture {
protected:
    // Box row `row` with the middle of its front face at (x, z), aimed at `angle`.
    static void PlaceBox(int row, double x, double z, const QString& angle)
    {
        ClusterCorners[row][0] = x;
        ClusterCorners[row][1] = x;
        ClusterCorners[row][4] = z + 0.4;
        ClusterCorners[row][5] = z - 0.4;
        // The back corners lie behind the front; the ray never reads them.
        ClusterCorners[row][2] = x - 1;
        ClusterCorners[row][3] = x - 1;
        Form().Position[row - 1].SetText(angle);
    }
};

struct RayCase {
    const char* what;
    double x0, z0;
    const char* angle;
    bool visible;
    double x2, z2;
};

void ExpectRay(const LineElement& ray, const RayCase& c)
{
    EXPECT_EQ(ray.Visible(), c.visible) << c.what;
    if (!c.visible)
        return;
    EXPECT_DOUBLE_EQ(ray.X1(), c.x0) << c.what;
    EXPECT_DOUBLE_EQ(ray.Y1(), c.z0) << c.what;
    EXPECT_NEAR(ray.X2(), c.x2, 1e-9) << c.what;
    EXPECT_NEAR(ray.Y2(), c.z2, 1e-9) << c.what;
    EXPECT_EQ(ray.BorderColor(), 0x4080FF) << c.what;
}

// The starting venue: area 1 (5,0)-(35,0), area 2 (35,0)-(55,4), area 3 (55,10)-(65,12), area 4
// (55,16)-(75,20), all visible; the view runs from X -10 to 76 and from Z -1 to 45.3.
TEST_F(BoxRays, EndsOnTheNearestAudienceLineOrTheViewEdge)
{
    const std::vector<RayCase> cases = {
        {"straight down, nothing below", 2, 10, "-90", true, 2, -1},
        {"straight down onto area 1", 20, 10, "-90", true, 20, 0},
        {"45 degrees down onto area 1", 2, 10, "-45", true, 12, 0},
        {"level onto area 3", 2, 11, "0", true, 60, 11},
        {"level through area 3's first end, which does not count", 2, 10, "0", true, 76, 10},
        {"shallow, over every area to the right edge", 2, 10, "-5", true, 76,
         10 - std::tan(5 * DegreesToRadians) * 74},
        {"45 degrees up, held at the top edge", 2, 10, "45", true, Top - 8, Top},
        {"down and back, held at the bottom edge", 2, 10, "-135", true, -9, -1},
        {"level backwards to the left edge", 2, 10, "-180", true, -10, 10},
        {"upright the long way round, to the top edge", 2, 10, "-270", true, 2, Top},
        {"above 90 degrees meets nothing and runs to the top", 20, 10, "100", true,
         20 + (Top - 10) / std::tan(100 * DegreesToRadians), Top},
        {"level from right of the view", 80, 10, "0", false, 0, 0},
        {"upwards from above the top edge", 2, 50, "10", false, 0, 0},
        {"downwards from below the bottom edge", 2, -2, "-10", false, 0, 0},
        {"straight down from left of the view", -11, 10, "-90", false, 0, 0},
    };
    for (const RayCase& c : cases) {
        PlaceBox(3, c.x0, c.z0, QString::fromLatin1(c.angle));
        DrawBoxRay(3);
        ExpectRay(*Form().Raggio[2], c);
    }
}

TEST_F(BoxRays, WithEveryAreaOffRaysRunToTheViewEdge)
{
    for (LineElement* l : Form().Linea)
        l->SetVisible(false);
    const std::vector<RayCase> cases = {
        {"10 degrees down, held at the bottom edge", 2, 10, "-10", true,
         2 + 11 / std::tan(10 * DegreesToRadians), -1},
        {"straight down", 20, 10, "-90", true, 20, -1},
        {"level", 2, 11, "0", true, 76, 11},
    };
    for (const RayCase& c : cases) {
        PlaceBox(1, c.x0, c.z0, QString::fromLatin1(c.angle));
        DrawBoxRay(1);
        ExpectRay(*Form().Raggio[0], c);
    }
}

// Audience ends count in whole metres, halves to even; a line whose ends round to one X, or to a
// single point, is not met (the ray passes on) rather than dividing by zero.
TEST_F(BoxRays, AudienceEndsInWholeMetres)
{
    struct Case {
        const char* what;
        double lx1, lz1, lx2, lz2;
        double x0, z0;
        const char* angle;
        double x2, z2;
    };
    const std::vector<Case> cases = {
        {"10.5 to 20.5 is 10 to 20: 20.2 passes", 10.5, 2, 20.5, 2, 20.2, 10, "-90", 20.2, 0},
        {"11.5 to 21.5 is 12 to 22: 21.8 hits", 11.5, 2, 21.5, 2, 21.8, 10, "-90", 21.8, 2},
        {"11.5 to 21.5 is 12 to 22: 11.8 passes", 11.5, 2, 21.5, 2, 11.8, 10, "-90", 11.8, 0},
        {"ends round to one X: the upright ray passes", 19.6, 5, 20.4, 8, 20, 10, "-90", 20, 0},
        {"ends round to one point: the sloping ray passes", 19.6, 5.2, 20.4, 4.8, 15, 10, "-45", 25, 0},
    };
    for (const Case& c : cases) {
        PlaceLine(*Form().Linea[2], c.lx1, c.lz1, c.lx2, c.lz2);
        PlaceBox(2, c.x0, c.z0, QString::fromLatin1(c.angle));
        DrawBoxRay(2);
        ExpectRay(*Form().Raggio[1], RayCase{c.what, c.x0, c.z0, c.angle, true, c.x2, c.z2});
    }
}

// A full turn down or more is written back as the whole angle modulo 360, sign kept, even far
// beyond 16 bits; the ray then follows the rewritten angle.
TEST_F(BoxRays, AnglesOfAFullTurnDownAreRewritten)
{
    struct Case {
        const char* text;
        const char* rewritten;
    };
    const std::vector<Case> cases = {
        {"-365", "-5"}, {"-370", "-10"}, {"-360", "0"}, {"-725,4", "-5"}, {"-359", "-359"},
        {"-90", "-90"}, {"-40000", "-40"}, {"-1000000", "-280"},
    };
    for (const Case& c : cases) {
        PlaceBox(1, 2, 10, QString::fromLatin1(c.rewritten));
        DrawBoxRay(1);
        const LineElement& ray = *Form().Raggio[0];
        const double x2 = ray.X2(), z2 = ray.Y2();
        const bool visible = ray.Visible();

        PlaceBox(1, 2, 10, QString::fromLatin1(c.text));
        EXPECT_NO_THROW(DrawBoxRay(1)) << c.text;
        EXPECT_EQ(Form().Position[0].Text(), QString::fromLatin1(c.rewritten)) << c.text;
        EXPECT_EQ(ray.Visible(), visible) << c.text;
        EXPECT_DOUBLE_EQ(ray.X2(), x2) << c.text;
        EXPECT_DOUBLE_EQ(ray.Y2(), z2) << c.text;
    }
    // -365 aims 5 degrees down over every area to the right edge.
    PlaceBox(1, 2, 10, QStringLiteral("-365"));
    DrawBoxRay(1);
    EXPECT_NEAR(Form().Raggio[0]->Y2(), 10 - std::tan(5 * DegreesToRadians) * 74, 1e-9);
}

TEST_F(BoxRays, AModuleWithoutAnAcousticBoxHasNoRay)
{
    Modules[1].Model = QStringLiteral("Sub");
    Modules[1].BoxType = 101;
    Modules[2].Model = QStringLiteral("Top");
    Modules[2].BoxType = 100;
    ModuleCount = 3;
    struct Case {
        const char* model;
        bool visible;
    };
    const std::vector<Case> cases = {{"Sub", false}, {"Top", true}, {"Unknown", true}, {"Sub", false}};
    for (const Case& c : cases) {
        Form().Tipo[0].SetText(QString::fromLatin1(c.model));
        PlaceBox(1, 2, 10, QStringLiteral("-45"));
        DrawBoxRay(1);
        EXPECT_EQ(Form().Raggio[0]->Visible(), c.visible) << c.model;
    }
}

TEST_F(BoxRays, RowsOutsideTheArrayAreLeftAlone)
{
    for (LineElement* r : Form().Raggio)
        r->SetVisible(false);
    for (const std::int16_t row : {0, -1, 17, 18, 26, 32767})
        EXPECT_NO_THROW(DrawBoxRay(row)) << row;
    for (const LineElement* r : Form().Raggio)
        EXPECT_FALSE(r->Visible());
}

} // namespace
