#include "mechanics/Geometry.h"
#include "mechanics/TestModules.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>
#include <vector>

using namespace testmodules;

namespace {

// The window of these tests counts its redraws and records what the results held at that moment.
class RecordingWindow : public Form_PrincipaleControls {
public:
    void DrawArrayInVenue() override
    {
        ++draws;
        weightAtDraw = ArrayWeight;
        cogAtDraw = SystemCoG;
        hole0AtDraw = HoleX1[0];
    }
    int draws = 0;
    int weightAtDraw = 0;
    PointXZ cogAtDraw;
    double hole0AtDraw = 0;
};

RecordingWindow& Window() { return static_cast<RecordingWindow&>(Principale()); }

class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrincipaleFactory([] { return std::make_unique<RecordingWindow>(); });
        UnloadPrincipale();
        LoadTestModules();
    }
    void TearDown() override
    {
        UnloadPrincipale();
        SetPrincipaleFactory(nullptr);
    }
};

constexpr double Tol = 1e-9;

using Row = std::array<double, 8>;

void ExpectRow(int r, const Row& expected, const char* name)
{
    for (int c = 0; c < 8; ++c)
        EXPECT_NEAR(ClusterCorners[r][c], expected[std::size_t(c)], Tol) << name << " row " << r << " column " << c;
}

// The arrays used by several tests, with their corners worked out from the module sizes:
// - straight: bar at (2, 10), array angle 0, two LA12 boxes at 0 degrees;
// - reverse: as straight with one box, box 1 hanging from the bar's back;
// - mixed: LA12 over the rectangular LB8;
// - tilted: array angle 30, the boxes at 30 and 25 degrees.
struct ArrayCase {
    const char* name;
    std::function<void()> setup;
};

const ArrayCase Straight{"straight", [] { SetArray(2, 10, 0, {"LA12", "LA12"}, {"0", "0"}); }};
const ArrayCase Reverse{"reverse", [] {
                            SetArray(2, 10, 0, {"LA12"}, {"0"});
                            ReverseMode = VbTrue;
                        }};
const ArrayCase Mixed{"mixed", [] { SetArray(2, 10, 0, {"LA12", "LB8"}, {"0", "0"}); }};
const ArrayCase Tilted{"tilted", [] { SetArray(2, 10, 30, {"LA12", "LA12"}, {"30", "25"}); }};

} // namespace

// Corners: bar FL deep and FF high turned by the array angle; each box 10 mm below the corner above
// along its own front, its back face centred on the front face.
TEST_F(GeometryTest, CornersOfBarAndBoxes)
{
    struct Case {
        ArrayCase array;
        std::vector<Row> rows;  // FT.x FB.x BB.x BT.x FT.z FB.z BB.z BT.z
    };
    const std::vector<Case> cases = {
        {Straight,
         {{2, 2, 1, 1, 10, 9.9, 9.9, 10},
          {2, 2, 1.4, 1.4, 9.89, 9.49, 9.59, 9.79},
          {2, 2, 1.4, 1.4, 9.48, 9.08, 9.18, 9.38}}},
        // Box 1 starts 50 mm behind the bar's back-bottom and 10 mm below it.
        {Reverse, {{2, 2, 1, 1, 10, 9.9, 9.9, 10}, {1.05, 1.05, 0.45, 0.45, 9.89, 9.49, 9.59, 9.79}}},
        // Equal front and rear make a rectangle.
        {Mixed,
         {{2, 2, 1, 1, 10, 9.9, 9.9, 10},
          {2, 2, 1.4, 1.4, 9.89, 9.49, 9.59, 9.79},
          {2, 2, 1.5, 1.5, 9.48, 9.18, 9.18, 9.48}}},
        // sin 30 = 0.5, cos 30 = 0.866025403784; sin 25 = 0.422618261741, cos 25 = 0.906307787037.
        {Tilted,
         {{2, 2.05, 1.183974596216, 1.133974596216, 10, 9.913397459622, 9.413397459622, 9.5},
          {2.055, 2.255, 1.685384757729, 1.585384757729, 9.904737205584, 9.55832704407, 9.344929584448,
           9.518134665205},
          {2.259226182617, 2.428273487314, 1.842226988918, 1.757703336569, 9.5492639662, 9.186740851385,
           9.023800673044, 9.205062230451}}},
    };
    for (const Case& c : cases) {
        SetUp();
        c.array.setup();
        CalculateArrayGeometry();
        for (std::size_t r = 0; r < c.rows.size(); ++r)
            ExpectRow(int(r), c.rows[r], c.array.name);
    }
}

