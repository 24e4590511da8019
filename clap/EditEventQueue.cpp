// The producer's side of the edit ring: room kept for every open gesture's end.
#include "EditEventQueue.h"

namespace qm07
{

std::uint32_t EditEventQueue::freeSlots() const
{
    return kCapacity - (head.load(std::memory_order_relaxed) - tail.load(std::memory_order_acquire));
}

void EditEventQueue::push(EditEvent::Kind kind, std::int32_t index, double plain)
{
    const std::uint32_t at = head.load(std::memory_order_relaxed);
    ring[at % kCapacity] = {kind, index, plain};
    head.store(at + 1, std::memory_order_release);
}

void EditEventQueue::begin(std::int32_t index)
{
    if (!isParameterIndex(index) || open[index] || dropped[index]) return;
    // The begin itself, and the last value and end kept for it.
    if (freeSlots() < reserved + 3)
    {
        dropped[index] = true;
        return;
    }
    push(EditEvent::begin, index);
    open[index] = true;
    reserved += 2;
}

void EditEventQueue::value(std::int32_t index, double plain)
{
    if (!isParameterIndex(index)) return;
    if (!open[index] && !dropped[index])
    {
        begin(index);
        value(index, plain);
        end(index);
        return;
    }
    latest[index] = plain;
    unsent[index] = true;
    if (!open[index] || freeSlots() <= reserved) return;
    push(EditEvent::value, index, plain);
    unsent[index] = false;
}

void EditEventQueue::end(std::int32_t index)
{
    if (!isParameterIndex(index)) return;
    if (dropped[index])
    {
        dropped[index] = false;
        if (!unsent[index]) return;
        begin(index);
        dropped[index] = false;
    }
    if (open[index]) close(index);
}

void EditEventQueue::close(std::int32_t index)
{
    reserved -= 2;
    if (unsent[index]) push(EditEvent::value, index, latest[index]);
    unsent[index] = false;
    push(EditEvent::end, index);
    open[index] = false;
}

} // namespace qm07
