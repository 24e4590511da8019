// The audio side of one instance: the engine, its copy of the values, and blocks split at their events.
#pragma once

#include "CompressorEngine.h"
#include "SharedValues.h"
#include "abi/Process.h"

#include <cstdint>
#include <vector>

namespace qm07
{

class ClapProcessor
{
public:
    /// Any thread; no allocation beyond the engine's own members.
    explicit ClapProcessor(std::uint32_t noiseSeed) : engine(noiseSeed) {}

    /// Main thread, inactive; allocates the scratch for blocks whose input and output precision differ.
    void activate(double sampleRate, std::uint32_t maxFrames);
    /// Audio thread; no allocation.
    void reset() { engine.reset(); }
    /// Audio thread; never allocates, locks or waits. Reads the values at the start, applies every host
    /// change at its frame (clamped to the block) and publishes it; outputs marked not constant.
    void process(const clap::clap_process& block, SharedValues& values);

    GainReductionFeed& gainReductionFeed() { return engine.gainReductionFeed(); }
    /// While not processing: a known Push noise, for reproducible renders.
    void seedNoise(std::uint32_t seed) { engine.seedNoise(seed); }

private:
    void render(const clap::clap_process& block, std::uint32_t from, std::uint32_t to);
    template <typename In, typename Out>
    void renderConverted(In* const* in, Out* const* out, std::uint32_t from, std::uint32_t to,
                         std::vector<Out>& scratch);
    template <typename Sample>
    void renderDirect(Sample* const* in, Sample* const* out, std::uint32_t from, std::uint32_t to);

    CompressorEngine engine;
    ParameterValues values = defaultValues();
    std::vector<float> scratch32;
    std::vector<double> scratch64;
    std::uint32_t scratchFrames = 0;
};

} // namespace qm07
