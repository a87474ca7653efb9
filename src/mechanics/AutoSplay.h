#pragma once

// The "Auto Splay" command: straightens the array, then aims its top at the highest point of the
// visible audience areas (plus 3 degrees, within -60..60) and spreads the splay angles linearly down
// towards the lowest point, choosing each joint's nearest whole-degree entry of its splay list. It works
// only by writing the vertical view's array-angle and splay fields, whose handlers recompute the
// array. Does nothing in manual rigging; leaves the array straight when no audience area is on.
void AutoConfigureArray();
