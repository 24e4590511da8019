// Settled gain of the compressor against its transfer curve, make-up gain, dry mix and Push.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr std::size_t kSettle = 8820; // 0.2 s: far beyond the default 1.6 ms attack

/// Reduction from threshold t, slope s and knee width w, written from the curve's definition.
double expectedReduction(double levelDb, double t, double s, double w)
{
    const double over = levelDb - t;
    if (over <= -w / 2.0) return 0.0;
    if (over < w / 2.0) return s * (over + w / 2.0) * (over + w / 2.0) / (2.0 * w);
    return s * over;
}

double settledReduction(std::initializer_list<std::pair<std::int32_t, float>> values, double amplitude)
{
    EngineRig fx(44100.0f);
    configure(fx, values);
    const Stereo in = constant(amplitude, -0.5 * amplitude, kSettle);
    return reductionAt(in, process(fx, in), kSettle - 1);
}

struct CurveSetting
{
    float thresh, ratio, kneeDb, kneePct;
};
} // namespace

TEST(CompressorCurve, DefaultsTakeFourteenDecibelsOffAFullScalePeak)
{
    EngineRig fx(44100.0f);
    const Stereo in = constant(1.0, 0.25, kSettle);
    const Stereo out = process(fx, in);
    EXPECT_NEAR(reductionAt(in, out, kSettle - 1), 14.142, 0.001);
    EXPECT_NEAR(out.left.back(), 0.196, 0.0005);
    EXPECT_NEAR(out.right.back(), 0.25 * 0.196, 0.0002);
}

TEST(CompressorCurve, SettledReductionFollowsTheCurveAcrossLevels)
{
    const CurveSetting settings[] = {{0.5f, 0.5f, 0.375f, 0.0f},
                                     {0.25f, 0.765625f, 1.0f, 0.5f},
                                     {1.0f, 1.0f, 1.0f, 1.0f},
                                     {0.8f, 0.3f, 0.6f, 0.9f}};
    for (const CurveSetting& c : settings)
        for (double levelDb = -60.0; levelDb <= 6.0; levelDb += 3.0)
        {
            const double reduction = settledReduction(
                {{kThresh, c.thresh}, {kRatio, c.ratio}, {kKneeDb, c.kneeDb}, {kKneePct, c.kneePct}},
                std::pow(10.0, levelDb / 20.0));
            const double expected = expectedReduction(levelDb, -40.0 * c.thresh, std::sqrt(c.ratio),
                                                      24.0 * static_cast<double>(c.kneeDb * c.kneePct));
            EXPECT_NEAR(reduction, expected, 1e-6) << "level " << levelDb << " thresh " << c.thresh;
        }
}

TEST(CompressorCurve, SoftKneeOf24dBGivesZeroThreeAndTwelve)
{
    const auto knee = [](double levelDb)
    {
        return settledReduction({{kKneeDb, 1.0f}, {kKneePct, 1.0f}, {kRatio, 1.0f}, {kThresh, 0.5f}},
                                std::pow(10.0, levelDb / 20.0));
    };
    EXPECT_NEAR(knee(-32.0), 0.0, 1e-9);
    EXPECT_NEAR(knee(-20.0), 3.0, 1e-9);
    EXPECT_NEAR(knee(-8.0), 12.0, 1e-9);
}

TEST(CompressorCurve, RatioZeroNeverReducesRatioOneHoldsTheThreshold)
{
    for (double amplitude : {0.001, 1.0, 4.0})
        EXPECT_NEAR(settledReduction({{kRatio, 0.0f}}, amplitude), 0.0, 1e-12);
    EXPECT_NEAR(settledReduction({{kRatio, 1.0f}, {kThresh, 0.0f}, {kKneePct, 0.0f}}, 1.0), 0.0, 1e-12);
    EXPECT_NEAR(settledReduction({{kRatio, 1.0f}, {kThresh, 0.0f}, {kKneePct, 0.0f}}, std::pow(10.0, 0.3)),
                6.0, 1e-9);
}

TEST(CompressorCurve, MakeupGainAndDryShareMixIntoTheOutput)
{
    EngineRig fx(44100.0f);
    configure(fx, {{kGain, 1.0f}, {kRatio, 0.0f}});
    const Stereo quiet = constant(0.001, -0.002, 100);
    const Stereo loud = process(fx, quiet);
    EXPECT_NEAR(loud.left.back() / quiet.left.back(), 15.849, 0.001);
    EXPECT_NEAR(loud.right.back() / quiet.right.back(), 15.849, 0.001);

    // Ratio 1 at −20 dB on a full-scale peak: 20 dB off the wet three quarters, a quarter dry.
    EngineRig mixed(44100.0f);
    configure(mixed, {{kRatio, 1.0f}, {kWetDry, 0.25f}});
    EXPECT_NEAR(process(mixed, constant(1.0, 0.0, kSettle)).left.back(), 0.1 * 0.75 + 0.25, 1e-9);
}

TEST(CompressorCurve, FullyDryOutputIsTheInputBitForBit)
{
    const Stereo in = noise(20000, 3.0);
    for (float scMode : {0.0f, 0.5f, 1.0f})
    {
        EngineRig fx(48000.0f);
        configure(fx, {{kWetDry, 1.0f},
                       {kGain, 1.0f},
                       {kRatio, 1.0f},
                       {kThresh, 1.0f},
                       {kPush, 1.0f},
                       {kScMode, scMode}});
        const Stereo out = process(fx, in, 333);
        EXPECT_EQ(out.left, in.left);
        EXPECT_EQ(out.right, in.right);
        const StereoFloat outFloat = process(fx, toFloat(in), 333);
        EXPECT_EQ(outFloat.left, toFloat(in).left);
        EXPECT_EQ(outFloat.right, toFloat(in).right);
    }
}

TEST(CompressorCurve, PushLowersTheThresholdNineDecibelsPerStepWithBoundedJitter)
{
    // At no usable rate both envelope coefficients are 0, so each frame shows its own overshoot.
    for (const auto& [push, lowered, jitter] : {std::tuple{0.5f, 9.0, 0.75}, std::tuple{1.0f, 18.0, 1.5}})
    {
        EngineRig fx(0.0f);
        configure(fx, {{kRatio, 1.0f}, {kThresh, 0.0f}, {kPush, push}});
        const Stereo in = constant(1.0, 1.0, 50000);
        const Stereo out = process(fx, in);
        double lowest = 1e9;
        double highest = -1e9;
        for (std::size_t n = 0; n < in.frames(); ++n)
        {
            lowest = std::min(lowest, reductionAt(in, out, n));
            highest = std::max(highest, reductionAt(in, out, n));
        }
        EXPECT_GE(lowest, lowered - jitter - 1e-9) << "push " << push;
        EXPECT_LE(highest, lowered + jitter + 1e-9) << "push " << push;
        EXPECT_GT(highest - lowest, jitter) << "push " << push;
    }
}

TEST(CompressorCurve, PushJitterIsReproducibleForAFixedSeed)
{
    const Stereo in = noise(4096, 0.8);
    const auto render = [&](std::uint32_t seed)
    {
        EngineRig fx(44100.0f);
        fx.setParameter(kPush, 1.0f);
        fx.engine.seedNoise(seed);
        return process(fx, in).left;
    };
    EXPECT_EQ(render(42u), render(42u));
    EXPECT_NE(render(42u), render(43u));
}
