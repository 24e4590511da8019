// thread-check (host only): lets debug checks ask which symbolic thread is calling.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_THREAD_CHECK[] = "clap.thread-check";

/// Both thread-safe.
struct clap_host_thread_check
{
    bool (*is_main_thread)(const clap_host* host);
    bool (*is_audio_thread)(const clap_host* host);
};

static_assert(sizeof(clap_host_thread_check) == 16 && alignof(clap_host_thread_check) == 8);
static_assert(offsetof(clap_host_thread_check, is_main_thread) == 0);
static_assert(offsetof(clap_host_thread_check, is_audio_thread) == 8);

} // namespace qm07::clap
}
