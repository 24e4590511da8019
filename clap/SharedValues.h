// The ten stored values as the plug-in sees them, shared by the main and audio threads without locks.
#pragma once

#include "Parameters.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace qm07
{

/// Every function: any thread, no allocation, no lock. The audio thread reads all ten at the start of a
/// block, so a change from the main thread is in effect from the next block on.
class SharedValues
{
public:
    SharedValues()
    {
        const ParameterValues defaults = defaultValues();
        for (std::int32_t index = 0; index < kNumParams; ++index)
            stored[index].store(defaults[index], std::memory_order_relaxed);
    }

    float value(std::int32_t index) const { return stored[index].load(std::memory_order_relaxed); }
    ParameterValues all() const
    {
        ParameterValues values;
        for (std::int32_t index = 0; index < kNumParams; ++index)
            values[index] = value(index);
        return values;
    }

    /// A change the editor did not make (host events, a state): it shows it at its next idle.
    void setFromHost(std::int32_t index, float normalized)
    {
        stored[index].store(normalized, std::memory_order_relaxed);
        unseen.fetch_or(1u << index, std::memory_order_release);
    }
    /// The editor's own change, which it shows already.
    void setFromEditor(std::int32_t index, float normalized)
    {
        stored[index].store(normalized, std::memory_order_relaxed);
    }
    /// Main thread (the editor): the indices changed by others since the last call, one bit each.
    std::uint32_t takeUnseen() { return unseen.exchange(0, std::memory_order_acquire); }

private:
    std::array<std::atomic<float>, kNumParams> stored;
    std::atomic<std::uint32_t> unseen{0};

    static_assert(std::atomic<float>::is_always_lock_free);
    static_assert(kNumParams <= 32);
};

} // namespace qm07
