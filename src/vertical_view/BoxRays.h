#pragma once
#include <cstdint>

// Places the ray of box row `row` (1..16) in the venue view: from the middle of the box's front face
// along its absolute angle to the nearest visible audience line it meets ahead of the box, or else
// to the edge of the view. An angle of -360 or less in the row's Position field is first rewritten
// there as its whole value modulo 360 (-365 becomes -5). Rows outside 1..16 are left alone.
void DrawBoxRay(std::int16_t row);
