#pragma once

class LineElement;

// The distance from the point (X, Y) to the segment drawn by the line element L, in the user units
// of its picture. The segment's first end must have the smaller X (or the same X for an upright
// segment), as every audience outline has: the end tests rely on it.
double DistancePointToLine(double X, double Y, const LineElement& L);
