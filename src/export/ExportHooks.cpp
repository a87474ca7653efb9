#include "export/ExportHooks.h"

ExportHooks& ExportCalls()
{
    static ExportHooks hooks;
    return hooks;
}
