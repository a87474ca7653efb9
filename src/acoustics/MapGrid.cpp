#include "acoustics/MapGrid.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Height over width of the venue view.
constexpr double ViewRatio = 0.5383831521739131;

int NodeCount(double v, int limit) { return int(std::clamp(RoundHalfEven(v), 0.0, double(limit))); }

// What the inverse-distance means of a cell depend on, given its offsets (di, dj) from the node at or
// before it: 100 times its distances to the four nodes around it, and the sums of the inverse
// distances of all four, of the two of its node column and of the two of its node row.
struct CellWeights {
    double h11 = 0, h12 = 0, h21 = 0, h22 = 0;
    double all = 0, column = 0, row = 0;
};

CellWeights WeightsAt(int s, int di, int dj)
{
    const double d11 = std::sqrt(double(di) * di + double(dj) * dj);
    const double d12 = std::sqrt(double(di) * di + double(dj - s) * (dj - s));
    const double d21 = std::sqrt(double(di - s) * (di - s) + double(dj) * dj);
    const double d22 = std::sqrt(double(di - s) * (di - s) + double(dj - s) * (dj - s));
    return {100 * d11, 100 * d12, 100 * d21, 100 * d22, 1 / d11 + 1 / d12 + 1 / d21 + 1 / d22, 1 / d11 + 1 / d21,
            1 / d11 + 1 / d12};
}

// Every block of a run has the same weights, so they are worked out once per node spacing; the
// spacings a map is made with keep the table small, and rarer wide ones work each cell out afresh.
constexpr int TabulatedSteps = 100;

const std::vector<CellWeights>& WeightTable(int s)
{
    static int tabulated = 0;
    static std::vector<CellWeights> table;
    if (s != tabulated) {
        table.assign(std::size_t(s) * std::size_t(s), CellWeights{});
        for (int di = 0; di < s; ++di)
            for (int dj = 0; dj < s; ++dj)
                if (di > 0 || dj > 0)
                    table[std::size_t(di * s + dj)] = WeightsAt(s, di, dj);
        tabulated = s;
    }
    return table;
}

std::int16_t Weighted(double l1, double h1, double l2, double h2, double inverses)
{
    return CInt(100 * (l1 / h1 + l2 / h2) / inverses);
}

}

MapGrid MapNodeGrid(double mapRes)
{
    MapGrid g;
    const double tenths = mapRes * 10;
    g.step = tenths >= 1 ? int(std::min(RoundHalfEven(tenths), double(SplMapCols))) : 1;
    g.mapRes = g.step / 10.0;
    g.maxX = ArrayExtents.MaxX;
    const int maxRows = (SplMapRows - 1) / g.step;
    const int maxCols = (SplMapCols - 1) / g.step;
    const double w = VenueMaxX + 10;
    const double h = VenueMaxZ + 1;
    if (w * ViewRatio > h) {
        g.nodesX = NodeCount((VenueMaxX - g.maxX - 1) / g.mapRes, maxCols);
        g.nodesZ = NodeCount((w / g.mapRes) * ViewRatio, maxRows);
    } else {
        g.nodesZ = NodeCount(h / g.mapRes, maxRows);
        g.nodesX = NodeCount((h / ViewRatio - 10 - g.maxX - 1) / g.mapRes, maxCols);
    }
    return g;
}

double NodeX(const MapGrid& grid, int b) { return (b * grid.mapRes + grid.maxX) + 1; }

double NodeZ(const MapGrid& grid, int a) { return (grid.nodesZ - a) * grid.mapRes - 1; }

void FillMapBlock(const MapGrid& grid, int a, int b)
{
    const int s = grid.step;
    const bool lastColumn = b == grid.nodesX;
    const bool lastRow = a == grid.nodesZ;
    const CellWeights* table = s <= TabulatedSteps ? WeightTable(s).data() : nullptr;
    for (int ii = s * (a - 1); ii <= s * a; ++ii) {
        const int di = ii % s;
        const std::int16_t* nodeRow1 = SPLMapRow(ii - di);
        // Edge cells refer to the next node row or column, which may lie beyond the map grid; what is
        // read there is always overwritten by the two-node rules, so any value does.
        const std::int16_t* nodeRow2 = ii - di + s < SplMapRows ? SPLMapRow(ii - di + s) : nullptr;
        std::int16_t* cells = SPLMapRow(ii);
        for (int jj = s * (b - 1); jj <= s * b; ++jj) {
            const int dj = jj % s;
            if (di == 0 && dj == 0)
                continue;
            const int j1 = jj - dj;
            const int j2 = j1 + s;
            const bool inside2 = j2 < SplMapCols;
            const double l11 = nodeRow1[j1];
            const double l12 = inside2 ? nodeRow1[j2] : 0.0;
            const double l21 = nodeRow2 ? nodeRow2[j1] : 0.0;
            const double l22 = nodeRow2 && inside2 ? nodeRow2[j2] : 0.0;
            const CellWeights w = table ? table[di * s + dj] : WeightsAt(s, di, dj);
            std::int16_t level = CInt(100 * (l11 / w.h11 + l12 / w.h12 + l21 / w.h21 + l22 / w.h22) / w.all);
            if (lastColumn)
                level = Weighted(l11, w.h11, l21, w.h21, w.column);
            // On the last node column itself the row rule's right-hand node lies beyond the map.
            if (lastRow && !(lastColumn && jj == s * b))
                level = Weighted(l11, w.h11, l12, w.h12, w.row);
            cells[jj] = level;
        }
    }
}
