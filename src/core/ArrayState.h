#pragma once
#include "core/VbTypes.h"
#include <array>
#include <cstdint>

// Results of the array geometry and rigging mechanics, read by every view and the report.

constexpr int MaxBoxes = 16;

// Rows 0..17 of {X0..X3, Z0..Z3} in metres: corners front-top, front-bottom, back-bottom, back-top.
// Row 0 is the flying bar, rows 1..16 the boxes.
extern double ClusterCorners[18][8];

struct ArrayExtentsType {
    double MaxX = 0, ZAtMaxX = 0;
    double MinX = 0, ZAtMinX = 0;
    double MaxZ = 0, XAtMaxZ = 0;
    double MinZ = 0, XAtMinZ = 0;
};
extern ArrayExtentsType ArrayExtents;

struct PointXZ {
    double X = 0;
    double Z = 0;
};
extern PointXZ SystemCoG;
extern PointXZ CoGAxisPoint;
extern std::int16_t ArrayWeight;          // kg
extern std::array<std::int16_t, 2> HookLoad;  // kg

// Flying-bar holes in world millimetres: central row (1) and side row (2).
extern std::array<double, 60> HoleX1, HoleZ1, HoleX2, HoleZ2;

struct FlyingBarHook {
    std::int32_t HoleRow = 0;      // 0 central row, 1 side row
    std::int16_t FBarHooks = 0;    // hole index 0..59 in that row
    VbBool SelHook = VbFalse;      // hook placed
    VbBool Active = VbFalse;       // the hook the last click moved
    bool operator==(const FlyingBarHook&) const = default;
};
extern std::array<FlyingBarHook, 2> FlyingBarHooks;

extern std::int32_t WorkingMode;     // 0 automatic, 1 manual
extern std::uint8_t HooksNumber;     // 1..3
extern VbBool ReverseMode;
extern VbBool ImpossibleMechanicalConfig;
extern VbBool CoGOutOfBar;
extern double HangTiltOffset;        // degrees, rounded to 0.1
extern double SelectedArrayAngle;    // degrees
extern double ActualArrayAngle;      // degrees
extern double ArrayTilt;             // the array angle field's value, degrees

// Resets every value above to its start state.
void ClearArrayState();
