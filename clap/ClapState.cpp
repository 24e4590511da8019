// state: the VST build's 40-byte chunk, so a project moves between the two formats unchanged.
#include "ClapExtensions.h"
#include "ClapPlugin.h"
#include "StateStreams.h"

namespace qm07
{

namespace
{
/// Main thread; no allocation. The values as they are now, the audio thread's changes included.
bool save(const clap::clap_plugin* p, const clap::clap_ostream* stream)
{
    ClapPlugin& self = ClapPlugin::of(p);
    self.hostAccess().expectMainThread("state.save");
    return writeStateTo(stream, writeState(self.values().all()));
}

/// Main thread; no allocation. The audio thread and the editor take the values from the shared copy.
bool load(const clap::clap_plugin* p, const clap::clap_istream* stream)
{
    ClapPlugin& self = ClapPlugin::of(p);
    self.hostAccess().expectMainThread("state.load");
    StateBytes bytes;
    if (!readStateFrom(stream, bytes)) return false;
    ParameterValues values = self.values().all();
    readState(bytes.data(), bytes.size(), values);
    for (std::int32_t index = 0; index < kNumParams; ++index)
        self.values().setFromHost(index, values[index]);
    self.hostAccess().rescanValues();
    return true;
}
} // namespace

const clap::clap_plugin_state kStateExtension = {save, load};

} // namespace qm07
