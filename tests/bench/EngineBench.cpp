// Cost per stereo frame of the compressor against a loop doing only its one log10 and one exp per frame.
#include "ParameterTable.h"
#include "TarvelCompressor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
constexpr int kBlock = 512;
constexpr int kBlocks = 64;
constexpr float kRate = 48000.0f;

/// A few seconds' worth of programme-like material: a tone whose level swells, plus noise.
template <typename Sample> std::vector<Sample> material(int channel)
{
    std::vector<Sample> x(kBlock * kBlocks);
    std::uint32_t seed = 0x1234567u + static_cast<std::uint32_t>(channel);
    for (std::size_t n = 0; n < x.size(); ++n)
    {
        seed = seed * 1664525u + 1013904223u;
        const double noise = static_cast<double>(seed >> 8) / 16777216.0 - 0.5;
        const double swell = 0.5 + 0.45 * std::sin(2.0 * 3.141592653589793 * 1.5 * n / kRate);
        x[n] = static_cast<Sample>(swell * std::sin(0.0412 * n + channel) + 0.1 * noise);
    }
    return x;
}

template <typename Sample> struct Buffers
{
    std::vector<Sample> in[2] = {material<Sample>(0), material<Sample>(1)};
    std::vector<Sample> out[2] = {std::vector<Sample>(in[0].size()), std::vector<Sample>(in[1].size())};

    void pointersAt(int block, Sample** inputs, Sample** outputs)
    {
        for (int c = 0; c < 2; ++c)
        {
            inputs[c] = in[c].data() + block * kBlock;
            outputs[c] = out[c].data() + block * kBlock;
        }
    }
};

void process(TarvelCompressor& effect, float** in, float** out)
{
    effect.processReplacing(in, out, kBlock);
}
void process(TarvelCompressor& effect, double** in, double** out)
{
    effect.processDoubleReplacing(in, out, kBlock);
}

/// Runs processBlock over the material one block after another and reports the time per stereo frame.
template <typename Sample, typename ProcessBlock>
void timeBlocks(benchmark::State& state, ProcessBlock processBlock)
{
    Buffers<Sample> buffers;
    Sample* in[2];
    Sample* out[2];
    int block = 0;
    for (auto _ : state)
    {
        buffers.pointersAt(block, in, out);
        processBlock(in, out);
        benchmark::DoNotOptimize(out[0][kBlock - 1]);
        block = (block + 1) % kBlocks;
    }
    state.counters["ns/frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

/// Arguments: SC Mode position (0, 1, 2), Push position (0, 1).
template <typename Sample> void engine(benchmark::State& state)
{
    TarvelCompressor effect(nullptr);
    effect.setSampleRate(kRate);
    effect.setParameter(kScMode, 0.5f * static_cast<float>(state.range(0)));
    effect.setParameter(kPush, 0.5f * static_cast<float>(state.range(1)));
    timeBlocks<Sample>(state, [&](Sample** in, Sample** out) { process(effect, in, out); });
}

/// The floor: the level in dB and a gain from it, with nothing else of the engine.
template <typename Sample> void levelAndGainOnly(Sample** in, Sample** out)
{
    for (int n = 0; n < kBlock; ++n)
    {
        const double xL = in[0][n];
        const double xR = in[1][n];
        const double level = 20.0 * std::log10(std::max(std::abs(xL), std::abs(xR)) + 1e-25);
        const double g = std::exp(-0.5 * level * 0.11512925464970228);
        out[0][n] = static_cast<Sample>(g * xL);
        out[1][n] = static_cast<Sample>(g * xR);
    }
}

template <typename Sample> void baseline(benchmark::State& state)
{
    timeBlocks<Sample>(state, levelAndGainOnly<Sample>);
}

void modes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"sc", "push"});
    for (int sc = 0; sc <= 2; ++sc)
        for (int push = 0; push <= 1; ++push)
            b->Args({sc, push});
}
} // namespace

BENCHMARK(baseline<float>);
BENCHMARK(engine<float>)->Apply(modes);
BENCHMARK(baseline<double>);
BENCHMARK(engine<double>)->Apply(modes);

BENCHMARK_MAIN();
