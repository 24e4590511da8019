// Every instruction set gives the same output bit for bit, in both precisions, with any block size and
// any input, whatever the alignment of the stack it starts on (mingw-w64 keeps only 16 of the 32 bytes
// AVX values want).
#include "EngineTestSupport.h"
#include "KernelDispatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <utility>

namespace
{
using Values = std::initializer_list<std::pair<std::int32_t, float>>;

const Values kSettings[] = {
    {},
    {{kScMode, 0.5f}, {kPush, 0.5f}, {kAttack, 0.0f}, {kRelease, 0.0f}},
    {{kScMode, 1.0f}, {kPush, 1.0f}, {kKneeDb, 1.0f}, {kKneePct, 0.8f}, {kGain, 0.7f}, {kWetDry, 0.3f}},
    {{kRatio, 1.0f}, {kThresh, 1.0f}, {kKneePct, 1.0f}, {kAttack, 1.0f}, {kRelease, 1.0f}},
};

/// The programme with what hosts should not send but sometimes do: NaN, infinities, huge values.
Stereo hostile()
{
    Stereo x = programme(48000.0, 1.5);
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL, 1e300, -1e-300};
    for (std::size_t i = 0; i < std::size(bad); ++i)
    {
        x.left[30000 + 7001 * i] = bad[i];
        x.right[35000 + 6007 * i] = bad[i];
    }
    return x;
}

/// Blocks of changing, mostly odd sizes, so chunks and groups end everywhere.
template <typename Sample> StereoOf<Sample> render(EngineRig& fx, StereoOf<Sample> in)
{
    const std::size_t sizes[] = {1, 7, 64, 333, 512, 4096, 65, 3};
    StereoOf<Sample> out = in;
    for (std::size_t start = 0, i = 0; start < in.frames(); start += sizes[i++ % std::size(sizes)])
    {
        const std::size_t frames = std::min(sizes[i % std::size(sizes)], in.frames() - start);
        Sample* inputs[2] = {in.left.data() + start, in.right.data() + start};
        Sample* outputs[2] = {out.left.data() + start, out.right.data() + start};
        fx.engine.process(fx.settings(), inputs, outputs, static_cast<std::int32_t>(frames));
    }
    return out;
}

template <typename Sample> bool sameBits(const StereoOf<Sample>& a, const StereoOf<Sample>& b)
{
    const std::size_t bytes = a.frames() * sizeof(Sample);
    return std::memcmp(a.left.data(), b.left.data(), bytes) == 0 &&
           std::memcmp(a.right.data(), b.right.data(), bytes) == 0;
}

template <typename Sample>
StereoOf<Sample> renderOn(const qm07::EngineKernels& kernels, const Values& values,
                          const StereoOf<Sample>& in, double* meterReading)
{
    EngineRig fx(48000.0f, 5);
    fx.engine.useKernels(kernels);
    configure(fx, values);
    fx.engine.gainReductionFeed().activate(48000.0);
    const StereoOf<Sample> out = render(fx, in);
    *meterReading = fx.engine.gainReductionFeed().reading();
    return out;
}

template <typename Sample> void expectEveryPathAlike(const StereoOf<Sample>& in)
{
    const std::vector<const qm07::EngineKernels*> sets = qm07::runnableKernels();
    for (const Values& values : kSettings)
    {
        double firstReading = 0.0;
        const StereoOf<Sample> first = renderOn(*sets.front(), values, in, &firstReading);
        for (const qm07::EngineKernels* kernels : sets)
        {
            double reading = 0.0;
            EXPECT_TRUE(sameBits(renderOn(*kernels, values, in, &reading), first))
                << kernels->name << ", setting " << (&values - kSettings);
            EXPECT_EQ(reading, firstReading) << kernels->name << ", setting " << (&values - kSettings);
        }
    }
}

/// Runs f with the stack pointer moved by shift bytes.
template <typename F> [[gnu::noinline]] void withStackShifted(std::size_t shift, F f)
{
    volatile char* pad = static_cast<char*>(__builtin_alloca(shift + 1));
    pad[shift] = 0;
    f();
}
} // namespace

TEST(KernelPaths, ChosenAtLoadIsTheWidestThisCpuRuns)
{
    EXPECT_EQ(&qm07::chosenKernels(), qm07::runnableKernels().back());
    EXPECT_STREQ(qm07::runnableKernels().front()->name, "SSE2");
}

TEST(KernelPaths, EveryPathGivesTheSameBitsInDouble)
{
    expectEveryPathAlike(hostile());
}

TEST(KernelPaths, EveryPathGivesTheSameBitsInFloat)
{
    expectEveryPathAlike(toFloat(hostile()));
}

TEST(KernelPaths, EveryPathRunsOnAnyStackAlignment)
{
    const Stereo in = programme(44100.0, 0.2);
    for (const qm07::EngineKernels* kernels : qm07::runnableKernels())
    {
        double reading = 0.0;
        const Stereo expected = renderOn(*kernels, kSettings[2], in, &reading);
        for (std::size_t shift : {8u, 16u, 24u, 32u, 48u})
        {
            Stereo out;
            withStackShifted(shift, [&] { out = renderOn(*kernels, kSettings[2], in, &reading); });
            EXPECT_TRUE(sameBits(out, expected)) << kernels->name << " shifted by " << shift;
        }
    }
}

namespace
{
/// Seconds of noise bursts under a triangular swell, made with exact arithmetic only, so that every build
/// feeds the engine the same bits (the C library's sin differs between platforms).
Stereo portableProgramme(double rate, double seconds)
{
    Stereo x = noise(static_cast<std::size_t>(rate * seconds), 1.0, 12345);
    for (std::size_t n = 0; n < x.frames(); ++n)
    {
        const double phase = static_cast<double>(n % 48000) / 24000.0; // 0 ... 2
        const double swell = phase < 1.0 ? phase : 2.0 - phase;
        x.left[n] *= swell;
        x.right[n] *= swell;
    }
    return x;
}

/// FNV-1a over the output's bytes.
template <typename Sample> std::uint64_t digest(const StereoOf<Sample>& x)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const std::vector<Sample>* channel : {&x.left, &x.right})
    {
        const auto* bytes = reinterpret_cast<const unsigned char*>(channel->data());
        for (std::size_t i = 0; i < channel->size() * sizeof(Sample); ++i)
            hash = (hash ^ bytes[i]) * 0x100000001B3ull;
    }
    return hash;
}
} // namespace

// The Linux and the Windows build never run in one process, so they meet in these digests: both builds must
// produce them, on every path. They change with any intended change of the engine's arithmetic; the
// failure message gives the new ones.
TEST(KernelPaths, EveryBuildGivesTheSameBits)
{
    const Stereo in = portableProgramme(44100.0, 2.0);
    for (const qm07::EngineKernels* kernels : qm07::runnableKernels())
    {
        double reading = 0.0;
        EXPECT_EQ(digest(renderOn(*kernels, kSettings[2], in, &reading)), 15379867651212857079ull)
            << kernels->name;
        EXPECT_EQ(digest(renderOn(*kernels, kSettings[2], toFloat(in), &reading)), 7738726816583300642ull)
            << kernels->name;
    }
}
