// The compressor as a plug-in: ten parameters in, the format-free engine does the processing.
#pragma once

#include "CompressorEngine.h"
#include "ProductInfo.h"
#include "TarvelFX.h"

#include <cstdint>

class AEffEditor;

class TarvelCompressor : public TarvelFX
{
public:
    /// Makes the effect's editor, which attaches itself; the engine knows no more of it.
    using EditorFactory = AEffEditor* (*)(TarvelCompressor& effect);

    /// Loader thread. No coefficient is computed until a rate is set or a value they depend on changes; the
    /// editor, if a factory is given, is created last.
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
    GainReductionFeed& gainReductionFeed() { return engine.gainReductionFeed(); }
    /// While not processing: restarts the Push noise from a known seed, for reproducible renders.
    void seedNoise(std::uint32_t seed) { engine.seedNoise(seed); }
    /// For inspection while not processing.
    const SidechainFilter& sidechainFilter() const { return engine.sidechainFilter(); }

private:
    qm07::CompressorEngine engine;
};
