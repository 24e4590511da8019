// Chunks of a block through the kernels, with the meter fed after each.
#include "CompressorEngine.h"

#include "DenormalGuard.h"
#include "EnvelopeCoefs.h"
#include "KernelDispatch.h"

#include <cstring>

namespace qm07
{
CompressorEngine::CompressorEngine(std::uint32_t noiseSeed)
    : envelope(kEnvelopeOffset), pushNoise(noiseSeed), kernels(&chosenKernels())
{
}

void CompressorEngine::setSampleRate(double rate)
{
    sampleRate = rate;
    armEnvelope();
    armSidechain();
    meterFeed.sampleRateChanged(rate);
}

void CompressorEngine::reset()
{
    envelope = kEnvelopeOffset;
    sidechain.states() = {};
    meterFeed.rest();
}

void CompressorEngine::process(const ParameterValues& values, const float* const* inputs,
                               float* const* outputs, std::int32_t frames)
{
    setUp(values);
    processChunks(inputs, outputs, frames);
}

void CompressorEngine::process(const ParameterValues& values, const double* const* inputs,
                               double* const* outputs, std::int32_t frames)
{
    setUp(values);
    processChunks(inputs, outputs, frames);
}

namespace
{
bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

// Formats that split blocks at every parameter event call this often: unchanged values cost a comparison,
// and a change recomputes only what depends on it. Every coefficient is a function of its inputs alone, so
// skipping one whose inputs are unchanged leaves the very bits it would have computed.
void CompressorEngine::setUp(const ParameterValues& values)
{
    const SetUpKey now{values, sampleRate, envelopeArmed.load(std::memory_order_relaxed),
                       sidechainArmed.load(std::memory_order_relaxed)};
    if (setUpDone && std::memcmp(now.values.data(), key.values.data(), sizeof(ParameterValues)) == 0 &&
        now.sampleRate == key.sampleRate && now.envelopeArmed == key.envelopeArmed &&
        now.sidechainArmed == key.sidechainArmed)
        return;
    const bool fresh = !setUpDone || now.sampleRate != key.sampleRate;
    const bool envelopeDue = now.envelopeArmed && (fresh || !key.envelopeArmed ||
                                                   !sameBits(values[kAttack], key.values[kAttack]) ||
                                                   !sameBits(values[kRelease], key.values[kRelease]));
    const bool sidechainDue =
        now.sidechainArmed && (fresh || !key.sidechainArmed ||
                               positionByThirds(values[kScMode]) != positionByThirds(key.values[kScMode]));
    key = now;
    setUpDone = true;
    computeConstants(envelopeDue, sidechainDue);
}

void CompressorEngine::computeConstants(bool envelopeDue, bool sidechainDue)
{
    const BlockSettings block = blockSettingsFrom(key.values);
    if (envelopeDue)
    {
        constants.attackCoef = attackCoefficient(key.values[kAttack], key.sampleRate);
        constants.releaseCoef = releaseCoefficient(key.values[kRelease], key.sampleRate);
    }
    if (sidechainDue) sidechain.update(block.scMode, key.sampleRate);
    constants.threshold = block.threshold;
    constants.slope = block.slope;
    constants.halfKnee = block.halfKnee;
    constants.kneeWidth = block.kneeWidth;
    constants.kneeScale = block.kneeWidth > 0.0 ? block.slope / (2.0 * block.kneeWidth) : 0.0;
    constants.pushDepth = block.pushDepth;
    constants.makeupAtRest = block.makeupDb + kEnvelopeOffset;
    constants.wet = block.wet;
    constants.dry = block.dry;
    constants.attackGain = 1.0 - constants.attackCoef;
    constants.releaseGain = 1.0 - constants.releaseCoef;
    constants.sidechainOn = block.scMode != 0;
    constants.pushOn = block.push != 0;
    constants.sidechain = constants.sidechainOn ? sidechain.currentCoefs() : SidechainCoefs{};
}

template <typename Sample>
void CompressorEngine::processChunks(const Sample* const* inputs, Sample* const* outputs, std::int32_t frames)
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
                                  constants.pushOn ? &pushNoise : nullptr,
                                  metering ? reductions : nullptr};
        if (restGate.passes(*kernels, constants, chunk, envelope, sidechain.states()))
        {
            passAtRest(chunk);
            if (metering) meterFeed.feedSteady(envelope - kEnvelopeOffset, count);
            continue;
        }
        chunkKernel<Sample> (*kernels)(constants, chunk, envelope, sidechain.states());
        if (metering) meterFeed.feed(reductions, count);
    }
}
} // namespace qm07
