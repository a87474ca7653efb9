#include "mechanics/MechanicsHooks.h"

MechanicsHooks& MecHooks()
{
    static MechanicsHooks hooks;
    return hooks;
}
