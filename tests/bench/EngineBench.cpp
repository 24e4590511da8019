// Cost per stereo frame of the engine on every instruction set this CPU runs, against a loop doing only
// one C-library log10 and one exp per frame; the ratios of one run are printed after the table.
#include "CompressorEngine.h"
#include "KernelDispatch.h"
#include "Parameters.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace qm07;

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
    explicit Buffers(bool silent)
    {
        if (!silent) return;
        for (std::vector<Sample>& channel : in)
            std::fill(channel.begin(), channel.end(), Sample(0));
    }

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

/// Runs processBlock over the material (or digital silence) one block after another and reports the time
/// per stereo frame.
template <typename Sample, typename ProcessBlock>
void timeBlocks(benchmark::State& state, ProcessBlock processBlock, bool silent = false)
{
    Buffers<Sample> buffers(silent);
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

/// The same floor on the engine's own polynomials: decibels of the peak, then the exponential of a gain.
template <typename Sample> void polynomialFloor(benchmark::State& state, const qm07::EngineKernels* kernels)
{
    double level[kBlock];
    double gain[kBlock];
    timeBlocks<Sample>(state,
                       [&](Sample** in, Sample** out)
                       {
                           for (int n = 0; n < kBlock; ++n)
                               level[n] = std::max(std::abs(static_cast<double>(in[0][n])),
                                                   std::abs(static_cast<double>(in[1][n]))) +
                                          1e-25;
                           kernels->decibels(level, level, kBlock);
                           for (int n = 0; n < kBlock; ++n)
                               level[n] *= -0.5 * 0.11512925464970228;
                           kernels->exponential(level, gain, kBlock);
                           for (int n = 0; n < kBlock; ++n)
                           {
                               out[0][n] = static_cast<Sample>(gain[n] * in[0][n]);
                               out[1][n] = static_cast<Sample>(gain[n] * in[1][n]);
                           }
                       });
}

struct Setting
{
    const char* name;
    float scMode;
    float push;
    bool meter;  // as while the editor is open
    bool silent; // digital silence in
};

constexpr Setting kSettings[] = {{"defaults", 0.0f, 0.0f, false, false}, {"sc-a", 0.5f, 0.0f, false, false},
                                 {"sc-b", 1.0f, 0.0f, false, false},     {"push", 0.0f, 0.5f, false, false},
                                 {"meter", 0.0f, 0.0f, true, false},     {"silence", 0.0f, 0.0f, true, true}};

template <typename Sample>
void engine(benchmark::State& state, const qm07::EngineKernels* kernels, Setting setting)
{
    qm07::ParameterValues values;
    for (int i = 0; i < kNumParams; ++i)
        values[i] = qm07::kParameters[i].defaultValue;
    values[kScMode] = setting.scMode;
    values[kPush] = setting.push;
    qm07::CompressorEngine effect(1u);
    effect.useKernels(*kernels);
    effect.setSampleRate(kRate);
    if (setting.meter) effect.gainReductionFeed().activate(kRate);
    timeBlocks<Sample>(
        state, [&](Sample** in, Sample** out) { effect.process(values, in, out, kBlock); }, setting.silent);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("baseline<float>", baseline<float>);
    benchmark::RegisterBenchmark("baseline<double>", baseline<double>);
    for (const qm07::EngineKernels* kernels : qm07::runnableKernels())
    {
        benchmark::RegisterBenchmark((std::string("floor<float>/") + kernels->name).c_str(),
                                     polynomialFloor<float>, kernels);
        benchmark::RegisterBenchmark((std::string("floor<double>/") + kernels->name).c_str(),
                                     polynomialFloor<double>, kernels);
        for (const Setting& setting : kSettings)
        {
            const std::string suffix = std::string("/") + kernels->name + "/" + setting.name;
            benchmark::RegisterBenchmark(("engine<float>" + suffix).c_str(), engine<float>, kernels, setting);
            benchmark::RegisterBenchmark(("engine<double>" + suffix).c_str(), engine<double>, kernels,
                                         setting);
        }
    }
    RatioReporter reporter(
        "ns per frame as a multiple of the baseline (one C-library log10 and exp per frame):",
        [](const std::string& name) {
            return std::string(name.find("<float>") != std::string::npos ? "baseline<float>"
                                                                         : "baseline<double>");
        });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
