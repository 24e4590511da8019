// The ten parameters as the window sets them and JACK's process callback reads them, one atomic each.
#pragma once

#include "Parameters.h"

#include <atomic>
#include <cstdint>

namespace qm07
{

class SharedParameters
{
public:
    explicit SharedParameters(const ParameterValues& initial)
    {
        for (std::int32_t i = 0; i < kNumParams; ++i)
            values[i].store(initial[i], std::memory_order_relaxed);
    }

    /// Any thread; no allocation.
    float get(std::int32_t index) const { return values[index].load(std::memory_order_relaxed); }
    /// User-interface thread; no allocation. Counts a change for the settings' autosave.
    void set(std::int32_t index, float normalized)
    {
        values[index].store(normalized, std::memory_order_relaxed);
        changeCount.fetch_add(1, std::memory_order_release);
    }
    /// Audio thread; never allocates, locks or waits.
    ParameterValues snapshot() const
    {
        ParameterValues copy;
        for (std::int32_t i = 0; i < kNumParams; ++i)
            copy[i] = get(i);
        return copy;
    }
    /// Any thread: how many changes there have been.
    std::uint32_t changes() const { return changeCount.load(std::memory_order_acquire); }

private:
    std::atomic<float> values[kNumParams];
    std::atomic<std::uint32_t> changeCount{0};
};

} // namespace qm07
