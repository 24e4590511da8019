// Heap bytes from the C library's allocator statistics, resident memory from /proc.
#include "ResourceUse.h"

#include <fstream>
#include <malloc.h>
#include <unistd.h>

ResourceUse measureResources()
{
    ResourceUse use;
    const struct mallinfo2 info = mallinfo2();
    // Nothing allocated at all means another allocator (a sanitizer's) has replaced the C library's; its
    // quarantine of freed blocks then also makes the resident memory grow, so neither number means much.
    if (info.uordblks + info.hblkhd == 0) return use;
    use.heapBytes = static_cast<std::int64_t>(info.uordblks + info.hblkhd);
    std::ifstream statm("/proc/self/statm");
    long long size = 0;
    long long resident = 0;
    if (statm >> size >> resident) use.processBytes = resident * sysconf(_SC_PAGESIZE);
    return use;
}

std::string resourceMethods()
{
    return "heap: mallinfo2; process: resident set from /proc/self/statm (neither under AddressSanitizer, "
           "whose LeakSanitizer judges at exit instead)";
}

std::vector<WindowClass> childWindowClasses(void*)
{
    return {};
}

bool windowClassRegistered(const WindowClass&)
{
    return false;
}
