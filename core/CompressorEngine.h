// The compressor's signal processing, free of any plug-in format: detector, curve, envelope, Push,
// gain, dry mix and the meter feed, run by the kernels chosen for this CPU.
#pragma once

#include "BlockSettings.h"
#include "EngineKernels.h"
#include "GainReductionFeed.h"
#include "PinkNoise.h"
#include "SidechainFilter.h"

#include <atomic>
#include <cstdint>

namespace qm07
{
class CompressorEngine
{
public:
    /// Any thread; no allocation. Coefficients stay 0 until times and a mode are set.
    explicit CompressorEngine(std::uint32_t noiseSeed);

    /// Audio thread; never allocates, locks or waits. Output channels may be the input channels.
    void process(const BlockSettings& block, const float* const* inputs, float* const* outputs,
                 std::int32_t frames);
    void process(const BlockSettings& block, const double* const* inputs, double* const* outputs,
                 std::int32_t frames);

    /// Any thread; no allocation. Both envelope coefficients from the stored Attack and Release values.
    void setEnvelopeTimes(float attack, float release, double sampleRate);
    /// Any thread; no allocation. Side-chain coefficients of mode 1 or 2; mode 0 keeps the present ones.
    void setSidechainMode(int mode, double sampleRate) { sidechain.update(mode, sampleRate); }

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
    template <typename Sample>
    void processChunks(const BlockSettings& block, const Sample* const* inputs, Sample* const* outputs,
                       std::int32_t frames);
    /// Coefficients are read per chunk, so changes from other threads act within a long block.
    ChunkConstants chunkConstants(const BlockSettings& block) const;

    double envelope;
    std::atomic<double> attackCoef{0.0};
    std::atomic<double> releaseCoef{0.0};
    PinkNoise pushNoise;
    SidechainFilter sidechain;
    GainReductionFeed meterFeed;
    const EngineKernels* kernels;
};
} // namespace qm07
