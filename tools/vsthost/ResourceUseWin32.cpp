// Heap bytes by walking every process heap, committed bytes from the process counters (Wine's PrivateUsage
// never moves), and GDI headroom by creating brushes until the system refuses (GetGuiResources answers 0
// under Wine, so it cannot count).
#include "ResourceUse.h"

#include <windows.h>

#include <psapi.h>
#include <vector>

namespace
{
constexpr int kMostBrushes = 100000;

std::int64_t heapBytesInUse()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::int64_t total = 0;
    for (HANDLE heap : heaps)
    {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heap);
    }
    return total;
}

std::int64_t gdiHeadroom()
{
    std::vector<HBRUSH> brushes;
    while (brushes.size() < kMostBrushes)
    {
        HBRUSH brush = CreateSolidBrush(RGB(brushes.size() & 0xff, 0, 0));
        if (!brush) break;
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return static_cast<std::int64_t>(brushes.size());
}
} // namespace

ResourceUse measureResources()
{
    ResourceUse use;
    // First: the probe itself commits room for the handles it creates, which must not count as growth.
    use.gdiHeadroom = gdiHeadroom();
    use.heapBytes = heapBytesInUse();
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters)))
        use.processBytes = static_cast<std::int64_t>(counters.PagefileUsage);
    return use;
}

std::string resourceMethods()
{
    return "heap: HeapWalk over GetProcessHeaps, busy blocks; process: PagefileUsage from "
           "GetProcessMemoryInfo; GDI: solid brushes creatable before CreateSolidBrush fails";
}

std::vector<WindowClass> childWindowClasses(void* window)
{
    std::vector<WindowClass> found;
    EnumChildWindows(
        static_cast<HWND>(window),
        [](HWND child, LPARAM list) -> BOOL
        {
            char name[256] = {};
            GetClassNameA(child, name, sizeof(name));
            auto* classes = reinterpret_cast<std::vector<WindowClass>*>(list);
            classes->push_back({name, reinterpret_cast<void*>(GetWindowLongPtrA(child, GWLP_HINSTANCE))});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool windowClassRegistered(const WindowClass& windowClass)
{
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    return GetClassInfoExA(static_cast<HINSTANCE>(windowClass.module), windowClass.name.c_str(), &info) != 0;
}
