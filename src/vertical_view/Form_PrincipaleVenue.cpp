#include "vertical_view/Form_Principale.h"
#include "mechanics/Geometry.h"

void Form_Principale::WireVenueAndSplHandlers() {}

// Until the venue is fitted here, the extents' last step stands for the whole: the geometry.
void Form_Principale::UpdateVenueExtents() { CalculateArrayGeometry(); }

void Form_Principale::DrawStageLines() {}

void Form_Principale::Audience_LostFocus(int, int) {}

void Form_Principale::Audience1_LostFocus(int Index) { Audience_LostFocus(0, Index); }

void Form_Principale::Audience2_LostFocus(int Index) { Audience_LostFocus(1, Index); }

void Form_Principale::Audience3_LostFocus(int Index) { Audience_LostFocus(2, Index); }

void Form_Principale::Audience4_LostFocus(int Index) { Audience_LostFocus(3, Index); }
