// One CLAP instance: the table the host calls through, and the lifecycle it walks.
#pragma once

#include "abi/Plugin.h"

#include <atomic>

namespace qm07
{

class ClapPlugin
{
public:
    /// Must not call the host: create_plugin forbids it.
    explicit ClapPlugin(const clap::clap_host* host);

    const clap::clap_plugin* table() const { return &plugin; }

private:
    enum class Stage
    {
        created,
        inactive,
        active,
        processing
    };

    static ClapPlugin& of(const clap::clap_plugin* p) { return *static_cast<ClapPlugin*>(p->plugin_data); }
    static bool init(const clap::clap_plugin* p);
    static void destroy(const clap::clap_plugin* p);
    static bool activate(const clap::clap_plugin* p, double rate, std::uint32_t minFrames,
                         std::uint32_t frameLimit);
    static void deactivate(const clap::clap_plugin* p);
    static bool startProcessing(const clap::clap_plugin* p);
    static void stopProcessing(const clap::clap_plugin* p);
    static void reset(const clap::clap_plugin* p);
    static clap::clap_process_status process(const clap::clap_plugin* p, const clap::clap_process* block);
    static const void* getExtension(const clap::clap_plugin* p, const char* id);
    static void onMainThread(const clap::clap_plugin* p);

    /// Main thread only: the host's log is not real-time safe.
    void hostMisbehaved(const char* what) const;
    bool moveStage(Stage from, Stage to);

    clap::clap_plugin plugin;
    const clap::clap_host* host;
    const void* hostLog = nullptr;
    // Main-thread and audio-thread calls both read it; the host orders the changes.
    std::atomic<Stage> stage{Stage::created};
    double sampleRate = 0.0;
    std::uint32_t maxFrames = 0;
};

} // namespace qm07
