#pragma once
#include "core/FindResult.h"
#include <QString>
#include <functional>

class ComboList;

// The catalogue lookups the report and the print dialog use, filled in by the program when it
// starts (they live in the module library).
struct PrintHooks {
    // The first module of the table named exactly `name`; {0, false} when none is.
    std::function<FindResult(const QString& name)> GetModuleIndex;
    // The first entry of `list` whose text equals `text`; {0, false} when none does.
    std::function<FindResult(const ComboList& list, const QString& text, bool exact)> FindComboText;
};

PrintHooks& ThePrintHooks();
