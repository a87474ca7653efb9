#include "acoustics/AcousticsFixture.h"
#include "acoustics/MapGrid.h"

namespace {

using MapGridTest = AcousticsTest;

// The venue view shows X from -10 m and Z from -1 m; its height is 0.5383831521739131 of its width.
TEST_F(MapGridTest, NodesCoverTheViewFromOneMetreBeyondTheArrayToItsRightEdge)
{
    struct Case {
        const char* name;
        double venueMaxX;
        std::int16_t venueMaxZ;
        double maxX, mapRes;
        int step, nodesZ, nodesX;
        double mapRes2;
    };
    const Case cases[] = {
        // W = 50, W k = 26.92 > H = 11: X to 40 = 2.5 + 75 * 0.5, Z from 26 = 54 * 0.5 - 1 (~ W k - 1)
        {"wide venue", 40, 10, 1.5, 0.5, 5, 54, 75, 0.5},
        // W = 20, W k = 10.77 < H = 31: Z from 30, X to 47.5 (~ H / k - 10 = 47.58)
        {"tall venue", 10, 30, 1.5, 0.5, 5, 62, 90, 0.5},
        {"0.3 m", 40, 10, 1.5, 0.3, 3, 90, 125, 0.3},
        {"0.25 m is taken as 0.2 m", 40, 10, 1.5, 0.25, 2, 135, 188, 0.2},
        {"0.35 m is taken as 0.4 m", 40, 10, 1.5, 0.35, 4, 67, 94, 0.4},
        {"0.04 m is taken as 0.1 m", 40, 10, 1.5, 0.04, 1, 269, 375, 0.1},
        {"no resolution is taken as 0.1 m", 40, 10, 1.5, 0, 1, 269, 375, 0.1},
        // (2 - 2.5 - 1) / 0.5 = -3 node columns
        {"venue ends before the map", 2, 1, 2.5, 0.5, 5, 13, 0, 0.5},
        {"largest venue at 0.1 m", 500, 100, 0.5, 0.1, 1, 2746, 4985, 0.1},
    };
    for (const Case& c : cases) {
        VenueMaxX = c.venueMaxX;
        VenueMaxZ = c.venueMaxZ;
        ArrayExtents.MaxX = c.maxX;
        const MapGrid g = MapNodeGrid(c.mapRes);
        EXPECT_EQ(g.step, c.step) << c.name;
        EXPECT_EQ(g.nodesZ, c.nodesZ) << c.name;
        EXPECT_EQ(g.nodesX, c.nodesX) << c.name;
        EXPECT_EQ(g.mapRes, c.mapRes2) << c.name;
        EXPECT_EQ(g.maxX, c.maxX) << c.name;
    }
}

TEST_F(MapGridTest, NodeReceiversRunFromTheTopRowDownToMinusOneMetre)
{
    MapGrid g;
    g.step = 5;
    g.mapRes = 0.5;
    g.nodesZ = 54;
    g.nodesX = 75;
    g.maxX = 1.5;
    EXPECT_EQ(NodeX(g, 0), 2.5);
    EXPECT_EQ(NodeX(g, 75), 40);
    EXPECT_EQ(NodeZ(g, 0), 26);
    EXPECT_EQ(NodeZ(g, 54), -1);
}

// Nodes every 2 cells, node rows 0..3 and node columns 0..2, so cells 0..6 x 0..4. Cells that no
// block has written yet, and those beyond the run, hold `stale`.
class BlockFillTest : public AcousticsTest {
protected:
    void Fill(const int nodes[4][3], std::int16_t stale = 7777)
    {
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 7; ++j)
                SPLMap(i, j) = stale;
        g.step = 2;
        g.mapRes = 0.2;
        g.nodesZ = 3;
        g.nodesX = 2;
        for (int a = 0; a <= 3; ++a)
            for (int b = 0; b <= 2; ++b) {
                SPLMap(2 * a, 2 * b) = std::int16_t(nodes[a][b]);
                if (a > 0 && b > 0)
                    FillMapBlock(g, a, b);
            }
    }
    MapGrid g;
};

TEST_F(BlockFillTest, CellsBetweenNodesTakeTheirInverseDistanceMeans)
{
    const int nodes[4][3] = {{8000, 8400, 9000}, {7000, 7600, 8200}, {6000, 6400, 7000}, {5000, 5600, 6000}};
    Fill(nodes);
    // With s = sqrt 5: four corners at 1, 1, s, s give (L1 + L2 + (L3 + L4) / s) / (2 + 2 / s); two
    // corners at 1 and s give (L1 + L2 / s) / (1 + 1 / s).
    const int expected[7][5] = {
        // (0,1): (8000 + 8400 + (7000 + 7600) / s) / (2 + 2 / s) = 7921.8
        // (0,3): last column, its left node column: (8400 + 7600 / s) / (1 + 1 / s) = 8152.9
        {8000, 7922, 8400, 8153, 9000},
        // (1,0): (8000 + 7000 + (8400 + 7600) / s) / (2 + 2 / s) = 7654.5; (1,1): four at sqrt 2
        // (1,2), (1,3), (1,4): last column, the nodes above and below: 8000, 8000, 8600
        {7655, 7750, 8000, 8000, 8600},
        // (2,1): on a node row, the square below: (7000 + 7600 + (6000 + 6400) / s) / (2 + 2 / s)
        // (2,3): last column: (7600 + 6400 / s) / (1 + 1 / s) = 7229.2
        {7000, 6960, 7600, 7229, 8200},
        {6655, 6750, 7000, 7000, 7600},
        // last node row: its own row's nodes on either side, 6200 and 6700
        {6000, 6200, 6400, 6700, 7000},
        // (5,0): (6000 + 6400 / s) / (1 + 1 / s) = 6123.6; (5,2): (6400 + 7000 / s) / (1 + 1 / s) = 6585.4
        // (5,4): last column between the last two rows: (7000 + 6000) / 2
        {6124, 6200, 6585, 6700, 6500},
        {5000, 5300, 5600, 5800, 6000},
    };
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(SPLMap(i, j), expected[i][j]) << "cell " << i << ", " << j;
    // Cells beyond the run keep what they held.
    EXPECT_EQ(SPLMap(0, 5), 7777);
    EXPECT_EQ(SPLMap(5, 6), 7777);
    EXPECT_EQ(SPLMap(7, 0), 7777);
}

TEST_F(BlockFillTest, TheLastColumnOfTheLastRowIgnoresWhateverLiesBeyondTheMap)
{
    const int nodes[4][3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 7000}, {0, 0, 6000}};
    for (const std::int16_t stale : {std::int16_t(7777), std::int16_t(-20000), std::int16_t(0)}) {
        Fill(nodes, stale);
        EXPECT_EQ(SPLMap(5, 4), 6500) << stale;
    }
}

TEST_F(BlockFillTest, CellsNextToTheGridsEdgeReadNothingBeyondIt)
{
    MapGrid edge;
    edge.step = 1000;
    edge.mapRes = 100;
    edge.nodesZ = 3;
    edge.nodesX = 8;
    SPLMap(2000, 7000) = 100;
    SPLMap(2000, 8000) = 200;
    SPLMap(3000, 7000) = 300;
    SPLMap(3000, 8000) = 400;
    FillMapBlock(edge, 3, 8);
    EXPECT_EQ(SPLMap(2500, 8000), 300);   // the last column between its two nodes
    EXPECT_EQ(SPLMap(3000, 7500), 350);   // the last row between its two nodes
}

}
