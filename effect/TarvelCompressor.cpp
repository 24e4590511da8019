// The engine runs in double precision in decibels; one templated loop serves both sample formats.
#include "TarvelCompressor.h"

#include "DenormalGuard.h"
#include "EnvelopeCoefs.h"
#include "GainComputer.h"
#include "TextConversions.h"
#include "TickCount.h"

#include <algorithm>
#include <cmath>

namespace
{
/// Added before every logarithm and carried in the envelope, so silence reads −500 dB rather than −inf.
constexpr double kOffset = 1e-25;
constexpr double kDbToNepers = 0.11512925464970228; // ln(10) / 20
constexpr const char* kProductName = "QM07 Compressor";
} // namespace

TarvelCompressor::TarvelCompressor(audioMasterCallback callback)
    : TarvelFX(callback), envelope(kOffset), pushNoise(tickCount())
{
    loadParameterTable(kParameterTable, kNumParams);
    setUniqueID(fourCharCode('Q', 'M', '0', '7'));
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    programsAreChunks();
    canDoubleReplacing();
    // The editor is created here, last, once it exists: it registers itself and adds effFlagsHasEditor.
}

void TarvelCompressor::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames);
}

void TarvelCompressor::processDoubleReplacing(double** inputs, double** outputs, std::int32_t sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames);
}

inline double TarvelCompressor::nextReduction(double xL, double xR, const BlockSettings& block, double& env)
{
    double dL = xL;
    double dR = xR;
    if (block.scMode != 0) sidechain.process(xL, xR, dL, dR);
    const double level = 20.0 * std::log10(std::max(std::abs(dL), std::abs(dR)) + kOffset);
    double over = level - block.threshold;
    if (block.push != 0) over += block.pushDepth * static_cast<double>(pushNoise.next());
    const double target = staticCurve(level, over, block.slope, block.halfKnee, block.kneeWidth);
    const double wanted = (target - level) + kOffset;
    const double k = wanted > env ? attackCoef.load(std::memory_order_relaxed)
                                  : releaseCoef.load(std::memory_order_relaxed);
    env = (1.0 - k) * wanted + k * env;
    // max() lets a NaN on one side pass unseen, so the detector samples are checked with the envelope.
    // Whatever state a NaN or infinity passed through restarts from silence.
    if (!std::isfinite(env + dL + dR))
    {
        env = kOffset;
        if (block.scMode != 0) sidechain.resetState();
    }
    return env - kOffset;
}

template <typename Sample>
void TarvelCompressor::processBlock(Sample** inputs, Sample** outputs, std::int32_t sampleFrames)
{
    if (sampleFrames <= 0 || !inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
        return;
    const DenormalGuard guard;
    const BlockSettings block = currentBlockSettings();
    const bool metering = meterFeed.isActive();
    const Sample* inL = inputs[0];
    const Sample* inR = inputs[1];
    Sample* outL = outputs[0];
    Sample* outR = outputs[1];
    // A local copy stays in a register; the member could alias the output buffers.
    double env = envelope;
    for (std::int32_t n = 0; n < sampleFrames; ++n)
    {
        // Both inputs are read before either output is written: the buffers may be the same.
        const double xL = inL[n];
        const double xR = inR[n];
        const double reduction = nextReduction(xL, xR, block, env);
        const double g = std::exp((block.makeupDb - reduction) * kDbToNepers);
        outL[n] = static_cast<Sample>(g * xL * block.wet + xL * block.dry);
        outR[n] = static_cast<Sample>(g * xR * block.wet + xR * block.dry);
        if (metering) meterFeed.feed(reduction);
    }
    envelope = env;
}

BlockSettings TarvelCompressor::currentBlockSettings()
{
    float values[kNumParams];
    for (std::int32_t i = 0; i < kNumParams; ++i)
        values[i] = getParameter(i);
    return blockSettingsFrom(values);
}

bool TarvelCompressor::getEffectName(char* name)
{
    vsttext::copyText(name, kProductName, kVstMaxEffectNameLen);
    return true;
}

bool TarvelCompressor::getProductString(char* text)
{
    vsttext::copyText(text, kProductName, kVstMaxProductStrLen);
    return true;
}

void TarvelCompressor::sampleRateChanged(float newRate)
{
    updateEnvelopeCoefs();
    updateSidechainFilter();
    meterFeed.sampleRateChanged(newRate);
}

void TarvelCompressor::parameterChanged(std::int32_t index, float)
{
    if (index == kAttack || index == kRelease)
        updateEnvelopeCoefs();
    else if (index == kScMode)
        updateSidechainFilter();
}

void TarvelCompressor::updateEnvelopeCoefs()
{
    attackCoef.store(attackCoefficient(getParameter(kAttack), sampleRate), std::memory_order_relaxed);
    releaseCoef.store(releaseCoefficient(getParameter(kRelease), sampleRate), std::memory_order_relaxed);
}

void TarvelCompressor::updateSidechainFilter()
{
    sidechain.update(positionByThirds(getParameter(kScMode)), sampleRate);
}
