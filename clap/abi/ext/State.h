// state: saving and loading the plug-in's whole state through host streams, and marking it dirty.
#pragma once

#include "../Plugin.h"
#include "../Stream.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_STATE[] = "clap.state";

/// Main thread; may come before activate and while the audio thread processes.
struct clap_plugin_state
{
    bool (*save)(const clap_plugin* plugin, const clap_ostream* stream);
    bool (*load)(const clap_plugin* plugin, const clap_istream* stream);
};

struct clap_host_state
{
    void (*mark_dirty)(const clap_host* host);
};

static_assert(sizeof(clap_plugin_state) == 16 && alignof(clap_plugin_state) == 8);
static_assert(offsetof(clap_plugin_state, save) == 0);
static_assert(offsetof(clap_plugin_state, load) == 8);

static_assert(sizeof(clap_host_state) == 8 && alignof(clap_host_state) == 8);
static_assert(offsetof(clap_host_state, mark_dirty) == 0);

} // namespace qm07::clap
}
