// Parameter values written from several threads at once: clamped results and no data race.
#include "TarvelFX.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace qm07;

namespace
{
// Hooks that only read, as the engine's do: the test double's logs are not shared between threads.
class SharedEffect : public TarvelFX
{
public:
    SharedEffect() : TarvelFX(nullptr) { loadParameterTable(qm07::kParameters, qm07::kNumParams); }
    void processReplacing(float**, float**, std::int32_t) override {}
    void parameterChanged(std::int32_t index, float) override { lastSeen.store(getParameter(index)); }
    std::atomic<float> lastSeen{0.0f};
};
} // namespace

TEST(ParameterThreads, AutomationEditorAndChunkLoadsOverlap)
{
    SharedEffect effect;
    std::atomic<bool> stop{false};
    std::atomic<int> outOfRange{0};

    std::thread audio(
        [&]
        {
            for (int n = 0; !stop.load(); ++n)
            {
                effect.setParameter(n % kNumParams, static_cast<float>(n % 7) * 0.3f - 0.4f);
                for (int i = 0; i < kNumParams; ++i)
                {
                    const float v = effect.getParameter(i);
                    if (!(v >= 0.0f && v <= 1.0f)) ++outOfRange;
                }
            }
        });
    std::thread editor(
        [&]
        {
            for (int n = 0; !stop.load(); ++n)
                effect.setParameterAutomated(n % kNumParams, 0.25f);
        });

    float values[kNumParams];
    for (int round = 0; round < 2000; ++round)
    {
        for (float& v : values)
            v = static_cast<float>(round % 5) * 0.5f - 0.5f;
        effect.setChunk(values, sizeof(values), false);
    }
    stop = true;
    audio.join();
    editor.join();
    EXPECT_EQ(outOfRange.load(), 0);
    EXPECT_GE(effect.lastSeen.load(), 0.0f);
    EXPECT_LE(effect.lastSeen.load(), 1.0f);
}
