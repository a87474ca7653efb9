#pragma once
#include "core/FindResult.h"

#include <QString>
#include <array>
#include <cstdint>

// The module table as the array editor sees it: modules found by name, the per-row type and splay
// lists of the vertical view, and which module may hang below which. A module B may hang below A
// when it has A's BoxType or A's compatibility list names B's BoxType; the list's unused entries
// hold 0, so BoxType 0 is listed by nearly every module.

// Per array row 0..15, the last module name that was found compatible with the module of the row
// below it; the type list handlers put it back when the user refuses a change.
extern std::array<QString, 16> BoxTypeNames;

struct ModuleRecord;

// Whether module lower may hang below module upper.
bool MayHangBelow(const ModuleRecord& lower, const ModuleRecord& upper);

// The first loaded record (0..ModuleCount-1) whose Model equals name exactly, case included.
FindResult GetModuleIndex(const QString& name);

// Refills the type lists of the rows below box: the module moduleIdx first, then every other loaded
// module that may hang below it, in table order. moduleIdx must be a record of the table.
void FillTypeCombo(std::int16_t moduleIdx, std::int16_t box);

// For each pair of neighbouring rows of the array (box count from Area(4), at most 16) whose lower
// module may hang below the upper one, remembers the upper row's module in BoxTypeNames.
void CheckTypeCompatibility();

// Refills the splay list of row box with the angles that its module's mounting allows (row 0, with
// no box above, allows "0" only) and shows the first of them; an unknown module leaves it empty.
void FillAngleCombo(std::int16_t box);
