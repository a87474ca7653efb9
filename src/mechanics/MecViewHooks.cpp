#include "mechanics/MecViewHooks.h"

MecViewHooks& MecViewCalls()
{
    static MecViewHooks hooks;
    return hooks;
}
