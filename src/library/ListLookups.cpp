#include "library/ListLookups.h"

FindResult FindComboText(const ComboList& list, const QString& text, bool exact)
{
    static_cast<void>(exact);
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text)
            return {static_cast<std::int16_t>(i), VbTrue};
    return {};
}
