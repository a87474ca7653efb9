#pragma once
#include "core/VbTypes.h"
#include <cstdint>

// The print options: what the print dialog shows and the report reads, kept for the whole run and
// never saved to a file.
extern VbBool PrintOptionsSet;        // stored from the dialog at least once
extern std::int16_t PrinterIndex;     // item of the dialog's printer list
extern std::int16_t PrintCopies;      // 1..100 once stored
extern std::int16_t PrintQuality;     // -1 draft, -2 low, -3 medium, -4 high once stored
extern VbBool PrintClusterDetails;    // the cluster summary
extern VbBool PrintBoxesDetails;      // the per-box table
extern VbBool PrintBoxesAngles;       // the splay angle beside each box
extern VbBool PrintBoxesNames;        // the module name beside each box

// The start state of the run: the options above and the current printer (the system's default).
void ResetPrintOptions();
