#pragma once
#include <cstdint>

// Raises a raw axis step to one of the steps the axes and the exported map use: 3..4 give 5, 6..9
// give 10, above 10 the next multiple of 10 that is no multiple of 3 (and, with skipForty, not 40
// either); 1, 2, 5 and 10 stay. A step is never below 1, so no axis can stand still.
std::int64_t StandardStep(std::int64_t raw, bool skipForty = false);
