// A host for the adapter's tests: the extensions the plug-in asks for, each recording what the plug-in did
// with it, input and output event lists, streams, and one instance made through the factory.
#pragma once

#include "abi/Plugin.h"
#include "abi/Stream.h"
#include "abi/ext/Gui.h"
#include "abi/ext/Params.h"
#include "abi/ext/State.h"
#include "abi/ext/TimerSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qm07::test
{
using namespace qm07::clap;

struct TestHost
{
    TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    clap_host host;
    bool offersTimers = true;
    bool onMainThread = true;
    std::vector<std::string> messages;
    int flushRequests = 0;
    int valueRescans = 0;
    std::vector<clap_id> timers; ///< registered and not yet unregistered
    std::vector<int> fds;
    int strayUnregisters = 0;
    /// Runs inside request_flush, as hosts that flush at once do.
    std::function<void()> onRequestFlush;
};

/// Events in the order added: parameter values at their frames, or any other header a host may send
/// (other spaces, types, events too short for their type).
class InputEvents
{
public:
    InputEvents();
    void add(std::uint32_t time, clap_id id, double value);
    void addOther(const clap_event_header& header);
    const clap_input_events* list() const { return &events; }

private:
    std::vector<clap_event_param_value> stored;
    clap_input_events events;
};

struct SentEvent
{
    std::uint16_t type;
    clap_id id;
    double value;
    bool operator==(const SentEvent& o) const { return type == o.type && id == o.id && value == o.value; }
};

inline SentEvent begin(clap_id id)
{
    return {CLAP_EVENT_PARAM_GESTURE_BEGIN, id, 0.0};
}
inline SentEvent value(clap_id id, double v)
{
    return {CLAP_EVENT_PARAM_VALUE, id, v};
}
inline SentEvent end(clap_id id)
{
    return {CLAP_EVENT_PARAM_GESTURE_END, id, 0.0};
}

/// Collects what the plug-in sends; refuses every event after `room` of them.
class OutputEvents
{
public:
    OutputEvents();
    std::vector<SentEvent> sent;
    std::size_t room = SIZE_MAX;
    /// Events not at time 0, or value events whose address fields and cookie are not the "any" the
    /// plug-in must send.
    int malformed = 0;
    const clap_output_events* list() const { return &events; }

private:
    clap_output_events events;
};

/// Fails for an end without a begin, a second begin, or a value outside a gesture, and for any gesture
/// left open.
::testing::AssertionResult paired(const std::vector<SentEvent>& events);

/// A byte stream moving at most `step` bytes a call, failing (−1) once `failAt` bytes have moved.
struct ByteStream
{
    ByteStream();
    std::vector<unsigned char> bytes;
    std::size_t position = 0;
    std::size_t step = SIZE_MAX;
    std::size_t failAt = SIZE_MAX;
    clap_istream in;
    clap_ostream out;
};

/// One instance through the factory, initialised, destroyed at the end.
class Instance
{
public:
    explicit Instance(TestHost& host);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    const clap_plugin* plugin;
    const clap_plugin_params* params;
    const clap_plugin_state* state;
    const clap_plugin_gui* gui;
    const clap_plugin_timer_support* timer;
};

} // namespace qm07::test
