#pragma once
#include "core/FindResult.h"
#include "platform/ComboList.h"
#include <QString>

// The first entry of the list, from entry 0 on, whose text equals text exactly (case-sensitive);
// {0, false} when there is none. Both ways of comparing give the same result for texts, so exact
// only documents what the caller meant.
FindResult FindComboText(const ComboList& list, const QString& text, bool exact);
