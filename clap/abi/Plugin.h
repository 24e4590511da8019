// The plug-in's descriptor, its instance table, and the host's table handed to every instance.
#pragma once

#include "Process.h"

extern "C" {
namespace qm07::clap
{

/// Owned by the plug-in, valid until the library's deinit.
struct clap_plugin_descriptor
{
    struct clap_version clap_version; // elaborated: the member shares the type's name
    const char* id;                   // mandatory, stable across releases
    const char* name;                 // mandatory
    const char* vendor;
    const char* url;
    const char* manual_url;
    const char* support_url;
    const char* version;
    const char* description;
    const char* const* features; // null-terminated
};

struct clap_plugin
{
    const clap_plugin_descriptor* desc;
    void* plugin_data;
    bool (*init)(const clap_plugin* plugin);
    void (*destroy)(const clap_plugin* plugin);
    bool (*activate)(const clap_plugin* plugin, double sample_rate, std::uint32_t min_frames_count,
                     std::uint32_t max_frames_count);
    void (*deactivate)(const clap_plugin* plugin);
    bool (*start_processing)(const clap_plugin* plugin);
    void (*stop_processing)(const clap_plugin* plugin);
    void (*reset)(const clap_plugin* plugin);
    clap_process_status (*process)(const clap_plugin* plugin, const clap_process* process);
    const void* (*get_extension)(const clap_plugin* plugin, const char* id);
    void (*on_main_thread)(const clap_plugin* plugin);
};

/// Owned by the host, valid until after the instance's destroy.
struct clap_host
{
    struct clap_version clap_version; // elaborated: the member shares the type's name
    void* host_data;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    const void* (*get_extension)(const clap_host* host, const char* extension_id);
    void (*request_restart)(const clap_host* host);
    void (*request_process)(const clap_host* host);
    void (*request_callback)(const clap_host* host);
};

static_assert(sizeof(clap_plugin_descriptor) == 88 && alignof(clap_plugin_descriptor) == 8);
static_assert(offsetof(clap_plugin_descriptor, clap_version) == 0);
static_assert(offsetof(clap_plugin_descriptor, id) == 16);
static_assert(offsetof(clap_plugin_descriptor, name) == 24);
static_assert(offsetof(clap_plugin_descriptor, vendor) == 32);
static_assert(offsetof(clap_plugin_descriptor, url) == 40);
static_assert(offsetof(clap_plugin_descriptor, manual_url) == 48);
static_assert(offsetof(clap_plugin_descriptor, support_url) == 56);
static_assert(offsetof(clap_plugin_descriptor, version) == 64);
static_assert(offsetof(clap_plugin_descriptor, description) == 72);
static_assert(offsetof(clap_plugin_descriptor, features) == 80);

static_assert(sizeof(clap_plugin) == 96 && alignof(clap_plugin) == 8);
static_assert(offsetof(clap_plugin, desc) == 0);
static_assert(offsetof(clap_plugin, plugin_data) == 8);
static_assert(offsetof(clap_plugin, init) == 16);
static_assert(offsetof(clap_plugin, destroy) == 24);
static_assert(offsetof(clap_plugin, activate) == 32);
static_assert(offsetof(clap_plugin, deactivate) == 40);
static_assert(offsetof(clap_plugin, start_processing) == 48);
static_assert(offsetof(clap_plugin, stop_processing) == 56);
static_assert(offsetof(clap_plugin, reset) == 64);
static_assert(offsetof(clap_plugin, process) == 72);
static_assert(offsetof(clap_plugin, get_extension) == 80);
static_assert(offsetof(clap_plugin, on_main_thread) == 88);

static_assert(sizeof(clap_host) == 88 && alignof(clap_host) == 8);
static_assert(offsetof(clap_host, clap_version) == 0);
static_assert(offsetof(clap_host, host_data) == 16);
static_assert(offsetof(clap_host, name) == 24);
static_assert(offsetof(clap_host, vendor) == 32);
static_assert(offsetof(clap_host, url) == 40);
static_assert(offsetof(clap_host, version) == 48);
static_assert(offsetof(clap_host, get_extension) == 56);
static_assert(offsetof(clap_host, request_restart) == 64);
static_assert(offsetof(clap_host, request_process) == 72);
static_assert(offsetof(clap_host, request_callback) == 80);

} // namespace qm07::clap
}
