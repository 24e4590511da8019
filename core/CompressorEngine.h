// The compressor's signal processing, free of any plug-in format: detector, curve, envelope, Push,
// gain, dry mix and the meter feed, run by the kernels chosen for this CPU.
#pragma once

#include "BlockSettings.h"
#include "EngineKernels.h"
#include "GainReductionFeed.h"
#include "Parameters.h"
#include "PinkNoise.h"
#include "RestingChunk.h"
#include "SidechainFilter.h"

#include <atomic>
#include <cstdint>

namespace qm07
{
class CompressorEngine
{
public:
    /// Any thread; no allocation. Coefficients stay 0 until armed or a rate is set.
    explicit CompressorEngine(std::uint32_t noiseSeed);

    /// Not while processing: sets the rate (the meter's too); coefficients follow the values from the
    /// next block on.
    void setSampleRate(double rate);
    /// Not while processing: the rate alone, coefficients left as they are (0 until armed). The VST effect
    /// has a rate before its host sets one.
    void assumeSampleRate(double rate) { sampleRate = rate; }
    /// Any thread, the audio thread included; no allocation. From the next block on the envelope (or
    /// side-chain) coefficients follow the values; until this or setSampleRate they stay 0, as the VST
    /// effect has always had them before a rate or a change of what they depend on.
    void armEnvelope() { envelopeArmed.store(true, std::memory_order_relaxed); }
    void armSidechain() { sidechainArmed.store(true, std::memory_order_relaxed); }

    /// Audio thread; never allocates, locks or waits. Block set-up from values, read once per call;
    /// constants and coefficients are recomputed only when what they depend on changed. Output channels
    /// may be the input channels.
    void process(const ParameterValues& values, const float* const* inputs, float* const* outputs,
                 std::int32_t frames);
    void process(const ParameterValues& values, const double* const* inputs, double* const* outputs,
                 std::int32_t frames);

    /// Not while processing: the envelope and the side-chain filter back to where a new engine starts, the
    /// meter at rest. Values, coefficients, rate and the Push noise stay.
    void reset();

    /// Where the editor's meter takes its reading from (any thread; see GainReductionFeed).
    GainReductionFeed& gainReductionFeed() { return meterFeed; }
    /// While not processing: restarts the Push noise from a known seed, for reproducible renders.
    void seedNoise(std::uint32_t seed) { pushNoise = PinkNoise(seed); }
    /// For inspection while not processing.
    const SidechainFilter& sidechainFilter() const { return sidechain; }

    /// While not processing: runs another set of kernels than the one chosen at load (tests, benchmarks).
    void useKernels(const EngineKernels& set) { kernels = &set; }
    const EngineKernels& activeKernels() const { return *kernels; }

private:
    /// What the block constants were last computed from.
    struct SetUpKey
    {
        ParameterValues values;
        double sampleRate;
        bool envelopeArmed;
        bool sidechainArmed;
    };

    template <typename Sample>
    void processChunks(const Sample* const* inputs, Sample* const* outputs, std::int32_t frames);
    void setUp(const ParameterValues& values);
    /// The block constants from `key`; the envelope's and the side-chain's coefficients only when due.
    void computeConstants(bool envelopeDue, bool sidechainDue);

    double envelope;
    double sampleRate = 0.0;
    std::atomic<bool> envelopeArmed{false};
    std::atomic<bool> sidechainArmed{false};
    bool setUpDone = false;
    SetUpKey key{};
    ChunkConstants constants{};
    PinkNoise pushNoise;
    SidechainFilter sidechain;
    GainReductionFeed meterFeed;
    RestGate restGate;
    const EngineKernels* kernels;
};
} // namespace qm07
