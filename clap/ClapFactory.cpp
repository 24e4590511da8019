// The factory: one descriptor, named from the CMake project, and instances made for compatible hosts.
#include "ClapFactory.h"

#include "ClapPlugin.h"
#include "ProductInfo.h"
#include "abi/Features.h"

#include <cstring>
#include <new>

namespace qm07
{
namespace
{
const char* const kFeatures[] = {clap::CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, clap::CLAP_PLUGIN_FEATURE_COMPRESSOR,
                                 clap::CLAP_PLUGIN_FEATURE_STEREO, nullptr};

/// Any thread.
std::uint32_t pluginCount(const clap::clap_plugin_factory*)
{
    return 1;
}

/// Any thread.
const clap::clap_plugin_descriptor* pluginDescriptor(const clap::clap_plugin_factory*, std::uint32_t index)
{
    return index == 0 ? &kClapDescriptor : nullptr;
}

/// Any thread; allocates the instance and calls nothing of the host's.
const clap::clap_plugin* createPlugin(const clap::clap_plugin_factory*, const clap::clap_host* host,
                                      const char* id)
{
    if (!host || !clap::clap_version_is_compatible(host->clap_version)) return nullptr;
    if (!id || std::strcmp(id, kClapDescriptor.id) != 0) return nullptr;
    auto* instance = new (std::nothrow) ClapPlugin(host);
    return instance ? instance->table() : nullptr;
}
} // namespace

// Hosts find a saved project's plug-in by this id: never change it.
const clap::clap_plugin_descriptor kClapDescriptor = {
    clap::CLAP_VERSION, "com.tarvel.qm07-compressor",       kProductName, kVendorName, "", "", "",
    kVersionString,     "A stereo feed-forward compressor", kFeatures};

const clap::clap_plugin_factory kClapFactory = {pluginCount, pluginDescriptor, createPlugin};

} // namespace qm07
