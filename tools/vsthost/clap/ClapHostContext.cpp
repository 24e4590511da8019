// What the host does with the plug-in's requests: thread identity, messages, timers, descriptors, resizes.
#include "ClapHostContext.h"

#include "ClapHostTables.h"
#include "ClapPlatform.h"
#include "abi/ext/Params.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace qm07::clap;

namespace
{
// Shorter periods are lengthened to this: a timer more often than 100 times a second only costs.
constexpr std::uint32_t kShortestTimerMs = 10;
} // namespace

ClapHostContext::ClapHostContext(MessageSink messageSink)
    : host(hostTable(this)), sink(std::move(messageSink)), mainThread(std::this_thread::get_id())
{
}

bool ClapHostContext::onAudioThread() const
{
    return audioThread.load() == std::this_thread::get_id();
}

bool ClapHostContext::onMainThread() const
{
    return std::this_thread::get_id() == mainThread && !onAudioThread();
}

ClapHostContext::AudioScope::AudioScope(ClapHostContext& context)
    : owner(context), before(context.audioThread.exchange(std::this_thread::get_id()))
{
}

ClapHostContext::AudioScope::~AudioScope()
{
    owner.audioThread.store(before);
}

void ClapHostContext::note(const std::string& message)
{
    if (sink)
    {
        sink(message);
        return;
    }
    std::lock_guard<std::mutex> hold(messageLock);
    messages.push_back(message);
}

std::vector<std::string> ClapHostContext::takeMessages()
{
    std::lock_guard<std::mutex> hold(messageLock);
    return std::exchange(messages, {});
}

bool ClapHostContext::expectMainThread(const char* function)
{
    if (onMainThread()) return true;
    note(std::string("fault: ") + function + " called off the main thread");
    return false;
}

const void* ClapHostContext::extension(const char* id)
{
    if (!initStarted) note("fault: the plug-in asked the host for an extension before init");
    if (!id) return nullptr;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0 && !ClapPlatform::watchesDescriptors())
        return nullptr;
    return hostExtension(id);
}

void ClapHostContext::requestFlush()
{
    if (onAudioThread()) note("fault: params.request_flush called from the audio thread");
    flushRequested = true;
}

bool ClapHostContext::requestResize(std::uint32_t width, std::uint32_t height)
{
    resizeWidth = width;
    resizeHeight = height;
    resizeRequested = true;
    return true;
}

bool ClapHostContext::takeResizeRequest(int& width, int& height)
{
    if (!resizeRequested.exchange(false)) return false;
    width = static_cast<int>(resizeWidth.load());
    height = static_cast<int>(resizeHeight.load());
    return true;
}

bool ClapHostContext::registerTimer(std::uint32_t periodMs, clap_id* id)
{
    if (!expectMainThread("timer_support.register_timer") || !id) return false;
    const auto period = std::chrono::milliseconds(std::max(periodMs, kShortestTimerMs));
    *id = nextTimer++;
    timerList.push_back({*id, period, Clock::now() + period});
    return true;
}

bool ClapHostContext::unregisterTimer(clap_id id)
{
    if (!expectMainThread("timer_support.unregister_timer")) return false;
    const auto found =
        std::find_if(timerList.begin(), timerList.end(), [id](const Timer& timer) { return timer.id == id; });
    if (found == timerList.end())
    {
        note("fault: timer_support.unregister_timer with the unknown id " + std::to_string(id));
        return false;
    }
    timerList.erase(found);
    return true;
}

std::vector<clap_id> ClapHostContext::dueTimers(Clock::time_point now)
{
    std::vector<clap_id> due;
    for (Timer& timer : timerList)
        if (timer.due <= now)
        {
            due.push_back(timer.id);
            timer.due = std::max(timer.due + timer.period, now);
        }
    return due;
}

bool ClapHostContext::registerFd(int fd, clap_posix_fd_flags_t flags)
{
    if (!expectMainThread("posix_fd_support.register_fd")) return false;
    if (!watched.emplace(fd, flags).second)
    {
        note("fault: posix_fd_support.register_fd for descriptor " + std::to_string(fd) +
             ", registered already");
        return false;
    }
    return true;
}

bool ClapHostContext::modifyFd(int fd, clap_posix_fd_flags_t flags)
{
    if (!expectMainThread("posix_fd_support.modify_fd")) return false;
    const auto found = watched.find(fd);
    if (found == watched.end())
    {
        note("fault: posix_fd_support.modify_fd for descriptor " + std::to_string(fd) + ", never registered");
        return false;
    }
    found->second = flags;
    return true;
}

bool ClapHostContext::unregisterFd(int fd)
{
    if (!expectMainThread("posix_fd_support.unregister_fd")) return false;
    if (watched.erase(fd) == 0)
    {
        note("fault: posix_fd_support.unregister_fd for descriptor " + std::to_string(fd) +
             ", not registered");
        return false;
    }
    return true;
}

void ClapHostContext::latencyChanged()
{
    if (expectMainThread("latency.changed") && !activating)
        note("fault: latency.changed called outside activate");
}

void ClapHostContext::rescanParameters(std::uint32_t flags)
{
    if (expectMainThread("params.rescan") && (flags & CLAP_PARAM_RESCAN_ALL) && active)
        note("fault: params.rescan(ALL) while active");
}
