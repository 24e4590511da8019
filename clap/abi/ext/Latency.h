// latency: the plug-in reports its delay in samples; the host is told of changes only inside activate.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_LATENCY[] = "clap.latency";

/// Main thread, only while being activated or active.
struct clap_plugin_latency
{
    std::uint32_t (*get)(const clap_plugin* plugin);
};

/// Main thread, only from inside activate.
struct clap_host_latency
{
    void (*changed)(const clap_host* host);
};

static_assert(sizeof(clap_plugin_latency) == 8 && alignof(clap_plugin_latency) == 8);
static_assert(offsetof(clap_plugin_latency, get) == 0);
static_assert(sizeof(clap_host_latency) == 8 && alignof(clap_host_latency) == 8);
static_assert(offsetof(clap_host_latency, changed) == 0);

} // namespace qm07::clap
}
