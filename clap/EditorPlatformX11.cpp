// The editor on X11: embedded by window id, its connection watched through the host's posix-fd-support.
#include "EditorPlatform.h"

#include "ClapPlugin.h"
#include "abi/ext/PosixFdSupport.h"

#include <cstring>

namespace qm07
{

namespace
{
/// Main thread; may allocate (drawing). The editor reads what arrived, whatever the flags say.
void onFd(const clap::clap_plugin* p, int, clap::clap_posix_fd_flags_t)
{
    ClapPlugin& self = ClapPlugin::of(p);
    self.hostAccess().expectMainThread("posix_fd_support.on_fd");
    self.editor().pump();
}

const clap::clap_plugin_posix_fd_support kPosixFdSupport = {onFd};
} // namespace

const char* editorWindowApi()
{
    return clap::CLAP_WINDOW_API_X11;
}

void* nativeParent(const clap::clap_window& window)
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.x11));
}

const void* platformExtension(const char* id)
{
    return std::strcmp(id, clap::CLAP_EXT_POSIX_FD_SUPPORT) == 0 ? &kPosixFdSupport : nullptr;
}

bool FallbackTimer::start(Tick, void*, std::uint32_t)
{
    // Nothing reads the connection without the host's help, short of a thread of our own.
    return false;
}

void FallbackTimer::stop() {}

} // namespace qm07
