// Processing contract: precisions agree, block size and in-place buffers do not matter, bad input does no
// lasting damage, subnormals are flushed, the side chain shapes only the detector.
#include "EngineTestSupport.h"
#include "Signals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <xmmintrin.h>

namespace
{
/// Every feature on: side chain B, Push II, soft knee, make-up gain and a dry share (at 48 kHz).
void busySettings(EngineRig& fx)
{
    configure(fx, {{kScMode, 1.0f},
                   {kPush, 1.0f},
                   {kKneePct, 0.7f},
                   {kGain, 0.3f},
                   {kWetDry, 0.2f},
                   {kThresh, 0.7f},
                   {kRatio, 0.8f}});
    fx.engine.seedNoise(2024u);
}

Stereo programme()
{
    return append(noise(6000, 0.02), append(noise(9000, 1.5, 3), noise(5000, 0.1, 5)));
}

bool allFinite(const std::vector<double>& x)
{
    for (double v : x)
        if (!std::isfinite(v)) return false;
    return true;
}
} // namespace

TEST(CompressorProcessing, FloatAndDoubleAgreeUpToTheFinalNarrowing)
{
    const StereoFloat inFloat = toFloat(programme());
    const Stereo in{std::vector<double>(inFloat.left.begin(), inFloat.left.end()),
                    std::vector<double>(inFloat.right.begin(), inFloat.right.end())};
    EngineRig single(48000.0f);
    EngineRig dual(48000.0f);
    busySettings(single);
    busySettings(dual);
    const StereoFloat outFloat = process(single, inFloat, 512);
    const StereoFloat narrowed = toFloat(process(dual, in, 512));
    EXPECT_EQ(outFloat.left, narrowed.left);
    EXPECT_EQ(outFloat.right, narrowed.right);
}

TEST(CompressorProcessing, OutputDoesNotDependOnBlockSize)
{
    const Stereo in = programme();
    EngineRig whole(48000.0f);
    busySettings(whole);
    const Stereo expected = process(whole, in);
    for (std::size_t block : {1u, 7u, 512u, 4096u})
    {
        EngineRig fx(48000.0f);
        busySettings(fx);
        const Stereo out = process(fx, in, block);
        EXPECT_EQ(out.left, expected.left) << "block " << block;
        EXPECT_EQ(out.right, expected.right) << "block " << block;
    }
}

TEST(CompressorProcessing, InPlaceBuffersGiveTheSameResult)
{
    const Stereo in = programme();
    EngineRig reference(48000.0f);
    busySettings(reference);
    const Stereo expected = process(reference, in, 256);

    EngineRig fx(48000.0f);
    busySettings(fx);
    Stereo buffer = in;
    for (std::size_t start = 0; start < buffer.frames(); start += 256)
    {
        double* channels[2] = {buffer.left.data() + start, buffer.right.data() + start};
        fx.engine.process(fx.settings(), channels, channels,
                          static_cast<std::int32_t>(std::min<std::size_t>(256, buffer.frames() - start)));
    }
    EXPECT_EQ(buffer.left, expected.left);
    EXPECT_EQ(buffer.right, expected.right);

    EngineRig single(48000.0f);
    busySettings(single);
    StereoFloat floatBuffer = toFloat(in);
    float* floatChannels[2] = {floatBuffer.left.data(), floatBuffer.right.data()};
    single.engine.process(single.settings(), floatChannels, floatChannels,
                          static_cast<std::int32_t>(floatBuffer.frames()));
    EngineRig separate(48000.0f);
    busySettings(separate);
    EXPECT_EQ(floatBuffer.left, process(separate, toFloat(in)).left);
}

TEST(CompressorProcessing, NoFramesOrMissingBuffersWriteNothing)
{
    EngineRig fx(44100.0f);
    double in[4] = {0.5, 0.5, 0.5, 0.5};
    double out[4] = {7.0, 7.0, 7.0, 7.0};
    double* inputs[2] = {in, in};
    double* outputs[2] = {out, out};
    fx.engine.process(fx.settings(), inputs, outputs, 0);
    fx.engine.process(fx.settings(), inputs, outputs, -5);
    fx.engine.process(fx.settings(), static_cast<double**>(nullptr), outputs, 4);
    double* missing[2] = {in, nullptr};
    fx.engine.process(fx.settings(), missing, outputs, 4);
    for (double v : out)
        EXPECT_EQ(v, 7.0);
}

