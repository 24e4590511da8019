// One processing call: the block, its audio buffers and event lists, and the status it returns.
#pragma once

#include "Events.h"

extern "C" {
namespace qm07::clap
{

/// Exactly one of data32/data64 is set; 64-bit only on ports that advertise it.
struct clap_audio_buffer
{
    float** data32;
    double** data64;
    std::uint32_t channel_count;
    std::uint32_t latency;
    std::uint64_t constant_mask; // bit i: every sample of channel i equals its first
};

/// Everything reachable from here is valid only until process returns.
struct clap_process
{
    std::int64_t steady_time; // -1 when the host keeps none
    std::uint32_t frames_count;
    const clap_event_transport* transport; // null when free-running
    const clap_audio_buffer* audio_inputs;
    clap_audio_buffer* audio_outputs;
    std::uint32_t audio_inputs_count;
    std::uint32_t audio_outputs_count;
    const clap_input_events* in_events;
    const clap_output_events* out_events;
};

using clap_process_status = std::int32_t;
constexpr clap_process_status CLAP_PROCESS_ERROR = 0;
constexpr clap_process_status CLAP_PROCESS_CONTINUE = 1;
constexpr clap_process_status CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2;
constexpr clap_process_status CLAP_PROCESS_TAIL = 3;
constexpr clap_process_status CLAP_PROCESS_SLEEP = 4;

static_assert(sizeof(clap_audio_buffer) == 32 && alignof(clap_audio_buffer) == 8);
static_assert(offsetof(clap_audio_buffer, data32) == 0);
static_assert(offsetof(clap_audio_buffer, data64) == 8);
static_assert(offsetof(clap_audio_buffer, channel_count) == 16);
static_assert(offsetof(clap_audio_buffer, latency) == 20);
static_assert(offsetof(clap_audio_buffer, constant_mask) == 24);

static_assert(sizeof(clap_process) == 64 && alignof(clap_process) == 8);
static_assert(offsetof(clap_process, steady_time) == 0);
static_assert(offsetof(clap_process, frames_count) == 8);
static_assert(offsetof(clap_process, transport) == 16);
static_assert(offsetof(clap_process, audio_inputs) == 24);
static_assert(offsetof(clap_process, audio_outputs) == 32);
static_assert(offsetof(clap_process, audio_inputs_count) == 40);
static_assert(offsetof(clap_process, audio_outputs_count) == 44);
static_assert(offsetof(clap_process, in_events) == 48);
static_assert(offsetof(clap_process, out_events) == 56);

} // namespace qm07::clap
}
