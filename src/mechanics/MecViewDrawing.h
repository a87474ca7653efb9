#pragma once

// Redraws the whole mechanical view from the array geometry and the rigging: first the print
// preview of the cluster report, then the array from the side with its box types, splay angles,
// extents, dimension lines, ground and array angles, then the flying bar from above with its holes,
// hooks, centre of gravity and hook loads. Stores SelectedArrayAngle and ActualArrayAngle (before the
// preview, so that it shows them). An array without width or height draws nothing and keeps the
// stored angles. Runs whether the view is shown or not; callers run the geometry and the mechanics
// on the current data first.
void UpdateMecView();
