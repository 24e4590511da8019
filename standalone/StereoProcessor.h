// The audio path without JACK: the engine fed with the shared parameters, following the server's rate.
#pragma once

#include "CompressorEngine.h"
#include "SharedParameters.h"

#include <atomic>
#include <cstdint>

namespace qm07
{

class StereoProcessor
{
public:
    StereoProcessor(const SharedParameters& parameters, std::uint32_t noiseSeed);

    /// Any thread; no allocation. The engine takes the rate at the start of the next block.
    void setSampleRate(double rate) { pendingRate.store(rate, std::memory_order_release); }
    /// Audio thread; never allocates, locks or waits. Two channels; outputs may be the inputs.
    void process(const float* const* inputs, float* const* outputs, std::int32_t frames);
    /// The meter's reading, for the window's idle.
    GainReductionFeed& gainReductionFeed() { return engine.gainReductionFeed(); }

private:
    const SharedParameters& parameters;
    CompressorEngine engine;
    std::atomic<double> pendingRate{0.0};
    double engineRate = 0.0; ///< audio thread only
};

} // namespace qm07
