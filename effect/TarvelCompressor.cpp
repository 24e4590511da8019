// The engine runs in double precision in decibels; one templated kernel serves both sample formats.
#include "TarvelCompressor.h"

#include "AEffEditor.h"
#include "DenormalGuard.h"
#include "EnvelopeCoefs.h"
#include "GainComputer.h"
#include "TextConversions.h"
#include "TickCount.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
/// Added before every logarithm and carried in the envelope, so silence reads −500 dB rather than −inf.
constexpr double kOffset = 1e-25;
constexpr double kDbToNepers = 0.11512925464970228; // ln(10) / 20
constexpr std::int32_t kChunk = 64;
} // namespace

TarvelCompressor::TarvelCompressor(audioMasterCallback callback, EditorFactory makeEditor)
    : TarvelFX(callback), envelope(kOffset), pushNoise(tickCount())
{
    loadParameterTable(kParameterTable, kNumParams);
    setUniqueID(fourCharCode('Q', 'M', '0', '7'));
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    programsAreChunks();
    canDoubleReplacing();
    if (makeEditor) makeEditor(*this);
}

TarvelCompressor::~TarvelCompressor()
{
    delete editor;
    editor = nullptr;
}

void TarvelCompressor::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames);
}

void TarvelCompressor::processDoubleReplacing(double** inputs, double** outputs, std::int32_t sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames);
}

template <typename Sample>
void TarvelCompressor::processBlock(Sample** inputs, Sample** outputs, std::int32_t sampleFrames)
{
    if (sampleFrames <= 0 || !inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
        return;
    const DenormalGuard guard;
    const BlockSettings block = currentBlockSettings();
    const bool metering = meterFeed.isActive();
    // Three passes per chunk, so that no loop keeps many values alive across its one libm call; each
    // frame still gets the same arithmetic, in the same order, as in a frame-by-frame loop.
    double work[kChunk];
    for (std::int32_t start = 0; start < sampleFrames; start += kChunk)
    {
        const std::int32_t frames = std::min(kChunk, sampleFrames - start);
        measureLevels(inputs[0] + start, inputs[1] + start, frames, block.scMode, work);
        followEnvelope(frames, block, work);
        applyGain(
            Channels<Sample>{inputs[0] + start, inputs[1] + start, outputs[0] + start, outputs[1] + start},
            frames, block, work, metering);
    }
}

template <typename Sample>
void TarvelCompressor::measureLevels(const Sample* inL, const Sample* inR, std::int32_t frames, int scMode,
                                     double* levels)
{
    for (std::int32_t n = 0; n < frames; ++n)
    {
        double dL = inL[n];
        double dR = inR[n];
        if (scMode != 0) sidechain.process(dL, dR, dL, dR);
        if (!std::isfinite(dL + dR))
        {
            // max() would let a NaN on one side pass unseen; the envelope restarts on this frame too.
            if (scMode != 0) sidechain.resetState();
            levels[n] = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        levels[n] = 20.0 * std::log10(std::max(std::abs(dL), std::abs(dR)) + kOffset);
    }
}

void TarvelCompressor::followEnvelope(std::int32_t frames, const BlockSettings& block, double* work)
{
    double env = envelope;
    for (std::int32_t n = 0; n < frames; ++n)
    {
        const double level = work[n];
        double over = level - block.threshold;
        if (block.push != 0) over += block.pushDepth * static_cast<double>(pushNoise.next());
        const double target = staticCurve(level, over, block.slope, block.halfKnee, block.kneeWidth);
        const double wanted = (target - level) + kOffset;
        const double k = wanted > env ? attackCoef.load(std::memory_order_relaxed)
                                      : releaseCoef.load(std::memory_order_relaxed);
        env = (1.0 - k) * wanted + k * env;
        if (!std::isfinite(env)) env = kOffset;
        work[n] = env - kOffset;
    }
    envelope = env;
}

template <typename Sample>
void TarvelCompressor::applyGain(const Channels<Sample>& io, std::int32_t frames, const BlockSettings& block,
                                 const double* reductions, bool metering)
{
    for (std::int32_t n = 0; n < frames; ++n)
    {
        // Both inputs are read before either output is written: the buffers may be the same.
        const double xL = io.inL[n];
        const double xR = io.inR[n];
        const double g = std::exp((block.makeupDb - reductions[n]) * kDbToNepers);
        io.outL[n] = static_cast<Sample>(g * xL * block.wet + xL * block.dry);
        io.outR[n] = static_cast<Sample>(g * xR * block.wet + xR * block.dry);
        if (metering) meterFeed.feed(reductions[n]);
    }
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
    vsttext::copyText(name, qm07::kProductName, kVstMaxEffectNameLen);
    return true;
}

bool TarvelCompressor::getProductString(char* text)
{
    vsttext::copyText(text, qm07::kProductName, kVstMaxProductStrLen);
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

// Host automation and the editor may change the same parameter at once, each thread then updating the
// coefficients. An update that finds its value replaced after it wrote runs again: with every store and
// this second look sequentially consistent, the update of whoever stored last is never overwritten by an
// older one, so no stale coefficient (or half of another shelf design) stays behind.
void TarvelCompressor::updateEnvelopeCoefs()
{
    for (;;)
    {
        const float attack = getParameter(kAttack);
        const float release = getParameter(kRelease);
        attackCoef.store(attackCoefficient(attack, sampleRate));
        releaseCoef.store(releaseCoefficient(release, sampleRate));
        if (attack == getParameter(kAttack) && release == getParameter(kRelease)) return;
    }
}

void TarvelCompressor::updateSidechainFilter()
{
    for (;;)
    {
        const int mode = positionByThirds(getParameter(kScMode));
        sidechain.update(mode, sampleRate);
        if (mode == positionByThirds(getParameter(kScMode))) return;
    }
}
