#include "library/Catalogue.h"
#include "core/ModuleRecord.h"

#include <algorithm>

FindResult GetModuleIndex(const QString& name)
{
    const int count = std::clamp<int>(ModuleCount, 0, MaxModules);
    for (int k = 0; k < count; ++k) {
        if (Modules[std::size_t(k)].Model == name)
            return {static_cast<std::int16_t>(k), VbTrue};
    }
    return {};
}
