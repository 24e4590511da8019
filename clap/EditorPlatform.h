// What differs between the editor's window systems: the API's name, the parent's handle, the tables only
// one platform offers, and what drives the editor when the host has no timers. One file per platform,
// chosen by the build.
#pragma once

#include "abi/ext/Gui.h"

#include <cstdint>

namespace qm07
{

/// Any thread: the window API this build embeds into ("x11" or "win32"), a static string.
const char* editorWindowApi();
/// Main thread: the native parent window a clap_window of that API carries, or null.
void* nativeParent(const clap::clap_window& window);
/// Any thread: an extension table only this platform offers (posix-fd-support on X11), else null.
const void* platformExtension(const char* id);

/// Main thread: a periodic call of the plug-in's own, for hosts without timer-support. Only Win32 has
/// one (a thread timer of the host's message loop); on X11 start is false.
class FallbackTimer
{
public:
    using Tick = void (*)(void* context);

    FallbackTimer() = default;
    FallbackTimer(const FallbackTimer&) = delete;
    FallbackTimer& operator=(const FallbackTimer&) = delete;
    ~FallbackTimer() { stop(); }

    bool start(Tick tick, void* context, std::uint32_t periodMs);
    void stop();

private:
    std::uintptr_t id = 0;
};

} // namespace qm07
