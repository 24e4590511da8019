// timer-support: periodic main-thread callbacks the host drives, for editors and meters.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_TIMER_SUPPORT[] = "clap.timer-support";

struct clap_plugin_timer_support
{
    void (*on_timer)(const clap_plugin* plugin, clap_id timer_id);
};

/// Main thread; unregister only ids you registered.
struct clap_host_timer_support
{
    bool (*register_timer)(const clap_host* host, std::uint32_t period_ms, clap_id* timer_id);
    bool (*unregister_timer)(const clap_host* host, clap_id timer_id);
};

static_assert(sizeof(clap_plugin_timer_support) == 8 && alignof(clap_plugin_timer_support) == 8);
static_assert(offsetof(clap_plugin_timer_support, on_timer) == 0);
static_assert(sizeof(clap_host_timer_support) == 16 && alignof(clap_host_timer_support) == 8);
static_assert(offsetof(clap_host_timer_support, register_timer) == 0);
static_assert(offsetof(clap_host_timer_support, unregister_timer) == 8);

} // namespace qm07::clap
}