// Only rows 0..N are written; a count above 16 keeps N at 16 and row 17 is never touched.
TEST_F(GeometryTest, RowsBeyondTheBoxCountKeepTheirValues)
{
    struct Case {
        const char* count;
        int firstUntouched;
    };
    const std::vector<Case> cases = {{"2", 3}, {"16", 17}, {"20", 17}};
    for (const Case& c : cases) {
        SetUp();
        SetArray(2, 10, 0, std::vector<QString>(16, "LA12"), std::vector<QString>(16, "0"));
        Principale().Area[4].SetText(c.count);
        for (int r = 0; r < 18; ++r)
            ClusterCorners[r][0] = 777;
        CalculateArrayGeometry();
        for (int r = 0; r < 18; ++r)
            EXPECT_EQ(ClusterCorners[r][0] == 777, r >= c.firstUntouched) << c.count << " row " << r;
    }
}

// Each extreme keeps the other coordinate of its corner; of equal extremes the first one met stays.
TEST_F(GeometryTest, ExtentsWithTheirTies)
{
    struct Case {
        ArrayCase array;
        ArrayExtentsType expected;
    };
    const std::vector<Case> cases = {
        // MaxX: the boxes' fronts tie with the bar's front-top, which stays. MinX: the bar's back
        // corners tie and the back-bottom is taken. MaxZ: the bar's top corners tie and the back-top
        // is taken. MinZ: the last box's front-bottom.
        {Straight, {2, 10, 1, 9.9, 10, 1, 9.08, 2}},
        {Reverse, {2, 10, 0.45, 9.59, 10, 1, 9.49, 1.05}},
        {Mixed, {2, 10, 1, 9.9, 10, 1, 9.18, 1.5}},
        {Tilted,
         {2.428273487314, 9.186740851385, 1.133974596216, 9.5, 10, 2, 9.023800673044, 1.842226988918}},
    };
    for (const Case& c : cases) {
        SetUp();
        c.array.setup();
        CalculateArrayGeometry();
        const ArrayExtentsType& e = ArrayExtents;
        const ArrayExtentsType& x = c.expected;
        EXPECT_NEAR(e.MaxX, x.MaxX, Tol) << c.array.name;
        EXPECT_NEAR(e.ZAtMaxX, x.ZAtMaxX, Tol) << c.array.name;
        EXPECT_NEAR(e.MinX, x.MinX, Tol) << c.array.name;
        EXPECT_NEAR(e.ZAtMinX, x.ZAtMinX, Tol) << c.array.name;
        EXPECT_NEAR(e.MaxZ, x.MaxZ, Tol) << c.array.name;
        EXPECT_NEAR(e.XAtMaxZ, x.XAtMaxZ, Tol) << c.array.name;
        EXPECT_NEAR(e.MinZ, x.MinZ, Tol) << c.array.name;
        EXPECT_NEAR(e.XAtMinZ, x.XAtMinZ, Tol) << c.array.name;
    }
}

// The bar counts once; the label shows the whole kilograms and " Kg".
TEST_F(GeometryTest, WeightAndItsLabel)
{
    struct Case {
        const char* name;
        std::function<void()> setup;
        int weight;
        QString label;
    };
    const std::vector<Case> cases = {
        {"30 + 2 x 45", Straight.setup, 120, "120 Kg"},
        {"30 + 45", Reverse.setup, 75, "75 Kg"},
        {"30 + 45 + 30", Mixed.setup, 105, "105 Kg"},
        {"16 boxes", [] { SetArray(2, 10, 0, std::vector<QString>(16, "LA12"), std::vector<QString>(16, "0")); },
         750, "750 Kg"},
        // A name missing from the library is the empty record 0.
        {"unknown box", [] { SetArray(2, 10, 0, {"LA12", "XX"}, {"0", "0"}); }, 75, "75 Kg"},
        // Heavy boxes summed wide: 16 x 2000 + 700 kg is exact, beyond 32767 kg it stops there.
        {"32700 kg",
         [] {
             Modules[1].Weight = 2000;
             Modules[1].FWeight = 700;
             SetArray(2, 10, 0, std::vector<QString>(16, "LA12"), std::vector<QString>(16, "0"));
         },
         32700, "32700 Kg"},
        {"beyond 16 bits",
         [] {
             Modules[1].Weight = 30000;
             SetArray(2, 10, 0, {"LA12", "LA12"}, {"0", "0"});
         },
         32767, "32767 Kg"},
    };
    for (const Case& c : cases) {
        SetUp();
        c.setup();
        CalculateArrayGeometry();
        EXPECT_EQ(ArrayWeight, c.weight) << c.name;
        EXPECT_EQ(Principale().Peso_Cluster_Valore.Caption(), c.label) << c.name;
    }
}

