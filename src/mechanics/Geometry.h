#pragma once
#include "core/ArrayState.h"
#include "core/ModuleRecord.h"
#include <cstdint>

// Degrees to radians with the factor the stored angles were always converted with; it is a hair
// below pi/180, and changing it would move every computed corner and angle.
inline constexpr double DegToRad = 0.017453292519943278;

// Number of boxes in use: the box count field rounded, kept within 1..MaxBoxes.
int ArrayBoxCount();

// The module named in the type list of array row `row` (0..15); the empty record 0 when that name is
// not loaded. Row 0 also names the flying bar.
const ModuleRecord& RowModule(int row);

// Rebuilds ClusterCorners (rows 0..N), ArrayExtents, ArrayWeight, SystemCoG, CoGAxisPoint and the
// flying-bar hole positions from the vertical view's fields, sets the weight and centre-of-gravity
// labels, and asks the vertical view to redraw the array last.
void CalculateArrayGeometry();

// Centre of gravity of the flying bar and the boxes in use, in metres, from ClusterCorners and the
// rows' angles; shown in the vertical view's label. With no weight at all it is the bar's front-top.
PointXZ CalculateCoG();

// The point of the array axis (through the bar's front-top at the top box's angle) with p's X.
PointXZ GetArrayAxisPoint(PointXZ p);

// World positions in millimetres of the bar's central and side holes along its top edge; entries at
// and above a row's hole count keep their values.
void CalculateHolesPosition();

// Distance between two points, rounded half to even into 16 bits (far points give 32767).
std::int16_t PointDistance(double X1, double Y1, double X2, double Y2);
