// Input events from preallocated storage; output events copied into a ring, never allocating.
#include "ClapEvents.h"

using namespace qm07::clap;

ClapInputEvents::ClapInputEvents(std::size_t capacity) : events(capacity), table{this, size, get} {}

bool ClapInputEvents::addValue(std::uint32_t time, clap_id param, double value)
{
    if (used == events.size()) return false;
    clap_event_param_value& event = events[used++];
    event = {};
    event.header = {sizeof(clap_event_param_value), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE,
                    0};
    event.param_id = param;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    return true;
}

/// The calling thread of process or flush; no allocation.
std::uint32_t ClapInputEvents::size(const clap_input_events* list)
{
    return static_cast<std::uint32_t>(static_cast<const ClapInputEvents*>(list->ctx)->used);
}

/// The calling thread of process or flush; no allocation. Null for an index past the end.
const clap_event_header* ClapInputEvents::get(const clap_input_events* list, std::uint32_t index)
{
    const auto* self = static_cast<const ClapInputEvents*>(list->ctx);
    return index < self->used ? &self->events[index].header : nullptr;
}

ClapOutputEvents::ClapOutputEvents() : table{this, tryPush} {}

namespace
{
/// The size an event of this type needs; 0 for types nobody here reads.
std::uint32_t neededSize(std::uint16_t type)
{
    if (type == CLAP_EVENT_PARAM_VALUE) return sizeof(clap_event_param_value);
    if (type == CLAP_EVENT_PARAM_GESTURE_BEGIN || type == CLAP_EVENT_PARAM_GESTURE_END)
        return sizeof(clap_event_param_gesture);
    return 0;
}
} // namespace

bool ClapOutputEvents::tryPush(const clap_output_events* list, const clap_event_header* event)
{
    auto* self = static_cast<ClapOutputEvents*>(list->ctx);
    if (!event || event->space_id != CLAP_CORE_EVENT_SPACE_ID) return true;
    const std::uint32_t needed = neededSize(event->type);
    if (needed == 0) return true;
    // Taken and dropped: refusing it would have the plug-in offer it again and again.
    if (event->size < needed)
    {
        self->malformed.fetch_add(1);
        return true;
    }
    ClapReportedEvent reported;
    reported.type = event->type;
    if (event->type == CLAP_EVENT_PARAM_VALUE)
    {
        const auto* value = reinterpret_cast<const clap_event_param_value*>(event);
        reported.param = value->param_id;
        reported.value = value->value;
    }
    else
        reported.param = reinterpret_cast<const clap_event_param_gesture*>(event)->param_id;
    return self->ring.push(reported);
}