// Weighted mean of the bar and the boxes, each element's centre of gravity cx back and cz down from
// its front-top at its own angle; the label shows two decimals with the locale's separator.
TEST_F(GeometryTest, CentreOfGravityAndItsLabel)
{
    struct Case {
        const char* name;
        std::function<void()> setup;
        PointXZ cog;
        QString label;
    };
    const std::vector<Case> cases = {
        // (1.5 x 30 + 1.75 x 90) / 120 = 1.6875; (9.95 x 30 + 9.69 x 45 + 9.28 x 45) / 120 = 9.60125.
        {"straight", Straight.setup, {1.6875, 9.60125}, "1,69m ;9,60m"},
        {"reverse", Reverse.setup, {1.08, 9.794}, "1,08m ;9,79m"},
        {"mixed", Mixed.setup, {1.6928571428571428, 9.661428571428571}, "1,69m ;9,66m"},
        {"tilted", Tilted.setup, {1.9188717759995477, 9.502504670521654}, "1,92m ;9,50m"},
        {"below zero", [] { SetArray(1.8125, 0.15, 0, {"LA12", "LA12"}, {"0", "0"}); }, {1.5, -0.24875},
         "1,50m ;-0,25m"},
        // A count above 16 weighs the 16 boxes in use, no more.
        {"count 20",
         [] {
             SetArray(2, 10, 0, std::vector<QString>(16, "LA12"), std::vector<QString>(16, "0"));
             Principale().Area[4].SetText("20");
         },
         {1.74, 6.7484}, "1,74m ;6,75m"},
        // Nothing weighs anything: the bar's front-top.
        {"no weight",
         [] {
             Modules[1].Weight = 0;
             Modules[1].FWeight = 0;
             SetArray(2, 10, 0, {"LA12", "LA12"}, {"0", "0"});
         },
         {2, 10}, "2,00m ;10,00m"},
        {"no module", [] { SetArray(-3, 12, 0, {"XX"}, {"0"}); }, {-3, 12}, "-3,00m ;12,00m"},
    };
    for (const Case& c : cases) {
        SetUp();
        c.setup();
        CalculateArrayGeometry();
        EXPECT_NEAR(SystemCoG.X, c.cog.X, Tol) << c.name;
        EXPECT_NEAR(SystemCoG.Z, c.cog.Z, Tol) << c.name;
        EXPECT_EQ(Principale().LabelCoG.Caption(), c.label) << c.name;
        const PointXZ again = CalculateCoG();
        EXPECT_EQ(again.X, SystemCoG.X) << c.name;
        EXPECT_EQ(again.Z, SystemCoG.Z) << c.name;
    }
}

// The axis point lies on the line through the bar's front-top at the top box's angle.
TEST_F(GeometryTest, AxisPointBelowTheCentreOfGravity)
{
    struct Case {
        ArrayCase array;
        PointXZ axis;
        double zAt4;
    };
    const std::vector<Case> cases = {
        {Straight, {1.6875, 10}, 10},
        // 10 + tan 30 x (1.918871776 - 2) = 9.953160598; at X = 4: 10 + tan 30 x 2.
        {Tilted, {1.9188717759995477, 9.953160598034462}, 11.154700538379251},
    };
    for (const Case& c : cases) {
        SetUp();
        c.array.setup();
        CalculateArrayGeometry();
        EXPECT_NEAR(CoGAxisPoint.X, c.axis.X, Tol) << c.array.name;
        EXPECT_NEAR(CoGAxisPoint.Z, c.axis.Z, Tol) << c.array.name;
        const PointXZ p = GetArrayAxisPoint({4, 0});
        EXPECT_EQ(p.X, 4) << c.array.name;
        EXPECT_NEAR(p.Z, c.zAt4, Tol) << c.array.name;
    }
}

