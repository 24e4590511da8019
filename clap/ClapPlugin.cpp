// The instance's lifecycle: refuses calls out of order, so a misbehaving host gets false, not a crash.
#include "ClapPlugin.h"

#include "ClapEvents.h"
#include "ClapExtensions.h"
#include "ClapFactory.h"
#include "NoiseSeed.h"

#include <cstdint>

namespace qm07
{

ClapPlugin::ClapPlugin(const clap::clap_host* owner)
    : plugin{&kClapDescriptor, this,           init,  destroy, activate,     deactivate,
             startProcessing,  stopProcessing, reset, process, getExtension, onMainThread},
      host(owner), processor(freshNoiseSeed(this)),
      gui({shared, editEvents, host, processor.gainReductionFeed()})
{
}

bool ClapPlugin::moveStage(Stage from, Stage to)
{
    return stage.compare_exchange_strong(from, to);
}

void ClapPlugin::hostMisbehaved(const char* what) const
{
    host.log(clap::CLAP_LOG_HOST_MISBEHAVING, what);
}

/// Main thread; the first moment host extensions may be fetched. No allocation.
bool ClapPlugin::init(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
    if (self.stage.load() != Stage::created) return false;
    self.host.fetchExtensions();
    self.host.expectMainThread("init");
    return self.moveStage(Stage::created, Stage::inactive);
}

/// Main thread; frees the instance, the editor a host forgot to destroy included (the gui goes first).
void ClapPlugin::destroy(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
    self.host.expectMainThread("destroy");
    if (self.gui.exists()) self.hostMisbehaved("destroy with the editor still there");
    const Stage at = self.stage.load();
    if (at == Stage::active || at == Stage::processing) self.hostMisbehaved("destroy while active");
    delete &self;
}

/// Main thread; allocates. The range is what every later block keeps to.
bool ClapPlugin::activate(const clap::clap_plugin* p, double sampleRate, std::uint32_t minFrames,
                          std::uint32_t frameLimit)
{
    ClapPlugin& self = of(p);
    self.host.expectMainThread("activate");
    if (!(sampleRate > 0.0) || minFrames < 1 || minFrames > frameLimit || frameLimit > INT32_MAX)
    {
        self.hostMisbehaved("activate with an impossible rate or frame range");
        return false;
    }
    if (self.stage.load() != Stage::inactive)
    {
        self.hostMisbehaved("activate while not inactive");
        return false;
    }
    self.processor.activate(sampleRate, frameLimit);
    self.rate = sampleRate;
    return self.moveStage(Stage::inactive, Stage::active);
}

/// Main thread; a host that skipped stop_processing is treated as if it had called it. No allocation.
void ClapPlugin::deactivate(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
    self.host.expectMainThread("deactivate");
    if (!self.moveStage(Stage::active, Stage::inactive) &&
        !self.moveStage(Stage::processing, Stage::inactive))
        self.hostMisbehaved("deactivate while inactive");
}

/// Audio thread; no allocation.
bool ClapPlugin::startProcessing(const clap::clap_plugin* p)
{
    return of(p).moveStage(Stage::active, Stage::processing);
}

/// Audio thread; no allocation.
void ClapPlugin::stopProcessing(const clap::clap_plugin* p)
{
    of(p).moveStage(Stage::processing, Stage::active);
}

/// Audio thread; no allocation. Values stay; the engine's memory of past audio goes.
void ClapPlugin::reset(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
    const Stage at = self.stage.load();
    if (at == Stage::active || at == Stage::processing) self.processor.reset();
}

/// Audio thread; never allocates, locks, logs or waits. Editor events go out first, at time 0.
clap::clap_process_status ClapPlugin::process(const clap::clap_plugin* p, const clap::clap_process* block)
{
    ClapPlugin& self = of(p);
    const Stage at = self.stage.load(std::memory_order_relaxed);
    if (!block || (at != Stage::processing && at != Stage::active)) return clap::CLAP_PROCESS_ERROR;
    sendEdits(self.editEvents, block->out_events);
    self.processor.process(*block, self.shared);
    return clap::CLAP_PROCESS_CONTINUE;
}

/// Any thread; no allocation. The same static tables every time.
const void* ClapPlugin::getExtension(const clap::clap_plugin*, const char* id)
{
    return clapExtension(id);
}

/// Main thread; no allocation. Nothing is ever requested.
void ClapPlugin::onMainThread(const clap::clap_plugin* p)
{
    of(p).host.expectMainThread("on_main_thread");
}

} // namespace qm07
