// The host's own pieces: raw audio files, level and difference measures, arguments, the demo signal.
#include "AudioFile.h"
#include "CommandLine.h"
#include "DemoSynth.h"
#include "HostedPlugin.h"
#include "RawAudio.h"
#include "SignalStats.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>

TEST(HostRawAudio, RoundTripKeepsEveryBitAndTheLayoutIsInterleaved)
{
    const std::string path = "HostToolsTest-roundtrip.f32";
    AudioClip clip{44100.0,
                   {{0.5f, -1.0f, 1e-30f}, {0.25f, std::numeric_limits<float>::denorm_min(), -0.0f}}};
    std::string error;
    ASSERT_TRUE(writeAudioFile(path, clip, error)) << error;

    std::ifstream file(path, std::ios::binary);
    float firstFrame[2] = {};
    file.read(reinterpret_cast<char*>(firstFrame), sizeof(firstFrame));
    EXPECT_EQ(firstFrame[0], 0.5f);
    EXPECT_EQ(firstFrame[1], 0.25f);

    AudioClip back;
    ASSERT_TRUE(readAudioFile(path, 96000.0, back, error)) << error;
    EXPECT_EQ(back.sampleRate, 96000.0);
    EXPECT_EQ(compareClips(clip, back).differing, 0u);
    EXPECT_TRUE(compareClips(clip, back).sameShape);
    std::remove(path.c_str());
}

TEST(HostRawAudio, RejectsWhatItCannotRepresent)
{
    std::string error;
    AudioClip mono{48000.0, {{0.1f, 0.2f}}};
    EXPECT_FALSE(writeRawAudio("HostToolsTest-mono.f32", mono, error));
    EXPECT_FALSE(error.empty());

    const std::string path = "HostToolsTest-odd.f32";
    std::ofstream(path, std::ios::binary) << "12345";
    AudioClip clip;
    EXPECT_FALSE(readRawAudio(path, 48000.0, clip, error));
    std::remove(path.c_str());
    EXPECT_FALSE(readAudioFile("HostToolsTest-missing.f32", 48000.0, clip, error));
}

TEST(HostSignalStats, UlpDistanceCountsFloatsBetween)
{
    EXPECT_EQ(ulpDistance(1.0f, 1.0f), 0);
    EXPECT_EQ(ulpDistance(0.0f, -0.0f), 0);
    EXPECT_EQ(ulpDistance(1.0f, std::nextafter(1.0f, 2.0f)), 1);
    EXPECT_EQ(ulpDistance(-1.0f, std::nextafter(-1.0f, -2.0f)), 1);
    const float tiny = std::numeric_limits<float>::denorm_min();
    EXPECT_EQ(ulpDistance(tiny, -tiny), 2);
    EXPECT_EQ(ulpDistance(std::nanf(""), 1.0f), std::numeric_limits<std::int64_t>::max());
}

constexpr double kPi = 3.14159265358979323846;

TEST(HostSignalStats, LevelsAndDifferences)
{
    AudioClip sine{48000.0, {std::vector<float>(48000), std::vector<float>(48000)}};
    for (std::size_t i = 0; i < 48000; ++i)
        sine.channels[0][i] = sine.channels[1][i] =
            static_cast<float>(0.5 * std::sin(2 * kPi * 1000.0 * static_cast<double>(i) / 48000));
    const Levels levels = measureLevels(sine);
    EXPECT_NEAR(levels.peak, 0.5, 1e-6);
    EXPECT_NEAR(levels.rms, 0.5 / std::sqrt(2.0), 1e-6);
    EXPECT_EQ(formatDecibels(0.5), "-6.02");
    EXPECT_EQ(formatDecibels(0.0), "-inf");

    AudioClip other = sine;
    other.channels[1][100] = std::nextafter(other.channels[1][100], 1.0f);
    other.channels[0][7] += 0.25f;
    const Difference diff = compareClips(sine, other);
    EXPECT_EQ(diff.differing, 2u);
    EXPECT_NEAR(diff.maxAbsolute, 0.25, 1e-6);
    other.channels[0].pop_back();
    EXPECT_FALSE(compareClips(sine, other).sameShape);
}

TEST(HostCommandLine, OptionsFlagsAndNumbers)
{
    CommandLine line({"a.so", "--set", "Gain=0.5", "in", "--double", "--set", "Ratio=1", "--block", "64"},
                     {"--set", "--block"}, {"--double"});
    ASSERT_TRUE(line.ok()) << line.error();
    EXPECT_EQ(line.positional(), (std::vector<std::string>{"a.so", "in"}));
    EXPECT_EQ(line.values("--set"), (std::vector<std::string>{"Gain=0.5", "Ratio=1"}));
    EXPECT_TRUE(line.has("--double"));
    EXPECT_EQ(line.number("--block", 512, 1, 4096), 64);
    EXPECT_EQ(line.number("--missing", 7, 1, 10), 7);
    EXPECT_TRUE(line.ok());
    EXPECT_EQ(line.number("--block", 512, 100, 4096), 512);
    EXPECT_FALSE(line.ok());

    EXPECT_FALSE(CommandLine({"--bogus"}, {}, {}).ok());
    EXPECT_FALSE(CommandLine({"x", "--block"}, {"--block"}, {}).ok());
    CommandLine words({"--block", "64k"}, {"--block"}, {});
    words.number("--block", 512, 1, 1e6);
    EXPECT_FALSE(words.ok());
}

TEST(HostDemoSynth, DeterministicStereoAtMinusOneDecibel)
{
    const AudioClip a = synthesizeDemo(44100.0, 2.0);
    const AudioClip b = synthesizeDemo(44100.0, 2.0);
    ASSERT_EQ(a.channels.size(), 2u);
    EXPECT_EQ(a.frames(), 88200u);
    EXPECT_EQ(compareClips(a, b).differing, 0u);
    EXPECT_NEAR(measureLevels(a).peak, std::pow(10.0, -1.0 / 20.0), 1e-6);
    // Drums panned apart make the channels differ; a quiet mix would not exercise a compressor.
    EXPECT_GT(
        compareClips(AudioClip{44100.0, {a.channels[0]}}, AudioClip{44100.0, {a.channels[1]}}).differing, 0u);
    EXPECT_GT(measureLevels(a).rms, 0.05);
}

TEST(HostLoading, ReportsFilesThatAreNoPlugins)
{
    std::string error;
    EXPECT_EQ(HostedPlugin::load("HostToolsTest-no-such-plugin", error), nullptr);
    EXPECT_FALSE(error.empty());

    const std::string path = "HostToolsTest-not-a-library";
    std::ofstream(path, std::ios::binary) << "this is text, not code";
    error.clear();
    EXPECT_EQ(HostedPlugin::load(path, error), nullptr);
    EXPECT_FALSE(error.empty());
    std::remove(path.c_str());
}
