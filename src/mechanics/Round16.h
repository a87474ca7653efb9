#pragma once
#include "core/NumberRules.h"
#include <cmath>
#include <cstdint>
#include <limits>

// A value rounded half to even and held in 16 bits, as the rigging results and the box angles are.
// Real arrays never leave that range; values that absurd module data could push beyond it stop at its
// ends (a value that is no number gives 0) instead of ending the recomputation half-way.
inline std::int16_t Round16(double v)
{
    const double r = RoundHalfEven(v);
    if (std::isnan(r))
        return 0;
    if (r > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (r < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(r);
}
