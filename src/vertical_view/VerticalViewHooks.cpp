#include "vertical_view/VerticalViewHooks.h"

VerticalViewHooks& ViewHooks()
{
    static VerticalViewHooks hooks;
    return hooks;
}