TEST(CompressorProcessing, NonFiniteInputDoesNoLastingDamage)
{
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL};
    for (float scMode : {0.0f, 0.5f, 1.0f})
        for (double value : bad)
            for (int channel = 0; channel < 2; ++channel)
            {
                EngineRig fx(44100.0f);
                configure(fx, {{kScMode, scMode}, {kRelease, 0.0f}});
                Stereo in = noise(44100, 0.9);
                (channel == 0 ? in.left : in.right)[1000] = value;
                const Stereo out = process(fx, in, 512);
                const Stereo after{std::vector<double>(out.left.begin() + 1001, out.left.end()),
                                   std::vector<double>(out.right.begin() + 1001, out.right.end())};
                EXPECT_TRUE(allFinite(after.left) && allFinite(after.right))
                    << "SC " << scMode << " value " << value << " channel " << channel;
                // Half a second later the envelope and filters have forgotten whatever they restarted from.
                EngineRig clean(44100.0f);
                configure(clean, {{kScMode, scMode}, {kRelease, 0.0f}});
                (channel == 0 ? in.left : in.right)[1000] = 0.0;
                EXPECT_NEAR(out.left.back(), process(clean, in, 512).left.back(), 1e-9);
            }
}

TEST(CompressorProcessing, SubnormalsAreFlushedAndTheCallersModeRestored)
{
    EngineRig fx(44100.0f);
    const unsigned callers = _mm_getcsr() & ~0x8040u;
    _mm_setcsr(callers);
    StereoFloat tiny{std::vector<float>(64, 1e-40f), std::vector<float>(64, -1e-41f)};
    const StereoFloat out = process(fx, tiny);
    EXPECT_EQ(_mm_getcsr(), callers);
    for (std::size_t n = 0; n < out.frames(); ++n)
    {
        ASSERT_EQ(out.left[n], 0.0f);
        ASSERT_EQ(out.right[n], 0.0f);
    }
}

TEST(CompressorProcessing, SideChainShapesTheDetectorNotTheAudio)
{
    // Ratio 1, fast attack, slow release: the settled reduction is the detector's peak over −20 dB.
    const auto settled = [](float scMode, double frequency)
    {
        EngineRig fx(44100.0f);
        configure(fx,
                  {{kScMode, scMode}, {kRatio, 1.0f}, {kAttack, 0.0f}, {kRelease, 1.0f}, {kThresh, 1.0f}});
        const std::vector<double> tone = sine(frequency, 44100.0, 88200, 0.5);
        const Stereo in{tone, tone};
        const Stereo out = process(fx, in);
        std::size_t n = out.frames() - 1;
        while (std::abs(in.left[n]) < 0.3)
            --n;
        return reductionAt(in, out, n);
    };
    EXPECT_NEAR(settled(0.5f, 4200.0) - settled(0.0f, 4200.0), 6.0, 0.3);
    EXPECT_NEAR(settled(0.5f, 40.0) - settled(0.0f, 40.0), -7.0, 0.1);
    EXPECT_NEAR(settled(1.0f, 1000.0) - settled(0.0f, 1000.0), 2.5, 0.1);
}

TEST(CompressorProcessing, SideChainStatesStandStillInModeFAndCarryOverModeChanges)
{
    EngineRig fx(44100.0f);
    fx.setParameter(kScMode, 0.5f);
    process(fx, noise(1000, 0.7));
    const auto state = [&] { return fx.engine.sidechainFilter().sectionState(SidechainFilter::kHighRight); };
    const BiquadState afterA = state();
    EXPECT_NE(afterA.y1, 0.0);

    fx.setParameter(kScMode, 0.0f);
    process(fx, noise(1000, 0.7, 9));
    EXPECT_EQ(state(), afterA);

    fx.setParameter(kScMode, 1.0f);
    fx.setSampleRate(48000.0f);
    EXPECT_EQ(state(), afterA);
    process(fx, noise(10, 0.7, 11));
    EXPECT_NE(state(), afterA);
}

TEST(CompressorProcessing, StaysStableWhenCornersLieAboveNyquist)
{
    EngineRig fx(8000.0f);
    configure(fx, {{kScMode, 0.5f}, {kThresh, 1.0f}, {kRatio, 0.5f}});
    const Stereo in = noise(80000, 1.0);
    const Stereo out = process(fx, in);
    const BiquadState state = fx.engine.sidechainFilter().sectionState(SidechainFilter::kHighLeft);
    EXPECT_LT(std::abs(state.y1), 100.0);
    EXPECT_LT(reductionAt(in, out, in.frames() - 1), 40.0);
}
