// The CLAP host on Windows: Win32 editors, pumped by our message loop; no descriptors to watch.
#include "ClapPlatform.h"

using namespace qm07::clap;

const char* ClapPlatform::windowApi()
{
    return CLAP_WINDOW_API_WIN32;
}

clap_window ClapPlatform::window(void* nativeHandle)
{
    clap_window record{};
    record.api = CLAP_WINDOW_API_WIN32;
    record.win32 = nativeHandle;
    return record;
}

bool ClapPlatform::watchesDescriptors()
{
    return false;
}

void ClapPlatform::pollDescriptors(const std::map<int, clap_posix_fd_flags_t>&,
                                   const std::function<void(int, clap_posix_fd_flags_t)>&)
{
}
