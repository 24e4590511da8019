// What the CLAP host does differently per platform: the editor's window API and watching descriptors.
#pragma once

#include "abi/ext/Gui.h"
#include "abi/ext/PosixFdSupport.h"

#include <functional>
#include <map>

namespace ClapPlatform
{
/// "x11" or "win32": the API our editor windows are.
const char* windowApi();
/// The window record for one of our windows' native handles (an X11 window id or an HWND).
qm07::clap::clap_window window(void* nativeHandle);
/// Whether the host offers posix-fd-support here.
bool watchesDescriptors();
/// Main thread. Calls ready(fd, what happened) for every descriptor of watched, whose values are the
/// interest masks, that is ready now; never waits.
void pollDescriptors(const std::map<int, qm07::clap::clap_posix_fd_flags_t>& watched,
                     const std::function<void(int, qm07::clap::clap_posix_fd_flags_t)>& ready);
} // namespace ClapPlatform
