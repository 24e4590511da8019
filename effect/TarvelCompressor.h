// The compressor: stereo-linked peak detector, soft-knee curve, attack/release envelope, Push and dry mix.
#pragma once

#include "BlockSettings.h"
#include "GainReductionFeed.h"
#include "PinkNoise.h"
#include "ProductInfo.h"
#include "SidechainFilter.h"
#include "TarvelFX.h"

#include <atomic>
#include <cstdint>

class AEffEditor;

class TarvelCompressor : public TarvelFX
{
public:
    /// Makes the effect's editor, which attaches itself; the engine knows no more of it.
    using EditorFactory = AEffEditor* (*)(TarvelCompressor& effect);

    /// Loader thread. No coefficient is computed until a rate is set; the editor, if a factory is
    /// given, is created last.
    explicit TarvelCompressor(audioMasterCallback callback, EditorFactory makeEditor = nullptr);
    /// UI thread (effClose): the editor goes first, while the meter feed it reads still exists.
    ~TarvelCompressor() override;

    /// Audio thread; never allocates, locks or waits. Input and output buffers may be the same memory.
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    /// Audio thread; never allocates, locks or waits. Input and output buffers may be the same memory.
    void processDoubleReplacing(double** inputs, double** outputs, std::int32_t sampleFrames) override;

    /// UI thread; no allocation.
    bool getEffectName(char* name) override;
    bool getProductString(char* text) override;
    std::int32_t getVendorVersion() override { return qm07::kVendorVersion; }
    std::int32_t getPlugCategory() override { return kPlugCategEffect; }

    /// Thread of setSampleRate (processing suspended); no allocation.
    void sampleRateChanged(float newRate) override;
    /// Thread of the change, the audio thread included; no allocation.
    void parameterChanged(std::int32_t index, float value) override;

    /// Where the editor's meter takes its reading from (any thread; see GainReductionFeed).
    GainReductionFeed& gainReductionFeed() { return meterFeed; }
    /// While not processing: restarts the Push noise from a known seed, for reproducible renders.
    void seedNoise(std::uint32_t seed) { pushNoise = PinkNoise(seed); }
    /// For inspection while not processing.
    const SidechainFilter& sidechainFilter() const { return sidechain; }

private:
    /// Any thread; no allocation. Both coefficients from the stored Attack, Release and sample rate.
    void updateEnvelopeCoefs();
    /// Any thread; no allocation. Side-chain coefficients for the stored SC Mode and sample rate.
    void updateSidechainFilter();

    BlockSettings currentBlockSettings();
    template <typename Sample> struct Channels
    {
        const Sample* inL;
        const Sample* inR;
        Sample* outL;
        Sample* outR;
    };

    template <typename Sample>
    void processBlock(Sample** inputs, Sample** outputs, std::int32_t sampleFrames);
    /// Detector levels in dB; NaN marks a frame whose detector signal was not finite.
    template <typename Sample>
    void measureLevels(const Sample* inL, const Sample* inR, std::int32_t frames, int scMode, double* levels);
    /// Levels to the reductions in force (dB), through the curve and the envelope, in place.
    void followEnvelope(std::int32_t frames, const BlockSettings& block, double* work);
    template <typename Sample>
    void applyGain(const Channels<Sample>& io, std::int32_t frames, const BlockSettings& block,
                   const double* reductions, bool metering);

    double envelope;
    std::atomic<double> attackCoef{0.0};
    std::atomic<double> releaseCoef{0.0};
    PinkNoise pushNoise;
    SidechainFilter sidechain;
    GainReductionFeed meterFeed;
};
