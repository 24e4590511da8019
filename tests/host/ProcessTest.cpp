// Audio through the built plug-in: block sizes, shared buffers, both precisions, odd input.
#include "PluginUnderTest.h"
#include "Renderer.h"
#include "SignalStats.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace
{
constexpr double kRate = 44100.0;

// Settings that keep every stage busy: soft knee, side-chain filter, make-up gain and a dry share.
// Push stays off: its jitter is seeded from the clock, so two instances would differ.
void applyBusySettings(HostedPlugin& plugin)
{
    plugin.setParameter(1, 0.7f); // Ratio
    plugin.setParameter(2, 0.2f); // Gain
    plugin.setParameter(3, 0.2f); // Attack
    plugin.setParameter(4, 0.3f); // Release
    plugin.setParameter(6, 0.5f); // Knee %
    plugin.setParameter(7, 0.5f); // SC Mode A
    plugin.setParameter(9, 0.1f); // Wet/Dry
}

AudioClip renderWith(const AudioClip& input, int blockSize, Precision precision = Precision::Single)
{
    auto plugin = loadPluginUnderTest();
    if (!plugin) return {};
    applyBusySettings(*plugin);
    plugin->start(kRate, blockSize);
    return renderClip(*plugin, input, precision);
}

bool bitIdentical(const AudioClip& a, const AudioClip& b)
{
    const Difference diff = compareClips(a, b);
    return diff.sameShape && diff.differing == 0;
}

bool allFinite(const std::vector<float>& samples)
{
    return std::all_of(samples.begin(), samples.end(), [](float x) { return std::isfinite(x); });
}
} // namespace

TEST(HostProcess, AnyBlockSizeGivesTheOutputOfOneLongBlock)
{
    const AudioClip input = testSignal(kRate, 2.0);
    const AudioClip reference = renderWith(input, static_cast<int>(input.frames()));
    ASSERT_EQ(reference.channels.size(), 2u);
    EXPECT_LT(measureLevels(reference).rms, 0.9 * measureLevels(input).rms) << "the settings should compress";
    for (int blockSize : {1, 7, 512, 4096})
        EXPECT_TRUE(bitIdentical(renderWith(input, blockSize), reference)) << "block size " << blockSize;
}

TEST(HostProcess, InPlaceEqualsOutOfPlace)
{
    const AudioClip input = testSignal(kRate, 1.0);
    const AudioClip separate = renderWith(input, 512);
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    applyBusySettings(*plugin);
    plugin->start(kRate, 512);
    std::vector<std::vector<float>> shared = input.channels;
    float* channels[] = {shared[0].data(), shared[1].data()};
    plugin->processFloat(channels, channels, input.frames());
    AudioClip inPlace{kRate, shared};
    EXPECT_TRUE(bitIdentical(inPlace, separate));
}

TEST(HostProcess, DoubleInPlaceEqualsOutOfPlace)
{
    const AudioClip input = testSignal(kRate, 1.0);
    const AudioClip separate = renderWith(input, 512, Precision::Double);
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    applyBusySettings(*plugin);
    plugin->start(kRate, 512);
    std::vector<std::vector<double>> shared(2);
    for (int c = 0; c < 2; ++c)
        shared[c].assign(input.channels[c].begin(), input.channels[c].end());
    double* channels[] = {shared[0].data(), shared[1].data()};
    plugin->processDouble(channels, channels, input.frames());
    AudioClip inPlace{kRate, {{shared[0].begin(), shared[0].end()}, {shared[1].begin(), shared[1].end()}}};
    EXPECT_TRUE(bitIdentical(inPlace, separate));
}

TEST(HostProcess, FloatAndDoublePathsAgree)
{
    const AudioClip input = testSignal(kRate, 2.0);
    const AudioClip single = renderWith(input, 512, Precision::Single);
    const AudioClip dual = renderWith(input, 512, Precision::Double);
    const Difference diff = compareClips(single, dual);
    ASSERT_TRUE(diff.sameShape);
    EXPECT_LE(diff.maxUlps, 1) << "largest difference " << diff.maxAbsolute;
}

TEST(HostProcess, DoublePathKeepsMorePrecisionThanFloat)
{
    const AudioClip input = testSignal(kRate, 0.5);
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->setParameter(2, 0.3f); // make-up gain, so no output sample is a copy of its input
    plugin->start(kRate, 512);
    std::vector<double> left(input.channels[0].begin(), input.channels[0].end());
    std::vector<double> right(input.channels[1].begin(), input.channels[1].end());
    double* in[] = {left.data(), right.data()};
    std::vector<double> outLeft(left.size()), outRight(right.size());
    double* out[] = {outLeft.data(), outRight.data()};
    plugin->processDouble(in, out, left.size());
    const auto wider =
        std::count_if(outLeft.begin(), outLeft.end(),
                      [](double y) { return static_cast<double>(static_cast<float>(y)) != y; });
    EXPECT_GT(wider, static_cast<long>(outLeft.size() / 2)) << "the double path seems to compute in float";
}

TEST(HostProcess, NoFramesWriteNothing)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->start(kRate, 512);
    std::vector<float> in(16, 0.5f);
    std::vector<float> left(16, 7.0f), right(16, 7.0f);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {left.data(), right.data()};
    AEffect& effect = plugin->effect();
    for (std::int32_t frames : {0, -1, std::numeric_limits<std::int32_t>::min()})
        effect.processReplacing(&effect, inputs, outputs, frames);
    EXPECT_EQ(left, std::vector<float>(16, 7.0f));
    EXPECT_EQ(right, std::vector<float>(16, 7.0f));
}

TEST(HostProcess, FullScaleInputSettlesAtTheDefaultReduction)
{
    // Defaults: threshold -20 dB, slope sqrt(0.5); a steady 0 dBFS peak settles 14.142 dB lower.
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->start(kRate, 512);
    AudioClip input{kRate, {std::vector<float>(22050, 1.0f), std::vector<float>(22050, -1.0f)}};
    const AudioClip output = renderClip(*plugin, input, Precision::Single);
    const double expected = std::pow(10.0, -20.0 * std::sqrt(0.5) / 20.0);
    EXPECT_NEAR(output.channels[0].back(), expected, 1e-4);
    EXPECT_NEAR(output.channels[1].back(), -expected, 1e-4);
}

TEST(HostProcess, RecoversFromNonFiniteInput)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    applyBusySettings(*plugin);
    plugin->start(kRate, 512);
    AudioClip poison{kRate, {std::vector<float>(512), std::vector<float>(512)}};
    poison.channels[0][10] = std::numeric_limits<float>::quiet_NaN();
    poison.channels[1][20] = std::numeric_limits<float>::infinity();
    poison.channels[0][30] = -std::numeric_limits<float>::infinity();
    renderClip(*plugin, poison, Precision::Single);
    renderClip(*plugin, poison, Precision::Double);

    const AudioClip after = renderClip(*plugin, testSignal(kRate, 1.0), Precision::Single);
    const std::size_t half = after.frames() / 2;
    for (const auto& channel : after.channels)
        EXPECT_TRUE(allFinite({channel.begin() + static_cast<std::ptrdiff_t>(half), channel.end()}))
            << "non-finite values stuck in the state";
    EXPECT_GT(measureLevels(after).rms, 0.01);
}
