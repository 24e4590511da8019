// Parameter events in CLAP's form: host changes read from input lists, editor edits written to output lists.
#pragma once

#include "EditEventQueue.h"
#include "SharedValues.h"
#include "abi/Events.h"

#include <cstdint>

namespace qm07
{

/// A host's parameter change: the core's index, the value in real units, and its frame in the block.
struct HostChange
{
    std::int32_t index;
    double plain;
    std::uint32_t time;
};

/// Any thread; no allocation. False for anything but a core PARAM_VALUE event for one of our ids.
bool hostChangeOf(const clap::clap_event_header* event, HostChange& change);
/// Any thread; no allocation. The stored value for the change (NaN keeps the old one), published to all.
float applyHostChange(const HostChange& change, SharedValues& values);

/// Any thread; no allocation. Every host change in the list, in order; nothing for a null list.
template <typename Each> void forEachHostChange(const clap::clap_input_events* in, Each&& each)
{
    if (!in || !in->size || !in->get) return;
    const std::uint32_t count = in->size(in);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        HostChange change;
        if (hostChangeOf(in->get(in, i), change)) each(change);
    }
}
/// Whichever thread drains the queue; no allocation. The editor's events at time 0, in order, until the
/// host refuses one; nothing for a null list.
void sendEdits(EditEventQueue& edits, const clap::clap_output_events* out);

} // namespace qm07
