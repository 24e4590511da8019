// The CLAP host on Linux: X11 editors, and their descriptors watched with poll.
#include "ClapPlatform.h"

#include <poll.h>

#include <cstdint>
#include <vector>

using namespace qm07::clap;

const char* ClapPlatform::windowApi()
{
    return CLAP_WINDOW_API_X11;
}

clap_window ClapPlatform::window(void* nativeHandle)
{
    clap_window record{};
    record.api = CLAP_WINDOW_API_X11;
    record.x11 = static_cast<clap_xwnd>(reinterpret_cast<std::uintptr_t>(nativeHandle));
    return record;
}

bool ClapPlatform::watchesDescriptors()
{
    return true;
}

void ClapPlatform::pollDescriptors(const std::map<int, clap_posix_fd_flags_t>& watched,
                                   const std::function<void(int, clap_posix_fd_flags_t)>& ready)
{
    std::vector<pollfd> fds;
    for (const auto& [fd, interest] : watched)
        fds.push_back({fd,
                       static_cast<short>(((interest & CLAP_POSIX_FD_READ) ? POLLIN : 0) |
                                          ((interest & CLAP_POSIX_FD_WRITE) ? POLLOUT : 0)),
                       0});
    if (fds.empty() || poll(fds.data(), fds.size(), 0) <= 0) return;
    for (const pollfd& fd : fds)
    {
        const clap_posix_fd_flags_t what =
            ((fd.revents & POLLIN) ? CLAP_POSIX_FD_READ : 0) |
            ((fd.revents & POLLOUT) ? CLAP_POSIX_FD_WRITE : 0) |
            ((fd.revents & (POLLERR | POLLHUP | POLLNVAL)) ? CLAP_POSIX_FD_ERROR : 0);
        if (what) ready(fd.fd, what);
    }
}
