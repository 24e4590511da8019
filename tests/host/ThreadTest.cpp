// Parameter and chunk writes from other threads while the audio thread processes.
#include "LivePlayback.h"
#include "PluginUnderTest.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>

namespace
{
constexpr int kBlock = 256;

std::vector<std::uint8_t> chunkOf(const std::vector<float>& values)
{
    std::vector<std::uint8_t> bytes(values.size() * sizeof(float));
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

// Two complete states; every value the plug-in can hold during the test comes from one of them.
const std::vector<float> kStateA = {0.1f, 0.9f, 0.3f, 0.05f, 0.95f, 0.6f, 0.8f, 0.5f, 0.5f, 0.2f};
const std::vector<float> kStateB = {0.8f, 0.2f, 0.0f, 0.9f, 0.1f, 0.1f, 0.3f, 1.0f, 1.0f, 0.0f};

bool fromEitherState(const std::vector<std::uint8_t>& chunk)
{
    if (chunk.size() != 40) return false;
    for (std::size_t i = 0; i < 10; ++i)
    {
        float value;
        std::memcpy(&value, &chunk[i * sizeof(float)], sizeof(float));
        if (value != kStateA[i] && value != kStateB[i]) return false;
    }
    return true;
}

/// The host's audio thread: processes blocks and automates one parameter between blocks.
struct AudioThread
{
    HostedPlugin& plugin;
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<long> nonFinite{0};

    void run()
    {
        AudioClip signal = testSignal(plugin.sampleRate(), 1.0);
        std::vector<float> left(kBlock), right(kBlock);
        float* outputs[] = {left.data(), right.data()};
        for (std::size_t at = 0; !stop.load(); at = (at + kBlock) % (signal.frames() - kBlock))
        {
            float* inputs[] = {&signal.channels[0][at], &signal.channels[1][at]};
            plugin.processFloat(inputs, outputs, kBlock);
            for (float y : left)
                nonFinite += std::isfinite(y) ? 0 : 1;
            const long n = ++blocks;
            const auto index = static_cast<std::size_t>(n % 10);
            plugin.setParameter(static_cast<int>(index), (n / 10) % 2 ? kStateA[index] : kStateB[index]);
        }
    }
};
} // namespace

TEST(HostThreads, ParameterAndChunkWritesWhileProcessing)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->start(44100.0, kBlock);
    AudioThread audio{*plugin};
    std::thread thread([&] { audio.run(); });

    // The user-interface thread loads states and saves them while audio and automation run.
    long torn = 0;
    for (int round = 0; round < 1000000 && (round < 2000 || audio.blocks.load() < 2000); ++round)
    {
        plugin->setChunk(chunkOf(round % 2 ? kStateA : kStateB));
        plugin->setParameter(round % 10, round % 3 ? kStateA[round % 10] : kStateB[round % 10]);
        torn += fromEitherState(plugin->chunk()) ? 0 : 1;
    }
    audio.stop = true;
    thread.join();

    EXPECT_GE(audio.blocks.load(), 2000) << "the audio thread hardly ran";
    EXPECT_EQ(torn, 0) << "a saved chunk held a value that was never written";
    EXPECT_EQ(audio.nonFinite.load(), 0);
    plugin->setChunk(chunkOf(kStateB));
    EXPECT_EQ(plugin->chunk(), chunkOf(kStateB));
}

TEST(HostThreads, LivePlaybackAppliesTheScheduleInTimeOrderFromItsAudioThread)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->start(48000.0, kBlock);
    // Out of order on purpose: the later setting must win whatever order the host was given.
    LivePlayback playback(*plugin, testSignal(48000.0, 0.5),
                          {{0.02, 2, 0.25f}, {0.0, 2, 0.75f}, {0.0, 9, 0.5f}});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (playback.settingsApplied() < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    playback.stop();
    playback.stop();
    EXPECT_EQ(playback.settingsApplied(), 3u);
    EXPECT_GE(playback.blocksPlayed(), 4u)
        << "the last setting falls into the fourth block, which ends before stop";
    EXPECT_EQ(plugin->parameter(2), 0.25f);
    EXPECT_EQ(plugin->parameter(9), 0.5f);
}
