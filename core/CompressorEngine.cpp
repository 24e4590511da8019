// Chunks of a block through the kernels, with the meter fed after each.
#include "CompressorEngine.h"

#include "DenormalGuard.h"
#include "EnvelopeCoefs.h"
#include "KernelDispatch.h"

namespace qm07
{
CompressorEngine::CompressorEngine(std::uint32_t noiseSeed)
    : envelope(kEnvelopeOffset), pushNoise(noiseSeed), kernels(&chosenKernels())
{
}

void CompressorEngine::process(const BlockSettings& block, const float* const* inputs, float* const* outputs,
                               std::int32_t frames)
{
    processChunks(block, inputs, outputs, frames);
}

void CompressorEngine::process(const BlockSettings& block, const double* const* inputs,
                               double* const* outputs, std::int32_t frames)
{
    processChunks(block, inputs, outputs, frames);
}

template <typename Sample>
void CompressorEngine::processChunks(const BlockSettings& block, const Sample* const* inputs,
                                     Sample* const* outputs, std::int32_t frames)
{
    if (frames <= 0 || !inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    const DenormalGuard guard;
    const bool metering = meterFeed.isActive();
    float noise[kChunkFrames];
    double reductions[kChunkFrames];
    for (std::int32_t start = 0; start < frames; start += kChunkFrames)
    {
        const int count = frames - start < kChunkFrames ? static_cast<int>(frames - start) : kChunkFrames;
        const Chunk<Sample> chunk{inputs[0] + start,
                                  inputs[1] + start,
                                  outputs[0] + start,
                                  outputs[1] + start,
                                  count,
                                  noise,
                                  block.push != 0 ? &pushNoise : nullptr,
                                  metering ? reductions : nullptr};
        const ChunkConstants constants = chunkConstants(block);
        if constexpr (sizeof(Sample) == sizeof(float))
            kernels->processFloat(constants, chunk, envelope, sidechain.states());
        else
            kernels->processDouble(constants, chunk, envelope, sidechain.states());
        if (metering) meterFeed.feed(reductions, count);
    }
}

ChunkConstants CompressorEngine::chunkConstants(const BlockSettings& block) const
{
    ChunkConstants c{};
    c.threshold = block.threshold;
    c.slope = block.slope;
    c.halfKnee = block.halfKnee;
    c.kneeWidth = block.kneeWidth;
    c.kneeScale = block.kneeWidth > 0.0 ? block.slope / (2.0 * block.kneeWidth) : 0.0;
    c.pushDepth = block.pushDepth;
    c.makeupAtRest = block.makeupDb + kEnvelopeOffset;
    c.wet = block.wet;
    c.dry = block.dry;
    c.attackCoef = attackCoef.load(std::memory_order_relaxed);
    c.releaseCoef = releaseCoef.load(std::memory_order_relaxed);
    c.attackGain = 1.0 - c.attackCoef;
    c.releaseGain = 1.0 - c.releaseCoef;
    c.sidechainOn = block.scMode != 0;
    c.pushOn = block.push != 0;
    if (c.sidechainOn) c.sidechain = sidechain.currentCoefs();
    return c;
}

void CompressorEngine::setEnvelopeTimes(float attack, float release, double sampleRate)
{
    attackCoef.store(attackCoefficient(attack, sampleRate));
    releaseCoef.store(releaseCoefficient(release, sampleRate));
}
} // namespace qm07
