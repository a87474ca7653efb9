#pragma once
#include "core/ArrayState.h"
#include <array>
#include <cstdint>
#include <optional>

// Chooses the flying-bar holes (automatic mode), computes the hook loads and the manual-mode tilt,
// and sets ImpossibleMechanicalConfig, by WorkingMode and HooksNumber. Runs after CalculateArrayGeometry;
// of its cases only a successful automatic pair search redraws the mechanical view, once the loads are in.
void UpdateMechanics();

// Walks the holes of one row (X in world millimetres) from index 0 while each comes nearer to the
// centre of gravity (cogX, metres) than the previous one's rounded distance. On success it places
// hook 1 in the row that HooksNumber names, sets HangTiltOffset and clears the impossible flag, and
// returns the record {HoleRow 0, the hole, not placed, not active} for hook 1. An empty row, a first
// hole 32767 mm or more away, or a hole at the centre of gravity's height leave hook 1 unplaced, set
// the flag and zero the offset, and return nothing.
std::optional<FlyingBarHook> FindNearestHole(const std::array<double, 60>& holes, std::uint8_t count, double cogX);

// Automatic search for two central hooks, or for a side pair and a central hook, around the centre
// of gravity. Returns true when it placed both hooks; otherwise it sets the impossible flag and leaves
// both hooks unplaced.
bool FindHookPair();

// Writes HookLoad by the lever rule, or, when the configuration is impossible, the impossibility text
// into the mechanical view's first weight label and leaves the loads alone.
void CalculateHookLoads();

// Manual mode with one hook or a side pair: the array angle at which the array hangs with its centre of
// gravity straight below hook 1, written into the array-angle field when it lies within -60..60.
void CalculateManualTilt();
