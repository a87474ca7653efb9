#pragma once
#include "core/FindResult.h"
#include <QString>

class ComboList;

// The first entry, from entry 0 on, whose text equals text exactly, letter case included; {0, false}
// when none does. Comparing directly or as values gives the same answer, so exact changes nothing.
FindResult FindComboText(const ComboList& list, const QString& text, bool exact);
