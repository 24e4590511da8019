// The host's extensions behind calls that do nothing when the host lacks one.
#include "HostAccess.h"

#include <cstdio>

namespace qm07
{

const void* HostAccess::extension(const char* id) const
{
    return host && host->get_extension ? host->get_extension(host, id) : nullptr;
}

void HostAccess::fetchExtensions()
{
    hostLog = static_cast<const clap::clap_host_log*>(extension(clap::CLAP_EXT_LOG));
    threadCheck = static_cast<const clap::clap_host_thread_check*>(extension(clap::CLAP_EXT_THREAD_CHECK));
    params = static_cast<const clap::clap_host_params*>(extension(clap::CLAP_EXT_PARAMS));
    timers = static_cast<const clap::clap_host_timer_support*>(extension(clap::CLAP_EXT_TIMER_SUPPORT));
    fds = static_cast<const clap::clap_host_posix_fd_support*>(extension(clap::CLAP_EXT_POSIX_FD_SUPPORT));
}

void HostAccess::expectMainThread(const char* function) const
{
    if (!threadCheck || !threadCheck->is_main_thread) return;
    if (!threadCheck->is_main_thread(host))
    {
        offMainThread.store(function, std::memory_order_relaxed);
        return;
    }
    if (const char* earlier = offMainThread.exchange(nullptr, std::memory_order_relaxed))
    {
        char message[160];
        std::snprintf(message, sizeof message, "%s was called off the main thread", earlier);
        log(clap::CLAP_LOG_HOST_MISBEHAVING, message);
    }
}

void HostAccess::log(clap::clap_log_severity severity, const char* message) const
{
    if (hostLog && hostLog->log) hostLog->log(host, severity, message);
}

void HostAccess::requestFlush() const
{
    if (params && params->request_flush) params->request_flush(host);
}

void HostAccess::rescanValues() const
{
    if (params && params->rescan) params->rescan(host, clap::CLAP_PARAM_RESCAN_VALUES);
}

bool HostAccess::registerTimer(std::uint32_t periodMs, clap::clap_id& id) const
{
    return timers && timers->register_timer && timers->unregister_timer &&
           timers->register_timer(host, periodMs, &id);
}

void HostAccess::unregisterTimer(clap::clap_id id) const
{
    if (timers && timers->unregister_timer) timers->unregister_timer(host, id);
}

bool HostAccess::registerFd(int fd) const
{
    return fds && fds->register_fd && fds->unregister_fd &&
           fds->register_fd(host, fd, clap::CLAP_POSIX_FD_READ);
}

void HostAccess::unregisterFd(int fd) const
{
    if (fds && fds->unregister_fd) fds->unregister_fd(host, fd);
}

} // namespace qm07
