// Windows tick count.
#include "../TickCount.h"

#include <windows.h>

std::uint32_t tickCount()
{
    return static_cast<std::uint32_t>(GetTickCount());
}
