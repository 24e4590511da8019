// Events: the common header, core types and flags, parameter, note and transport events, and the lists.
#pragma once

#include "Version.h"

extern "C" {
namespace qm07::clap
{

struct clap_event_header
{
    std::uint32_t size; // of the whole event, header included
    std::uint32_t time; // frame offset within the block
    std::uint16_t space_id;
    std::uint16_t type;
    std::uint32_t flags;
};

constexpr std::uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;

constexpr std::uint32_t CLAP_EVENT_IS_LIVE = 1u << 0;
constexpr std::uint32_t CLAP_EVENT_DONT_RECORD = 1u << 1;

constexpr std::uint16_t CLAP_EVENT_NOTE_ON = 0;
constexpr std::uint16_t CLAP_EVENT_NOTE_OFF = 1;
constexpr std::uint16_t CLAP_EVENT_NOTE_CHOKE = 2;
constexpr std::uint16_t CLAP_EVENT_NOTE_END = 3;
constexpr std::uint16_t CLAP_EVENT_NOTE_EXPRESSION = 4;
constexpr std::uint16_t CLAP_EVENT_PARAM_VALUE = 5;
constexpr std::uint16_t CLAP_EVENT_PARAM_MOD = 6;
constexpr std::uint16_t CLAP_EVENT_PARAM_GESTURE_BEGIN = 7;
constexpr std::uint16_t CLAP_EVENT_PARAM_GESTURE_END = 8;
constexpr std::uint16_t CLAP_EVENT_TRANSPORT = 9;
constexpr std::uint16_t CLAP_EVENT_MIDI = 10;
constexpr std::uint16_t CLAP_EVENT_MIDI_SYSEX = 11;
constexpr std::uint16_t CLAP_EVENT_MIDI2 = 12;

struct clap_event_param_value
{
    clap_event_header header;
    clap_id param_id;
    void* cookie;
    std::int32_t note_id; // -1 in every address field means "any"
    std::int16_t port_index;
    std::int16_t channel;
    std::int16_t key;
    double value; // plain value
};

struct clap_event_param_mod
{
    clap_event_header header;
    clap_id param_id;
    void* cookie;
    std::int32_t note_id;
    std::int16_t port_index;
    std::int16_t channel;
    std::int16_t key;
    double amount; // offset in plain units
};

struct clap_event_param_gesture
{
    clap_event_header header;
    clap_id param_id;
};

struct clap_event_note
{
    clap_event_header header;
    std::int32_t note_id;
    std::int16_t port_index;
    std::int16_t channel;
    std::int16_t key;
    double velocity;
};

constexpr std::uint32_t CLAP_TRANSPORT_HAS_TEMPO = 1u << 0;
constexpr std::uint32_t CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1u << 1;
constexpr std::uint32_t CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1u << 2;
constexpr std::uint32_t CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1u << 3;
constexpr std::uint32_t CLAP_TRANSPORT_IS_PLAYING = 1u << 4;
constexpr std::uint32_t CLAP_TRANSPORT_IS_RECORDING = 1u << 5;
constexpr std::uint32_t CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1u << 6;
constexpr std::uint32_t CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1u << 7;

struct clap_event_transport
{
    clap_event_header header;
    std::uint32_t flags;
    clap_beattime song_pos_beats;
    clap_sectime song_pos_seconds;
    double tempo;     // bpm
    double tempo_inc; // per sample
    clap_beattime loop_start_beats;
    clap_beattime loop_end_beats;
    clap_sectime loop_start_seconds;
    clap_sectime loop_end_seconds;
    clap_beattime bar_start;
    std::int32_t bar_number;
    std::uint16_t tsig_num;
    std::uint16_t tsig_denom;
};

/// Host-owned, sorted by time; events belong to the list and die with the call.
struct clap_input_events
{
    void* ctx;
    std::uint32_t (*size)(const clap_input_events* list);
    const clap_event_header* (*get)(const clap_input_events* list, std::uint32_t index);
};

/// Host-owned; the host copies header.size bytes, false means "not taken, retry later".
struct clap_output_events
{
    void* ctx;
    bool (*try_push)(const clap_output_events* list, const clap_event_header* event);
};

static_assert(sizeof(clap_event_header) == 16 && alignof(clap_event_header) == 4);
static_assert(offsetof(clap_event_header, size) == 0);
static_assert(offsetof(clap_event_header, time) == 4);
static_assert(offsetof(clap_event_header, space_id) == 8);
static_assert(offsetof(clap_event_header, type) == 10);
static_assert(offsetof(clap_event_header, flags) == 12);

static_assert(sizeof(clap_event_param_value) == 56 && alignof(clap_event_param_value) == 8);
static_assert(offsetof(clap_event_param_value, header) == 0);
static_assert(offsetof(clap_event_param_value, param_id) == 16);
static_assert(offsetof(clap_event_param_value, cookie) == 24);
static_assert(offsetof(clap_event_param_value, note_id) == 32);
static_assert(offsetof(clap_event_param_value, port_index) == 36);
static_assert(offsetof(clap_event_param_value, channel) == 38);
static_assert(offsetof(clap_event_param_value, key) == 40);
static_assert(offsetof(clap_event_param_value, value) == 48);

static_assert(sizeof(clap_event_param_mod) == 56 && alignof(clap_event_param_mod) == 8);
static_assert(offsetof(clap_event_param_mod, header) == 0);
static_assert(offsetof(clap_event_param_mod, param_id) == 16);
static_assert(offsetof(clap_event_param_mod, cookie) == 24);
static_assert(offsetof(clap_event_param_mod, note_id) == 32);
static_assert(offsetof(clap_event_param_mod, port_index) == 36);
static_assert(offsetof(clap_event_param_mod, channel) == 38);
static_assert(offsetof(clap_event_param_mod, key) == 40);
static_assert(offsetof(clap_event_param_mod, amount) == 48);

static_assert(sizeof(clap_event_param_gesture) == 20 && alignof(clap_event_param_gesture) == 4);
static_assert(offsetof(clap_event_param_gesture, header) == 0);
static_assert(offsetof(clap_event_param_gesture, param_id) == 16);

static_assert(sizeof(clap_event_note) == 40 && alignof(clap_event_note) == 8);
static_assert(offsetof(clap_event_note, header) == 0);
static_assert(offsetof(clap_event_note, note_id) == 16);
static_assert(offsetof(clap_event_note, port_index) == 20);
static_assert(offsetof(clap_event_note, channel) == 22);
static_assert(offsetof(clap_event_note, key) == 24);
static_assert(offsetof(clap_event_note, velocity) == 32);

static_assert(sizeof(clap_event_transport) == 104 && alignof(clap_event_transport) == 8);
static_assert(offsetof(clap_event_transport, header) == 0);
static_assert(offsetof(clap_event_transport, flags) == 16);
static_assert(offsetof(clap_event_transport, song_pos_beats) == 24);
static_assert(offsetof(clap_event_transport, song_pos_seconds) == 32);
static_assert(offsetof(clap_event_transport, tempo) == 40);
static_assert(offsetof(clap_event_transport, tempo_inc) == 48);
static_assert(offsetof(clap_event_transport, loop_start_beats) == 56);
static_assert(offsetof(clap_event_transport, loop_end_beats) == 64);
static_assert(offsetof(clap_event_transport, loop_start_seconds) == 72);
static_assert(offsetof(clap_event_transport, loop_end_seconds) == 80);
static_assert(offsetof(clap_event_transport, bar_start) == 88);
static_assert(offsetof(clap_event_transport, bar_number) == 96);
static_assert(offsetof(clap_event_transport, tsig_num) == 100);
static_assert(offsetof(clap_event_transport, tsig_denom) == 102);

static_assert(sizeof(clap_input_events) == 24 && alignof(clap_input_events) == 8);
static_assert(offsetof(clap_input_events, ctx) == 0);
static_assert(offsetof(clap_input_events, size) == 8);
static_assert(offsetof(clap_input_events, get) == 16);

static_assert(sizeof(clap_output_events) == 16 && alignof(clap_output_events) == 8);
static_assert(offsetof(clap_output_events, ctx) == 0);
static_assert(offsetof(clap_output_events, try_push) == 8);

} // namespace qm07::clap
}
