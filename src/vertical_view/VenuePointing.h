#pragma once
#include <cstdint>

// The audience outlines of the venue view in step with the area switches and the mouse.

// Shows area i's outline and listener line unless its switch reads "Off"; i outside 0..3 does nothing.
void ApplyVenueElementVisibility(std::int16_t i);
// Finds the visible outline nearer than a hundredth of VenueMaxX to the point (X, Y) (venue metres),
// the lowest area first; sets PointedStand to it (or -1) and shows it in yellow.
void FindVenueElementAt(double X, double Y);
// The pointed outline in yellow; its listener line keeps its colour.
void HighlightPointedVenueElement();
// Every outline back in its area's colour.
void RestoreVenueElementColors();
