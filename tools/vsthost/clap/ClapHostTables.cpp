// The host's function tables. Each function is called by the plug-in on the thread CLAP names for it (a
// wrong thread is noted as a fault) and hands the call to the instance's context.
#include "ClapHostTables.h"

#include "ClapHostContext.h"
#include "abi/ext/AudioPorts.h"
#include "abi/ext/Gui.h"
#include "abi/ext/Latency.h"
#include "abi/ext/Log.h"
#include "abi/ext/Params.h"
#include "abi/ext/State.h"
#include "abi/ext/ThreadCheck.h"
#include "abi/ext/TimerSupport.h"

#include <cstring>
#include <string>

using namespace qm07::clap;

namespace
{
ClapHostContext& of(const clap_host* host)
{
    return *static_cast<ClapHostContext*>(host->host_data);
}

/// Any thread; no allocation.
const void* getExtension(const clap_host* host, const char* id)
{
    return of(host).extension(id);
}

/// Any thread; allocates. We never restart an instance, so the request is only reported.
void requestRestart(const clap_host* host)
{
    of(host).note("the plug-in asked for a restart, which this host does not do");
}

/// Any thread; no allocation. We process continuously anyway.
void requestProcess(const clap_host*) {}

/// Any thread; no allocation. on_main_thread follows at the next idle pass.
void requestCallback(const clap_host* host)
{
    of(host).requestCallback();
}

/// Any thread; no allocation.
bool isMainThread(const clap_host* host)
{
    return of(host).onMainThread();
}

/// Any thread; no allocation.
bool isAudioThread(const clap_host* host)
{
    return of(host).onAudioThread();
}

/// Any thread but the audio thread; allocates.
void log(const clap_host* host, clap_log_severity severity, const char* message)
{
    static const char* const kSeverities[] = {
        "debug", "info", "warning", "error", "fatal", "host misbehaving", "plug-in misbehaving"};
    const bool known = severity >= 0 && severity <= CLAP_LOG_PLUGIN_MISBEHAVING;
    ClapHostContext& context = of(host);
    if (context.onAudioThread()) context.note("fault: log called from the audio thread");
    context.note(std::string("log ") + (known ? kSeverities[severity] : "unknown severity") + ": " +
                 (message ? message : "(null)"));
}

/// Main thread; allocates only to note a fault.
void rescanParameters(const clap_host* host, clap_param_rescan_flags flags)
{
    of(host).rescanParameters(flags);
}

/// Main thread; allocates only to note a fault. We keep no automation to clear.
void clearParameter(const clap_host* host, clap_id, clap_param_clear_flags)
{
    of(host).expectMainThread("params.clear");
}

/// Any thread but the audio thread; no allocation but to note a fault. The flush follows at the next idle
/// pass.
void requestFlush(const clap_host* host)
{
    of(host).requestFlush();
}

/// Main thread; allocates only to note a fault. We keep no project to save.
void markDirty(const clap_host* host)
{
    of(host).expectMainThread("state.mark_dirty");
}

/// Any thread; no allocation. A fixed-size window has none.
void resizeHintsChanged(const clap_host*) {}

/// Any thread; no allocation. Our window follows at the next idle pass.
bool requestResize(const clap_host* host, std::uint32_t width, std::uint32_t height)
{
    return of(host).requestResize(width, height);
}

/// Any thread; no allocation. The embedded editor is shown and hidden with our window, not on request.
bool requestShowOrHide(const clap_host*)
{
    return false;
}

/// Any thread; allocates. Only floating windows close themselves, and we embed.
void guiClosed(const clap_host* host, bool wasDestroyed)
{
    of(host).note(std::string("the plug-in says its window closed") + (wasDestroyed ? " and is gone" : ""));
}

/// Main thread; allocates.
bool registerTimer(const clap_host* host, std::uint32_t periodMs, clap_id* id)
{
    return of(host).registerTimer(periodMs, id);
}

/// Main thread; no allocation but to note a fault.
bool unregisterTimer(const clap_host* host, clap_id id)
{
    return of(host).unregisterTimer(id);
}

/// Main thread; allocates.
bool registerFd(const clap_host* host, int fd, clap_posix_fd_flags_t flags)
{
    return of(host).registerFd(fd, flags);
}

/// Main thread; no allocation but to note a fault.
bool modifyFd(const clap_host* host, int fd, clap_posix_fd_flags_t flags)
{
    return of(host).modifyFd(fd, flags);
}

/// Main thread; no allocation but to note a fault.
bool unregisterFd(const clap_host* host, int fd)
{
    return of(host).unregisterFd(fd);
}

/// Main thread, only inside activate; allocates only to note a fault. We read the latency when asked.
void latencyChanged(const clap_host* host)
{
    of(host).latencyChanged();
}

/// Main thread; no allocation. We rescan no ports.
bool rescanFlagSupported(const clap_host*, std::uint32_t)
{
    return false;
}

/// Main thread; allocates. We rescan no ports.
void rescanPorts(const clap_host* host, std::uint32_t)
{
    of(host).note("the plug-in asked for an audio-port rescan, which this host does not do");
}

const clap_host_thread_check kThreadCheck = {isMainThread, isAudioThread};
const clap_host_log kLog = {log};
const clap_host_params kParams = {rescanParameters, clearParameter, requestFlush};
const clap_host_state kState = {markDirty};
const clap_host_gui kGui = {resizeHintsChanged, requestResize, requestShowOrHide, requestShowOrHide,
                            guiClosed};
const clap_host_timer_support kTimers = {registerTimer, unregisterTimer};
const clap_host_posix_fd_support kDescriptors = {registerFd, modifyFd, unregisterFd};
const clap_host_latency kLatency = {latencyChanged};
const clap_host_audio_ports kAudioPorts = {rescanFlagSupported, rescanPorts};
} // namespace

clap_host hostTable(ClapHostContext* context)
{
    return {CLAP_VERSION, context,      "vsthost",      "QM07 project", "",
            "1.0.0",      getExtension, requestRestart, requestProcess, requestCallback};
}

const void* hostExtension(const char* id)
{
    static const std::pair<const char*, const void*> kTables[] = {{CLAP_EXT_THREAD_CHECK, &kThreadCheck},
                                                                  {CLAP_EXT_LOG, &kLog},
                                                                  {CLAP_EXT_PARAMS, &kParams},
                                                                  {CLAP_EXT_STATE, &kState},
                                                                  {CLAP_EXT_GUI, &kGui},
                                                                  {CLAP_EXT_TIMER_SUPPORT, &kTimers},
                                                                  {CLAP_EXT_POSIX_FD_SUPPORT, &kDescriptors},
                                                                  {CLAP_EXT_LATENCY, &kLatency},
                                                                  {CLAP_EXT_AUDIO_PORTS, &kAudioPorts}};
    for (const auto& [name, table] : kTables)
        if (std::strcmp(name, id) == 0) return table;
    return nullptr;
}
