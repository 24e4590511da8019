// The audio path: a rate change is applied between blocks, on the audio thread, never during one.
#include "StereoProcessor.h"

namespace qm07
{

StereoProcessor::StereoProcessor(const SharedParameters& shared, std::uint32_t noiseSeed)
    : parameters(shared), engine(noiseSeed)
{
}

void StereoProcessor::process(const float* const* inputs, float* const* outputs, std::int32_t frames)
{
    const double rate = pendingRate.load(std::memory_order_acquire);
    if (rate != engineRate && rate > 0.0)
    {
        engine.setSampleRate(rate);
        engineRate = rate;
    }
    engine.process(parameters.snapshot(), inputs, outputs, frames);
}

} // namespace qm07
