// The host and the extensions it offers, fetched once in init; every call checks for a missing one.
#pragma once

#include "abi/Plugin.h"
#include "abi/ext/Log.h"
#include "abi/ext/Params.h"
#include "abi/ext/PosixFdSupport.h"
#include "abi/ext/ThreadCheck.h"
#include "abi/ext/TimerSupport.h"

#include <atomic>
#include <cstdint>

namespace qm07
{

class HostAccess
{
public:
    explicit HostAccess(const clap::clap_host* owner) : host(owner) {}

    /// Main thread, in init; no allocation. Extensions the host lacks stay null.
    void fetchExtensions();

    /// Main-thread functions only; no allocation. A call that is not on the main thread is remembered and
    /// logged by the next one that is, so nothing is ever logged from the audio thread.
    void expectMainThread(const char* function) const;
    /// Main thread (or any thread but the audio thread): the host's log, if it has one.
    void log(clap::clap_log_severity severity, const char* message) const;

    /// Main thread (never the audio thread): the host calls flush or process soon.
    void requestFlush() const;
    /// Main thread: the host reads every value again, as after loading a state.
    void rescanValues() const;
    /// Main thread: a periodic on_timer; false without timer-support.
    bool registerTimer(std::uint32_t periodMs, clap::clap_id& id) const;
    void unregisterTimer(clap::clap_id id) const;
    /// Main thread: on_fd while `fd` is readable; false without posix-fd-support.
    bool registerFd(int fd) const;
    void unregisterFd(int fd) const;

    const clap::clap_host* get() const { return host; }

private:
    const void* extension(const char* id) const;

    const clap::clap_host* host;
    const clap::clap_host_log* hostLog = nullptr;
    const clap::clap_host_thread_check* threadCheck = nullptr;
    const clap::clap_host_params* params = nullptr;
    const clap::clap_host_timer_support* timers = nullptr;
    const clap::clap_host_posix_fd_support* fds = nullptr;
    /// The last function called off the main thread and not yet logged (a static string).
    mutable std::atomic<const char*> offMainThread{nullptr};
};

} // namespace qm07
