// The event lists the host hands to process and flush: parameter values in, the plug-in's reports out.
#pragma once

#include "SpscRing.h"
#include "abi/Events.h"

#include <atomic>
#include <cstddef>
#include <vector>

/// Parameter value events for one call, in storage made before the audio thread uses it.
class ClapInputEvents
{
public:
    explicit ClapInputEvents(std::size_t capacity);

    /// Audio or main thread, whichever calls the plug-in; no allocation.
    void clear() { used = 0; }
    /// False, leaving the list alone, when it is full.
    bool addValue(std::uint32_t time, qm07::clap::clap_id param, double value);
    const qm07::clap::clap_input_events* list() const { return &table; }

private:
    static std::uint32_t size(const qm07::clap::clap_input_events* list);
    static const qm07::clap::clap_event_header* get(const qm07::clap::clap_input_events* list,
                                                    std::uint32_t index);

    std::vector<qm07::clap::clap_event_param_value> events;
    std::size_t used = 0;
    qm07::clap::clap_input_events table;
};

/// One parameter event the plug-in reported, as the main thread reads it.
struct ClapReportedEvent
{
    std::uint16_t type = 0; ///< CLAP_EVENT_PARAM_VALUE, _GESTURE_BEGIN or _GESTURE_END
    qm07::clap::clap_id param = 0;
    double value = 0.0;
};

/// The output list of process and flush: the plug-in's parameter events go into a ring that the main
/// thread empties; other events are taken and dropped.
class ClapOutputEvents
{
public:
    ClapOutputEvents();
    const qm07::clap::clap_output_events* list() const { return &table; }
    /// Main thread.
    bool take(ClapReportedEvent& event) { return ring.pop(event); }
    /// Events of a known type too small for it, taken and dropped; reset by the call.
    std::size_t takeMalformed() { return malformed.exchange(0); }

private:
    /// The thread of the call the list was handed to; no allocation.
    static bool tryPush(const qm07::clap::clap_output_events* list,
                        const qm07::clap::clap_event_header* event);

    SpscRing<ClapReportedEvent, 4096> ring;
    std::atomic<std::size_t> malformed{0};
    qm07::clap::clap_output_events table;
};
