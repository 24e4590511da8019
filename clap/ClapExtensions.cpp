// audio-ports (one stereo input, one stereo output, in place allowed), latency (none), and the lookup of
// every table.
#include "ClapExtensions.h"

#include "ClapPlugin.h"
#include "EditorPlatform.h"
#include "abi/ext/AudioPorts.h"
#include "abi/ext/Latency.h"

#include <cstdio>
#include <cstring>

namespace qm07
{
namespace
{
/// Main thread; no allocation.
std::uint32_t portCount(const clap::clap_plugin* p, bool)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("audio_ports.count");
    return 1;
}

/// Main thread; no allocation. The engine has a double path and lets outputs alias inputs.
bool portInfo(const clap::clap_plugin* p, std::uint32_t index, bool isInput, clap::clap_audio_port_info* info)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("audio_ports.get");
    if (index != 0 || !info) return false;
    *info = {};
    info->id = 0;
    std::snprintf(info->name, sizeof(info->name), "%s", isInput ? "Main In" : "Main Out");
    info->flags = clap::CLAP_AUDIO_PORT_IS_MAIN | clap::CLAP_AUDIO_PORT_SUPPORTS_64BITS;
    info->channel_count = 2;
    info->port_type = clap::CLAP_PORT_STEREO;
    info->in_place_pair = 0;
    return true;
}

/// Main thread; no allocation.
std::uint32_t latencySamples(const clap::clap_plugin* p)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("latency.get");
    return 0;
}

const clap::clap_plugin_audio_ports kAudioPorts = {portCount, portInfo};
const clap::clap_plugin_latency kLatency = {latencySamples};
} // namespace

const void* clapExtension(const char* id)
{
    if (!id) return nullptr;
    if (std::strcmp(id, clap::CLAP_EXT_AUDIO_PORTS) == 0) return &kAudioPorts;
    if (std::strcmp(id, clap::CLAP_EXT_LATENCY) == 0) return &kLatency;
    if (std::strcmp(id, clap::CLAP_EXT_PARAMS) == 0) return &kParamsExtension;
    if (std::strcmp(id, clap::CLAP_EXT_STATE) == 0) return &kStateExtension;
    if (std::strcmp(id, clap::CLAP_EXT_GUI) == 0) return &kGuiExtension;
    if (std::strcmp(id, clap::CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimerExtension;
    return platformExtension(id);
}

} // namespace qm07
