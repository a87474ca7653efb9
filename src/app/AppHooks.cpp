#include "app/AppHooks.h"

AppHooks& GetAppHooks()
{
    static AppHooks hooks;
    return hooks;
}
