#include "platform/Picture.h"
#include "vertical_view/DistancePointToLine.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Each branch of the segment distance: level, upright (either way round) and sloping segments, with
// the point beyond either end or beside the segment.
TEST(DistancePointToLine, EveryBranch)
{
    struct Case {
        const char* what;
        double x1, y1, x2, y2;
        double x, y;
        double distance;
    };
    const std::vector<Case> cases = {
        {"level, on it", 0, 0, 10, 0, 4, 0, 0},
        {"level, above the middle", 0, 0, 10, 0, 5, -2, 2},
        {"level, beyond the right end", 0, 0, 10, 0, 12, 3, std::sqrt(13.0)},
        {"level, level with it past the right end", 0, 0, 10, 0, 14, 0, 4},
        {"level, before the left end", 0, 0, 10, 0, -3, 4, 5},
        {"upright rising, above the top", 0, 0, 0, 10, 3, 14, 5},
        {"upright rising, below the bottom", 0, 0, 0, 10, 3, -4, 5},
        {"upright rising, beside it", 0, 0, 0, 10, 2, 5, 2},
        {"upright falling, above the top", 0, 10, 0, 0, 3, 14, 5},
        {"upright falling, below the bottom", 0, 10, 0, 0, -3, -4, 5},
        {"upright falling, beside it", 0, 10, 0, 0, -2, 5, 2},
        {"sloping, on it", 0, 0, 10, 10, 3, 3, 0},
        {"sloping, foot in the middle", 0, 0, 10, 10, 0, 10, std::sqrt(50.0)},
        {"sloping, foot on the first end", 0, 0, 10, 10, -1, 1, std::sqrt(2.0)},
        {"sloping, foot before the first end, point above", 0, 0, 10, 10, -5, 1, std::sqrt(26.0)},
        {"sloping, foot past the second end", 0, 0, 10, 10, 12, 14, std::sqrt(20.0)},
        {"sloping down, foot in the middle", 35, 4, 55, 0, 45, 7, 5 / std::sqrt(1.04)},
    };
    Picture venue;
    LineElement& line = venue.AddLine();
    for (const Case& c : cases) {
        line.SetX1(c.x1);
        line.SetY1(c.y1);
        line.SetX2(c.x2);
        line.SetY2(c.y2);
        EXPECT_NEAR(DistancePointToLine(c.x, c.y, line), c.distance, 1e-12) << c.what;
    }
}

} // namespace
