// params: parameter info and flags, the plug-in's parameter table, and the host's rescan/clear/flush.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_PARAMS[] = "clap.params";

using clap_param_info_flags = std::uint32_t;
constexpr clap_param_info_flags CLAP_PARAM_IS_STEPPED = 1u << 0;
constexpr clap_param_info_flags CLAP_PARAM_IS_PERIODIC = 1u << 1;
constexpr clap_param_info_flags CLAP_PARAM_IS_HIDDEN = 1u << 2;
constexpr clap_param_info_flags CLAP_PARAM_IS_READONLY = 1u << 3;
constexpr clap_param_info_flags CLAP_PARAM_IS_BYPASS = 1u << 4;
constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE = 1u << 5;
constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_NOTE_ID = 1u << 6;
constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_KEY = 1u << 7;
constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_CHANNEL = 1u << 8;
constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_PORT = 1u << 9;
constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE = 1u << 10;
constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_NOTE_ID = 1u << 11;
constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_KEY = 1u << 12;
constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_CHANNEL = 1u << 13;
constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_PORT = 1u << 14;
constexpr clap_param_info_flags CLAP_PARAM_REQUIRES_PROCESS = 1u << 15;
constexpr clap_param_info_flags CLAP_PARAM_IS_ENUM = 1u << 16;

/// Values are plain, in [min_value, max_value].
struct clap_param_info
{
    clap_id id;
    clap_param_info_flags flags;
    void* cookie;
    char name[CLAP_NAME_SIZE];
    char module[CLAP_PATH_SIZE]; // '/'-separated group path
    double min_value;
    double max_value;
    double default_value;
};

/// Main thread, except flush: audio thread while active, main thread while inactive.
struct clap_plugin_params
{
    std::uint32_t (*count)(const clap_plugin* plugin);
    bool (*get_info)(const clap_plugin* plugin, std::uint32_t param_index, clap_param_info* param_info);
    bool (*get_value)(const clap_plugin* plugin, clap_id param_id, double* out_value);
    bool (*value_to_text)(const clap_plugin* plugin, clap_id param_id, double value, char* out_buffer,
                          std::uint32_t out_buffer_capacity);
    bool (*text_to_value)(const clap_plugin* plugin, clap_id param_id, const char* param_value_text,
                          double* out_value);
    void (*flush)(const clap_plugin* plugin, const clap_input_events* in, const clap_output_events* out);
};

using clap_param_rescan_flags = std::uint32_t;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_VALUES = 1u << 0;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_TEXT = 1u << 1;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_INFO = 1u << 2;
constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_ALL = 1u << 3;

using clap_param_clear_flags = std::uint32_t;
constexpr clap_param_clear_flags CLAP_PARAM_CLEAR_ALL = 1u << 0;
constexpr clap_param_clear_flags CLAP_PARAM_CLEAR_AUTOMATIONS = 1u << 1;
constexpr clap_param_clear_flags CLAP_PARAM_CLEAR_MODULATIONS = 1u << 2;

struct clap_host_params
{
    void (*rescan)(const clap_host* host, clap_param_rescan_flags flags);
    void (*clear)(const clap_host* host, clap_id param_id, clap_param_clear_flags flags);
    /// Any thread but the audio thread; some hosts flush synchronously from inside it.
    void (*request_flush)(const clap_host* host);
};

static_assert(sizeof(clap_param_info) == 1320 && alignof(clap_param_info) == 8);
static_assert(offsetof(clap_param_info, id) == 0);
static_assert(offsetof(clap_param_info, flags) == 4);
static_assert(offsetof(clap_param_info, cookie) == 8);
static_assert(offsetof(clap_param_info, name) == 16);
static_assert(offsetof(clap_param_info, module) == 272);
static_assert(offsetof(clap_param_info, min_value) == 1296);
static_assert(offsetof(clap_param_info, max_value) == 1304);
static_assert(offsetof(clap_param_info, default_value) == 1312);

static_assert(sizeof(clap_plugin_params) == 48 && alignof(clap_plugin_params) == 8);
static_assert(offsetof(clap_plugin_params, count) == 0);
static_assert(offsetof(clap_plugin_params, get_info) == 8);
static_assert(offsetof(clap_plugin_params, get_value) == 16);
static_assert(offsetof(clap_plugin_params, value_to_text) == 24);
static_assert(offsetof(clap_plugin_params, text_to_value) == 32);
static_assert(offsetof(clap_plugin_params, flush) == 40);

static_assert(sizeof(clap_host_params) == 24 && alignof(clap_host_params) == 8);
static_assert(offsetof(clap_host_params, rescan) == 0);
static_assert(offsetof(clap_host_params, clear) == 8);
static_assert(offsetof(clap_host_params, request_flush) == 16);

} // namespace qm07::clap
}
