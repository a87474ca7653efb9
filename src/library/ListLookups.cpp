#include "library/ListLookups.h"
#include "platform/ComboList.h"

FindResult FindComboText(const ComboList& list, const QString& text, [[maybe_unused]] bool exact)
{
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.List(i) == text)
            return {static_cast<std::int16_t>(i), VbTrue};
    }
    return {};
}
