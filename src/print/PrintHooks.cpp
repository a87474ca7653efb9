#include "print/PrintHooks.h"

PrintHooks& ThePrintHooks()
{
    static PrintHooks hooks;
    return hooks;
}
