#pragma once
#include "core/Settings.h"
#include "core/VbTypes.h"
#include <cstdint>

// The print options: what the print dialog shows and the report reads, kept for the whole run and
// never saved to a file. PrintOptionsSet and the four content switches are shared state (the frame
// sets them at start-up); the printer, copies and quality belong to the dialog alone.
extern std::int16_t PrinterIndex;     // item of the dialog's printer list
extern std::int16_t PrintCopies;      // 1..100 once stored
extern std::int16_t PrintQuality;     // -1 draft, -2 low, -3 medium, -4 high once stored

// The start state of the run: the options above and the current printer (the system's default).
void ResetPrintOptions();
