#include "acoustics/MapGrid.h"
#include "core/ArrayState.h"
#include "core/NumberRules.h"
#include "core/Settings.h"
#include "core/SplState.h"

#include <algorithm>
#include <cmath>

namespace {

// Height over width of the venue view.
constexpr double ViewRatio = 0.5383831521739131;

int NodeCount(double v, int limit) { return int(std::clamp(RoundHalfEven(v), 0.0, double(limit))); }

// Edge cells refer to the next node row or column, which may lie beyond the map grid; what is read
// there is always overwritten by the two-node rules, so any value does.
double Cell(int i, int j) { return i < SplMapRows && j < SplMapCols ? SPLMap(i, j) : 0.0; }

std::int16_t Weighted(double l1, double d1, double l2, double d2)
{
    return CInt(100 * (l1 / (100 * d1) + l2 / (100 * d2)) / (1 / d1 + 1 / d2));
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
    for (int ii = s * (a - 1); ii <= s * a; ++ii) {
        for (int jj = s * (b - 1); jj <= s * b; ++jj) {
            if (ii % s == 0 && jj % s == 0)
                continue;
            const int i1 = s * (ii / s);
            const int i2 = i1 + s;
            const int j1 = s * (jj / s);
            const int j2 = j1 + s;
            const double d11 = std::sqrt(double(ii - i1) * (ii - i1) + double(jj - j1) * (jj - j1));
            const double d12 = std::sqrt(double(ii - i1) * (ii - i1) + double(jj - j2) * (jj - j2));
            const double d21 = std::sqrt(double(ii - i2) * (ii - i2) + double(jj - j1) * (jj - j1));
            const double d22 = std::sqrt(double(ii - i2) * (ii - i2) + double(jj - j2) * (jj - j2));
            const double l11 = Cell(i1, j1);
            const double l12 = Cell(i1, j2);
            const double l21 = Cell(i2, j1);
            const double l22 = Cell(i2, j2);
            std::int16_t level = CInt(100 * (l11 / (100 * d11) + l12 / (100 * d12) + l21 / (100 * d21) + l22 / (100 * d22))
                                      / (1 / d11 + 1 / d12 + 1 / d21 + 1 / d22));
            if (lastColumn)
                level = Weighted(l11, d11, l21, d21);
            // On the last node column itself the row rule's right-hand node lies beyond the map.
            if (lastRow && !(lastColumn && jj == s * b))
                level = Weighted(l11, d11, l12, d12);
            SPLMap(ii, jj) = level;
        }
    }
}
