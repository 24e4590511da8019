// audio-ports: the plug-in's port list and the host's rescan requests.
#pragma once

#include "../Plugin.h"

extern "C" {
namespace qm07::clap
{

inline constexpr char CLAP_EXT_AUDIO_PORTS[] = "clap.audio-ports";
inline constexpr char CLAP_PORT_MONO[] = "mono";
inline constexpr char CLAP_PORT_STEREO[] = "stereo";

constexpr std::uint32_t CLAP_AUDIO_PORT_IS_MAIN = 1u << 0;
constexpr std::uint32_t CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1u << 1;
constexpr std::uint32_t CLAP_AUDIO_PORT_PREFERS_64BITS = 1u << 2;
constexpr std::uint32_t CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1u << 3;

struct clap_audio_port_info
{
    clap_id id;
    char name[CLAP_NAME_SIZE];
    std::uint32_t flags;
    std::uint32_t channel_count;
    const char* port_type; // a static string, or null for unspecified
    clap_id in_place_pair; // CLAP_INVALID_ID forbids shared buffers
};

/// Main thread; ports change only while inactive.
struct clap_plugin_audio_ports
{
    std::uint32_t (*count)(const clap_plugin* plugin, bool is_input);
    bool (*get)(const clap_plugin* plugin, std::uint32_t index, bool is_input, clap_audio_port_info* info);
};

constexpr std::uint32_t CLAP_AUDIO_PORTS_RESCAN_NAMES = 1u << 0;
constexpr std::uint32_t CLAP_AUDIO_PORTS_RESCAN_FLAGS = 1u << 1;
constexpr std::uint32_t CLAP_AUDIO_PORTS_RESCAN_CHANNEL_COUNT = 1u << 2;
constexpr std::uint32_t CLAP_AUDIO_PORTS_RESCAN_PORT_TYPE = 1u << 3;
constexpr std::uint32_t CLAP_AUDIO_PORTS_RESCAN_IN_PLACE_PAIR = 1u << 4;
constexpr std::uint32_t CLAP_AUDIO_PORTS_RESCAN_LIST = 1u << 5;

struct clap_host_audio_ports
{
    bool (*is_rescan_flag_supported)(const clap_host* host, std::uint32_t flag);
    void (*rescan)(const clap_host* host, std::uint32_t flags);
};

static_assert(sizeof(clap_audio_port_info) == 288 && alignof(clap_audio_port_info) == 8);
static_assert(offsetof(clap_audio_port_info, id) == 0);
static_assert(offsetof(clap_audio_port_info, name) == 4);
static_assert(offsetof(clap_audio_port_info, flags) == 260);
static_assert(offsetof(clap_audio_port_info, channel_count) == 264);
static_assert(offsetof(clap_audio_port_info, port_type) == 272);
static_assert(offsetof(clap_audio_port_info, in_place_pair) == 280);

static_assert(sizeof(clap_plugin_audio_ports) == 16 && alignof(clap_plugin_audio_ports) == 8);
static_assert(offsetof(clap_plugin_audio_ports, count) == 0);
static_assert(offsetof(clap_plugin_audio_ports, get) == 8);

static_assert(sizeof(clap_host_audio_ports) == 16 && alignof(clap_host_audio_ports) == 8);
static_assert(offsetof(clap_host_audio_ports, is_rescan_flag_supported) == 0);
static_assert(offsetof(clap_host_audio_ports, rescan) == 8);

} // namespace qm07::clap
}