// Holes along the bar's top edge, each its own distance behind the front-top, in world millimetres.
TEST_F(GeometryTest, HolePositions)
{
    struct Case {
        ArrayCase array;
        std::vector<PointXZ> central, side;
    };
    const std::vector<Case> cases = {
        {Straight,
         {{1900, 10000}, {1700, 10000}, {1500, 10000}, {1300, 10000}, {1100, 10000}, {900, 10000}},
         {{1800, 10000}, {1600, 10000}, {1400, 10000}, {1200, 10000}}},
        {Tilted,
         {{1913.3974596215562, 9950},
          {1740.1923788646684, 9850},
          {1566.9872981077806, 9750},
          {1393.7822173508928, 9650},
          {1220.577136594005, 9550},
          {1047.3720558371172, 9450}},
         {{1826.7949192431122, 9900}, {1653.5898384862244, 9800}, {1480.3847577293368, 9700},
          {1307.1796769724488, 9600}}},
    };
    for (const Case& c : cases) {
        SetUp();
        HoleX1.fill(-1);
        HoleX2.fill(-1);
        c.array.setup();
        CalculateArrayGeometry();
        for (std::size_t i = 0; i < c.central.size(); ++i) {
            EXPECT_NEAR(HoleX1[i], c.central[i].X, 1e-6) << c.array.name << " central " << i;
            EXPECT_NEAR(HoleZ1[i], c.central[i].Z, 1e-6) << c.array.name << " central " << i;
        }
        for (std::size_t j = 0; j < c.side.size(); ++j) {
            EXPECT_NEAR(HoleX2[j], c.side[j].X, 1e-6) << c.array.name << " side " << j;
            EXPECT_NEAR(HoleZ2[j], c.side[j].Z, 1e-6) << c.array.name << " side " << j;
        }
        EXPECT_EQ(HoleX1[c.central.size()], -1) << c.array.name;
        EXPECT_EQ(HoleX2[c.side.size()], -1) << c.array.name;
    }
}

// A row without holes leaves its lists alone; a count beyond the 60 places fills the 60.
TEST_F(GeometryTest, HoleCountsOutsideTheLists)
{
    Modules[1].FCHoleCount = 0;
    Modules[1].FSHoleCount = 200;
    Modules[1].FSHole.fill(10);
    HoleX1.fill(-1);
    SetArray(2, 10, 0, {"LA12"}, {"0"});
    CalculateArrayGeometry();
    for (std::size_t i = 0; i < 60; ++i) {
        EXPECT_EQ(HoleX1[i], -1) << i;
        EXPECT_NEAR(HoleX2[i], 1990, 1e-9) << i;
    }
}

// The vertical view redraws once, last, from the new results.
TEST_F(GeometryTest, RedrawsTheVenueLastFromTheNewResults)
{
    Straight.setup();
    CalculateArrayGeometry();
    EXPECT_EQ(Window().draws, 1);
    EXPECT_EQ(Window().weightAtDraw, 120);
    EXPECT_EQ(Window().cogAtDraw.X, SystemCoG.X);
    EXPECT_EQ(Window().hole0AtDraw, HoleX1[0]);
    EXPECT_NEAR(Window().cogAtDraw.X, 1.6875, Tol);
}

// Rounded half to even into 16 bits; farther than 16 bits reach stays at 32767.
TEST_F(GeometryTest, PointDistanceRounding)
{
    struct Case {
        double x1, y1, x2, y2;
        int expected;
    };
    const std::vector<Case> cases = {
        {0, 0, 3, 4, 5}, {0, 0, 0.5, 0, 0}, {0, 0, 1.5, 0, 2}, {1, 1, 3.5, 1, 2},
        {-10, 0, 0, 0, 10}, {0, 0, 40000, 0, 32767}, {0, 0, 32767.4, 0, 32767},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointDistance(c.x1, c.y1, c.x2, c.y2), c.expected) << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2;
}
