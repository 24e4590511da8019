// log (host only): messages to the host's log, never from the audio thread.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_LOG[] = "clap.log";

using clap_log_severity = std::int32_t;
constexpr clap_log_severity CLAP_LOG_DEBUG = 0;
constexpr clap_log_severity CLAP_LOG_INFO = 1;
constexpr clap_log_severity CLAP_LOG_WARNING = 2;
constexpr clap_log_severity CLAP_LOG_ERROR = 3;
constexpr clap_log_severity CLAP_LOG_FATAL = 4;
constexpr clap_log_severity CLAP_LOG_HOST_MISBEHAVING = 5;
constexpr clap_log_severity CLAP_LOG_PLUGIN_MISBEHAVING = 6;

/// Thread-safe but not real-time safe.
struct clap_host_log
{
    void (*log)(const clap_host* host, clap_log_severity severity, const char* msg);
};

static_assert(sizeof(clap_host_log) == 8 && alignof(clap_host_log) == 8);
static_assert(offsetof(clap_host_log, log) == 0);

} // namespace qm07::clap
}
