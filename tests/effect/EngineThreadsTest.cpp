// Parameter writes, chunk restores and meter hand-over from other threads while audio is processed.
#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace
{
constexpr double kMaxGain = 15.8490; // +24 dB of make-up, the most any setting can give

float nextValue(std::uint32_t& seed)
{
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / 16777216.0f * 1.2f - 0.1f;
}

} // namespace

TEST(EngineThreads, ChangesFromOtherThreadsNeverBreakProcessing)
{
    TarvelCompressor fx(nullptr);
    fx.setSampleRate(44100.0f);
    const Stereo in = noise(256, 1.0);
    std::atomic<bool> running{true};
    std::atomic<int> blocks{0};
    bool bounded = true;

    std::thread audio(
        [&]
        {
            Stereo input = in;
            Stereo out = in;
            StereoFloat inputFloat = toFloat(in);
            StereoFloat outFloat = inputFloat;
            double* inputs[2] = {input.left.data(), input.right.data()};
            double* outputs[2] = {out.left.data(), out.right.data()};
            float* inputsFloat[2] = {inputFloat.left.data(), inputFloat.right.data()};
            float* outputsFloat[2] = {outFloat.left.data(), outFloat.right.data()};
            while (running.load())
            {
                fx.processDoubleReplacing(inputs, outputs, 256);
                fx.processReplacing(inputsFloat, outputsFloat, 256);
                for (std::size_t n = 0; n < 256; ++n)
                    bounded = bounded && std::abs(out.left[n]) <= kMaxGain * std::abs(in.left[n]) + 1e-12 &&
                              std::abs(outFloat.right[n]) <= kMaxGain * std::abs(in.right[n]) + 1e-6;
                ++blocks;
            }
        });
    std::thread meter(
        [&]
        {
            double reading = 0.0;
            while (running.load())
            {
                fx.gainReductionFeed().activate(44100.0);
                reading += fx.gainReductionFeed().reading();
                fx.gainReductionFeed().deactivate();
            }
            EXPECT_TRUE(std::isfinite(reading));
        });

    std::uint32_t seed = 5;
    float chunk[kNumParams] = {};
    // Writes go on until the audio thread has processed a good number of blocks alongside them.
    for (int round = 0; round < 3000 || blocks.load() < 300; ++round)
    {
        fx.setParameter(static_cast<std::int32_t>(seed % kNumParams), nextValue(seed));
        for (float& v : chunk)
            v = nextValue(seed);
        if (round % 10 == 0) fx.setChunk(chunk, sizeof chunk);
    }
    running = false;
    audio.join();
    meter.join();

    EXPECT_TRUE(bounded);
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        const float stored = fx.getParameter(i);
        EXPECT_TRUE(stored >= 0.0f && stored <= 1.0f) << i;
    }
}
