#include "library/Catalogue.h"
#include "core/ModuleRecord.h"

FindResult GetModuleIndex(const QString& name)
{
    for (int k = 0; k < ModuleCount && k < MaxModules; ++k)
        if (Modules[std::size_t(k)].Model == name)
            return {static_cast<std::int16_t>(k), VbTrue};
    return {};
}
