// The instance's lifecycle: refuses calls out of order, so a misbehaving host gets false, not a crash.
#include "ClapPlugin.h"

#include "ClapExtensions.h"
#include "ClapFactory.h"
#include "abi/ext/Log.h"

namespace qm07
{

ClapPlugin::ClapPlugin(const clap::clap_host* owner)
    : plugin{&clapDescriptor(), this,           init,  destroy, activate,     deactivate,
             startProcessing,   stopProcessing, reset, process, getExtension, onMainThread},
      host(owner)
{
}

bool ClapPlugin::moveStage(Stage from, Stage to)
{
    return stage.compare_exchange_strong(from, to);
}

void ClapPlugin::hostMisbehaved(const char* what) const
{
    const auto* log = static_cast<const clap::clap_host_log*>(hostLog);
    if (log && log->log) log->log(host, clap::CLAP_LOG_HOST_MISBEHAVING, what);
}

/// Main thread; the first moment host extensions may be fetched.
bool ClapPlugin::init(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
    if (self.host->get_extension) self.hostLog = self.host->get_extension(self.host, clap::CLAP_EXT_LOG);
    return self.moveStage(Stage::created, Stage::inactive);
}

/// Main thread; frees the instance, deactivating first for hosts that forget.
void ClapPlugin::destroy(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
    const Stage at = self.stage.load();
    if (at == Stage::active || at == Stage::processing) self.hostMisbehaved("destroy while active");
    delete &self;
}

/// Main thread; may allocate. The range is what every later block keeps to.
bool ClapPlugin::activate(const clap::clap_plugin* p, double rate, std::uint32_t minFrames,
                          std::uint32_t frameLimit)
{
    ClapPlugin& self = of(p);
    if (!(rate > 0.0) || minFrames < 1 || minFrames > frameLimit || frameLimit > INT32_MAX)
    {
        self.hostMisbehaved("activate with an impossible rate or frame range");
        return false;
    }
    if (self.stage.load() != Stage::inactive)
    {
        self.hostMisbehaved("activate while not inactive");
        return false;
    }
    self.sampleRate = rate;
    self.maxFrames = frameLimit;
    return self.moveStage(Stage::inactive, Stage::active);
}

/// Main thread; a host that skipped stop_processing is treated as if it had called it.
void ClapPlugin::deactivate(const clap::clap_plugin* p)
{
    ClapPlugin& self = of(p);
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

/// Audio thread; no allocation. Nothing holds DSP memory until the engine is attached.
void ClapPlugin::reset(const clap::clap_plugin*) {}

/// Audio thread; no allocation. Until the engine is attached every block is refused.
clap::clap_process_status ClapPlugin::process(const clap::clap_plugin*, const clap::clap_process*)
{
    return clap::CLAP_PROCESS_ERROR;
}

/// Any thread; the same static tables every time.
const void* ClapPlugin::getExtension(const clap::clap_plugin*, const char* id)
{
    return clapExtension(id);
}

/// Main thread; nothing is ever requested yet.
void ClapPlugin::onMainThread(const clap::clap_plugin*) {}

} // namespace qm07
