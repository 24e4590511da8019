// One CLAP instance: the table the host calls through, the lifecycle it walks, and what the extensions
// share: the values, the editor's events, the audio side and the editor.
#pragma once

#include "ClapGui.h"
#include "ClapProcessor.h"
#include "EditEventQueue.h"
#include "HostAccess.h"
#include "SharedValues.h"
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
    static ClapPlugin& of(const clap::clap_plugin* p) { return *static_cast<ClapPlugin*>(p->plugin_data); }

    const HostAccess& hostAccess() const { return host; }
    SharedValues& values() { return shared; }
    EditEventQueue& edits() { return editEvents; }
    ClapGui& editor() { return gui; }
    GainReductionFeed& meterFeed() { return processor.gainReductionFeed(); }
    /// Main thread: the rate of the last activation, or the VST default before the first.
    double sampleRate() const { return rate; }
    /// While not processing: a known Push noise, for reproducible renders.
    void seedNoise(std::uint32_t seed) { processor.seedNoise(seed); }

private:
    enum class Stage
    {
        created,
        inactive,
        active,
        processing
    };

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
    HostAccess host;
    SharedValues shared;
    EditEventQueue editEvents;
    ClapProcessor processor;
    ClapGui gui; // after all it links to, so a forgotten editor closes first
    // Main-thread and audio-thread calls both read it; the host orders the changes.
    std::atomic<Stage> stage{Stage::created};
    double rate = 44100.0;
};

} // namespace qm07
