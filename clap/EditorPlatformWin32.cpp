// The editor on Win32: embedded by HWND; its window's messages come through the host's message loop,
// and a thread timer drives idle and the meter when the host offers no timers.
#include "EditorPlatform.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace qm07
{

namespace
{
struct Running
{
    UINT_PTR id;
    FallbackTimer::Tick tick;
    void* context;
};

/// Main thread only, like the timers themselves.
std::vector<Running>& running()
{
    static std::vector<Running> timers;
    return timers;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    for (const Running& timer : running())
        if (timer.id == id)
        {
            timer.tick(timer.context);
            return;
        }
}
} // namespace

const char* editorWindowApi()
{
    return clap::CLAP_WINDOW_API_WIN32;
}

void* nativeParent(const clap::clap_window& window)
{
    return window.win32;
}

const void* platformExtension(const char*)
{
    return nullptr;
}

bool FallbackTimer::start(Tick tick, void* context, std::uint32_t periodMs)
{
    stop();
    const UINT_PTR made = SetTimer(nullptr, 0, periodMs, onTimer);
    if (made == 0) return false;
    running().push_back({made, tick, context});
    id = made;
    return true;
}

void FallbackTimer::stop()
{
    if (id == 0) return;
    KillTimer(nullptr, id);
    auto& timers = running();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [this](const Running& t) { return t.id == id; }),
        timers.end());
    id = 0;
}

} // namespace qm07
