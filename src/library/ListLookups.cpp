#include "library/ListLookups.h"

#include <algorithm>

FindResult FindComboText(const ComboList& combo, const QString& text, bool)
{
    for (int i = 0; i < combo.ListCount(); ++i)
        if (combo.List(i) == text)
            return {static_cast<std::int16_t>(i), VbTrue};
    return {};
}

QString ComboEntryOrFirst(const ComboList& combo, int position)
{
    if (position >= 0 && position < combo.ListCount())
        return combo.List(position);
    return combo.ListCount() > 0 ? combo.List(0) : QString();
}

FindResult FindComboItemData(const ComboList& combo, std::int16_t value, int)
{
    for (int i = 0; i < combo.ListCount(); ++i)
        if (combo.ItemData(i) == value)
            return {static_cast<std::int16_t>(i), VbTrue};
    return {};
}

FindResult FindInArray(std::span<const std::uint8_t> arr, const QString& value, std::int16_t count, std::int16_t)
{
    FindResult result;
    const int last = std::min<int>(count, static_cast<int>(arr.size()));
    for (int i = 0; i < last; ++i)
        if (QString::number(arr[i]) == value)
            result = {static_cast<std::int16_t>(i), VbTrue};
    return result;
}
