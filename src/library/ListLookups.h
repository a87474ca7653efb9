#pragma once
#include "core/FindResult.h"
#include "platform/ComboList.h"

#include <QString>
#include <cstdint>
#include <span>

// Searches over the drop-down lists and small byte arrays; each gives {0, false} when nothing
// matches, so callers that use the index alone land on entry 0.

// The first item whose text equals text exactly, case included. Comparing as texts or as loosely
// typed values comes to the same, so stringCompare changes nothing.
FindResult FindComboText(const ComboList& combo, const QString& text, bool stringCompare = true);

// The text of entry `position` of a list. A position remembered by another control may lie outside
// this list: the first entry stands in for it, and an empty text when the list has no entries.
QString ComboEntryOrFirst(const ComboList& combo, int position);

// The first item whose item value equals value. The third argument has no use.
FindResult FindComboItemData(const ComboList& combo, std::int16_t value, int = 0);

// Compares the decimal text of entries 0..count-1 (at most the whole array) with value; Found when
// any matches, Index the last one that does. mode changes nothing.
FindResult FindInArray(std::span<const std::uint8_t> arr, const QString& value, std::int16_t count,
                       std::int16_t mode = 0);
