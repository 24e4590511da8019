// The library's one exported object and the plug-in factory it hands out.
#pragma once

#include "Plugin.h"

extern "C" {
namespace qm07::clap
{

/// The type of the exported data symbol "clap_entry" (an object, not a function).
struct clap_plugin_entry
{
    struct clap_version clap_version; // elaborated: the member shares the type's name
    /// First call into the library; may come several times and must be counted.
    bool (*init)(const char* plugin_path);
    void (*deinit)();
    /// Thread-safe; null for an unknown id.
    const void* (*get_factory)(const char* factory_id);
};
using clap_plugin_entry_t = clap_plugin_entry;

inline constexpr char CLAP_PLUGIN_FACTORY_ID[] = "clap.plugin-factory";

/// All three thread-safe; create_plugin must not call the host.
struct clap_plugin_factory
{
    std::uint32_t (*get_plugin_count)(const clap_plugin_factory* factory);
    const clap_plugin_descriptor* (*get_plugin_descriptor)(const clap_plugin_factory* factory,
                                                           std::uint32_t index);
    const clap_plugin* (*create_plugin)(const clap_plugin_factory* factory, const clap_host* host,
                                        const char* plugin_id);
};

static_assert(sizeof(clap_plugin_entry) == 40 && alignof(clap_plugin_entry) == 8);
static_assert(offsetof(clap_plugin_entry, clap_version) == 0);
static_assert(offsetof(clap_plugin_entry, init) == 16);
static_assert(offsetof(clap_plugin_entry, deinit) == 24);
static_assert(offsetof(clap_plugin_entry, get_factory) == 32);

static_assert(sizeof(clap_plugin_factory) == 24 && alignof(clap_plugin_factory) == 8);
static_assert(offsetof(clap_plugin_factory, get_plugin_count) == 0);
static_assert(offsetof(clap_plugin_factory, get_plugin_descriptor) == 8);
static_assert(offsetof(clap_plugin_factory, create_plugin) == 16);

} // namespace qm07::clap
}
