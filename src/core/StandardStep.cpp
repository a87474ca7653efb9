#include "core/StandardStep.h"

#include <algorithm>

std::int64_t StandardStep(std::int64_t raw, bool skipForty)
{
    if (raw > 2 && raw < 5)
        return 5;
    if (raw > 5 && raw < 10)
        return 10;
    if (raw > 10) {
        std::int64_t step = (raw + 9) / 10 * 10;
        while (step % 3 == 0 || (skipForty && step == 40))
            step += 10;
        return step;
    }
    return std::max<std::int64_t>(raw, 1);
}
