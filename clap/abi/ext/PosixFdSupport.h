// posix-fd-support (Linux): the host's main loop watches the editor's X connection for the plug-in.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_POSIX_FD_SUPPORT[] = "clap.posix-fd-support";

using clap_posix_fd_flags_t = std::uint32_t;
constexpr clap_posix_fd_flags_t CLAP_POSIX_FD_READ = 1u << 0;
constexpr clap_posix_fd_flags_t CLAP_POSIX_FD_WRITE = 1u << 1;
constexpr clap_posix_fd_flags_t CLAP_POSIX_FD_ERROR = 1u << 2;

/// Main thread; level-triggered.
struct clap_plugin_posix_fd_support
{
    void (*on_fd)(const clap_plugin* plugin, int fd, clap_posix_fd_flags_t flags);
};

/// Main thread; register once, change the mask with modify_fd, unregister before closing.
struct clap_host_posix_fd_support
{
    bool (*register_fd)(const clap_host* host, int fd, clap_posix_fd_flags_t flags);
    bool (*modify_fd)(const clap_host* host, int fd, clap_posix_fd_flags_t flags);
    bool (*unregister_fd)(const clap_host* host, int fd);
};

static_assert(sizeof(clap_plugin_posix_fd_support) == 8 && alignof(clap_plugin_posix_fd_support) == 8);
static_assert(offsetof(clap_plugin_posix_fd_support, on_fd) == 0);
static_assert(sizeof(clap_host_posix_fd_support) == 24 && alignof(clap_host_posix_fd_support) == 8);
static_assert(offsetof(clap_host_posix_fd_support, register_fd) == 0);
static_assert(offsetof(clap_host_posix_fd_support, modify_fd) == 8);
static_assert(offsetof(clap_host_posix_fd_support, unregister_fd) == 16);

} // namespace qm07::clap
}
