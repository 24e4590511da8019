// Parameter ids are the core's indices; cookies are never handed out, so every event is looked up by id.
#include "ClapEvents.h"

#include "HostValues.h"

namespace qm07
{

bool hostChangeOf(const clap::clap_event_header* event, HostChange& change)
{
    if (!event || event->space_id != clap::CLAP_CORE_EVENT_SPACE_ID ||
        event->type != clap::CLAP_EVENT_PARAM_VALUE || event->size < sizeof(clap::clap_event_param_value))
        return false;
    const auto& value = *reinterpret_cast<const clap::clap_event_param_value*>(event);
    if (!isParameterIndex(value.param_id)) return false;
    change = {static_cast<std::int32_t>(value.param_id), value.value, event->time};
    return true;
}

float applyHostChange(const HostChange& change, SharedValues& values)
{
    const float stored = storedFromHost(change.index, change.plain, values.value(change.index));
    values.setFromHost(change.index, stored);
    return stored;
}

namespace
{
bool send(const clap::clap_output_events& out, const EditEvent& edit)
{
    const auto id = static_cast<clap::clap_id>(edit.index);
    if (edit.kind == EditEvent::value)
    {
        const clap::clap_event_param_value event = {{sizeof(clap::clap_event_param_value), 0,
                                                     clap::CLAP_CORE_EVENT_SPACE_ID,
                                                     clap::CLAP_EVENT_PARAM_VALUE, 0},
                                                    id,
                                                    nullptr,
                                                    -1,
                                                    -1,
                                                    -1,
                                                    -1,
                                                    edit.plain};
        return out.try_push(&out, &event.header);
    }
    const std::uint16_t type = edit.kind == EditEvent::begin ? clap::CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                             : clap::CLAP_EVENT_PARAM_GESTURE_END;
    const clap::clap_event_param_gesture event = {
        {sizeof(clap::clap_event_param_gesture), 0, clap::CLAP_CORE_EVENT_SPACE_ID, type, 0}, id};
    return out.try_push(&out, &event.header);
}
} // namespace

void sendEdits(EditEventQueue& edits, const clap::clap_output_events* out)
{
    if (!out || !out->try_push) return;
    edits.drain([out](const EditEvent& edit) { return send(*out, edit); });
}

} // namespace qm07
