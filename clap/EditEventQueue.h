// Editor edits on their way to the host: gesture and value events in a single-producer, single-consumer
// ring, from the main thread to whichever thread drains it (process, or flush).
#pragma once

#include "Parameters.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace qm07
{

struct EditEvent
{
    enum Kind : std::uint8_t
    {
        begin,
        value,
        end
    };
    Kind kind;
    std::int32_t index;
    double plain; ///< the host value, for `value` only
};

/// Gestures always pair: a begin while one is open for that index, or an end without one, is ignored.
/// Each open gesture keeps two slots for its last value and its end, so an end always fits; a begin
/// without room is dropped with its values, and at its end the last value is sent as a gesture of its
/// own if there is room by then.
class EditEventQueue
{
public:
    static constexpr std::uint32_t kCapacity = 256;

    /// Main thread; no allocation.
    void begin(std::int32_t index);
    /// Main thread; no allocation. Outside a gesture it is sent as a gesture of its own.
    void value(std::int32_t index, double plain);
    /// Main thread; no allocation.
    void end(std::int32_t index);

    /// The consumer: the audio thread while active, the main thread while inactive, never both at once;
    /// no allocation. Hands the events to `send` in order until it refuses one, which stays first.
    template <typename Send> void drain(Send&& send)
    {
        std::uint32_t next = tail.load(std::memory_order_relaxed);
        const std::uint32_t last = head.load(std::memory_order_acquire);
        for (; next != last; ++next)
            if (!send(ring[next % kCapacity])) break;
        tail.store(next, std::memory_order_release);
    }

private:
    std::uint32_t freeSlots() const;
    void push(EditEvent::Kind kind, std::int32_t index, double plain = 0.0);
    void close(std::int32_t index);

    std::array<EditEvent, kCapacity> ring{};
    std::atomic<std::uint32_t> head{0}; ///< written by the producer
    std::atomic<std::uint32_t> tail{0}; ///< written by the consumer

    // The producer's own bookkeeping.
    std::array<bool, kNumParams> open{};
    std::array<bool, kNumParams> dropped{};
    std::array<bool, kNumParams> unsent{}; ///< latest not queued yet
    std::array<double, kNumParams> latest{};
    std::uint32_t reserved = 0;

    static_assert((kCapacity & (kCapacity - 1)) == 0, "indices wrap with the 32-bit counters");
};

} // namespace qm07
