// The host side each CLAP instance talks to: the clap_host table, the host extensions, and what the plug-in
// asked through them. Requests may come on any thread; they wait in atomics for the main thread.
#pragma once

#include "abi/Plugin.h"
#include "abi/ext/PosixFdSupport.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ClapHostContext
{
public:
    using Clock = std::chrono::steady_clock;
    /// Receives every message on the thread that noted it, so it must be thread-safe. Without one the
    /// messages wait for takeMessages().
    using MessageSink = std::function<void(const std::string&)>;

    /// The calling thread becomes the instance's main thread.
    explicit ClapHostContext(MessageSink sink);
    ClapHostContext(const ClapHostContext&) = delete;
    ClapHostContext& operator=(const ClapHostContext&) = delete;

    const qm07::clap::clap_host* table() const { return &host; }

    /// Any thread. While a thread makes audio calls it is the audio thread and not the main thread, even
    /// when it is the main thread's OS thread (offline rendering).
    bool onMainThread() const;
    bool onAudioThread() const;

    /// Marks the calling thread as the audio thread while it lives: CLAP's audio thread is whichever thread
    /// makes the audio calls, one at a time.
    class AudioScope
    {
    public:
        explicit AudioScope(ClapHostContext& context);
        ~AudioScope();
        AudioScope(const AudioScope&) = delete;
        AudioScope& operator=(const AudioScope&) = delete;

    private:
        ClapHostContext& owner;
        std::thread::id before;
    };

    /// Any thread; may allocate and lock, so the audio thread only notes a plug-in's fault with it.
    void note(const std::string& message);
    std::vector<std::string> takeMessages();

    /// Main thread: whether the plug-in asked for this since the last call.
    bool takeFlushRequest() { return flushRequested.exchange(false); }
    bool takeCallbackRequest() { return callbackRequested.exchange(false); }
    bool takeResizeRequest(int& width, int& height);

    /// Main thread: the instance's stage, which some host functions depend on.
    void beginInit() { initStarted = true; }
    void setActivating(bool on) { activating = on; }
    void setActive(bool on) { active = on; }

    struct Timer
    {
        qm07::clap::clap_id id;
        Clock::duration period;
        Clock::time_point due;
    };
    /// Main thread: the plug-in's timers, and its descriptors with their interest masks.
    const std::vector<Timer>& timers() const { return timerList; }
    const std::map<int, qm07::clap::clap_posix_fd_flags_t>& descriptors() const { return watched; }
    /// Main thread: the ids of the timers due at now, each moved on to its next time.
    std::vector<qm07::clap::clap_id> dueTimers(Clock::time_point now);

    // The host's functions and extension tables call these, on the plug-in's thread.
    const void* extension(const char* id);
    void requestFlush();
    void requestCallback() { callbackRequested = true; }
    bool requestResize(std::uint32_t width, std::uint32_t height);
    bool registerTimer(std::uint32_t periodMs, qm07::clap::clap_id* id);
    bool unregisterTimer(qm07::clap::clap_id id);
    bool registerFd(int fd, qm07::clap::clap_posix_fd_flags_t flags);
    bool modifyFd(int fd, qm07::clap::clap_posix_fd_flags_t flags);
    bool unregisterFd(int fd);
    void latencyChanged();
    void rescanParameters(std::uint32_t flags);
    /// Notes the call unless it comes on the main thread; answers whether it does.
    bool expectMainThread(const char* function);

private:
    qm07::clap::clap_host host;
    MessageSink sink;
    std::thread::id mainThread;
    std::atomic<std::thread::id> audioThread{};
    std::atomic<bool> flushRequested{false};
    std::atomic<bool> callbackRequested{false};
    std::atomic<bool> resizeRequested{false};
    std::atomic<std::uint32_t> resizeWidth{0};
    std::atomic<std::uint32_t> resizeHeight{0};
    std::atomic<bool> initStarted{false};
    std::atomic<bool> activating{false};
    std::atomic<bool> active{false};
    std::vector<Timer> timerList;
    qm07::clap::clap_id nextTimer = 1;
    std::map<int, qm07::clap::clap_posix_fd_flags_t> watched;
    std::mutex messageLock;
    std::vector<std::string> messages;
};
