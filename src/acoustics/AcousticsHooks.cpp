#include "acoustics/AcousticsHooks.h"

AcousticsHooks& Acoustics()
{
    static AcousticsHooks hooks;
    return hooks;
}
