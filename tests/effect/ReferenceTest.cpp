// The engine on every instruction set against the plain loop on the C library: double output within
// 1e-12 relative, float output within one step, over long renders at every usual rate.
#include "DenormalGuard.h"
#include "EngineTestSupport.h"
#include "KernelDispatch.h"
#include "ReferenceCompressor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace
{
struct Setting
{
    const char* name;
    std::initializer_list<std::pair<std::int32_t, float>> values;
};

const Setting kSettings[] = {
    {"defaults", {}},
    {"every feature",
     {{kScMode, 1.0f},
      {kPush, 1.0f},
      {kKneeDb, 0.6f},
      {kKneePct, 0.7f},
      {kGain, 0.4f},
      {kWetDry, 0.15f},
      {kThresh, 0.6f},
      {kRatio, 0.8f},
      {kAttack, 0.2f},
      {kRelease, 0.3f}}},
    {"side chain A, slow, soft", {{kScMode, 0.5f}, {kKneePct, 1.0f}, {kAttack, 1.0f}, {kRelease, 1.0f}}},
};

constexpr std::uint32_t kSeed = 77;

Stereo referenceOutput(const EngineRig& rig, const Stereo& in)
{
    const DenormalGuard guard; // the engine's floating-point mode
    ReferenceCompressor reference(rig.values, rig.sampleRate, kSeed);
    Stereo out = in;
    for (std::size_t n = 0; n < in.frames(); ++n)
        reference.process(in.left[n], in.right[n], out.left[n], out.right[n]);
    return out;
}

/// Largest |y − r| / |r| (and any y ≠ r where r is 0 counts as infinitely far).
double worstRelative(const std::vector<double>& y, const std::vector<double>& r)
{
    double worst = 0.0;
    for (std::size_t n = 0; n < r.size(); ++n)
        worst = std::max(worst, r[n] == 0.0 ? (y[n] == 0.0 ? 0.0 : HUGE_VAL)
                                            : std::abs(y[n] - r[n]) / std::abs(r[n]));
    return worst;
}

std::size_t beyondOneStep(const std::vector<float>& y, const std::vector<double>& r)
{
    std::size_t count = 0;
    for (std::size_t n = 0; n < r.size(); ++n)
    {
        const float expected = static_cast<float>(r[n]);
        count +=
            y[n] != expected && y[n] != std::nextafter(expected, y[n] > expected ? HUGE_VALF : -HUGE_VALF);
    }
    return count;
}
} // namespace

TEST(ReferenceCompressor, EveryPathAgreesWithThePlainLoopOnTheCLibrary)
{
    for (const Setting& setting : kSettings)
        for (float rate : {44100.0f, 48000.0f, 96000.0f, 192000.0f})
        {
            const Stereo in = programme(rate, 1.5);
            EngineRig rig(rate);
            configure(rig, setting.values);
            const Stereo expected = referenceOutput(rig, in);
            for (const qm07::EngineKernels* kernels : qm07::runnableKernels())
            {
                EngineRig fx(rate, kSeed);
                fx.engine.useKernels(*kernels);
                configure(fx, setting.values);
                const Stereo out = process(fx, in, 512);
                EngineRig single(rate, kSeed);
                single.engine.useKernels(*kernels);
                configure(single, setting.values);
                const StereoFloat outFloat = process(single, toFloat(in), 512);
                const std::string where =
                    std::string(setting.name) + " at " + std::to_string(rate) + " on " + kernels->name;
                EXPECT_LE(worstRelative(out.left, expected.left), 1e-12) << where;
                EXPECT_LE(worstRelative(out.right, expected.right), 1e-12) << where;
                EXPECT_EQ(beyondOneStep(outFloat.left, expected.left), 0u) << where;
                EXPECT_EQ(beyondOneStep(outFloat.right, expected.right), 0u) << where;
            }
        }
}
