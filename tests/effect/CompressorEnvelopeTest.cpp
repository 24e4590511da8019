// Attack and release against their time constants, and the meter feed.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
/// Ratio 1 at −20 dB, hard knee: a full-scale peak wants 20 dB, a −60 dB level none.
void twentyDbWanted(EngineRig& fx)
{
    configure(fx, {{kRatio, 1.0f}, {kThresh, 0.5f}});
}

const double kE = std::exp(1.0);
} // namespace

TEST(CompressorEnvelope, AttackRisesWithItsTimeConstant)
{
    EngineRig fx(44100.0f);
    twentyDbWanted(fx);
    fx.setParameter(kAttack, 1.0f); // 30 ms = 1323 frames
    const Stereo in = constant(1.0, 1.0, 3000);
    const Stereo out = process(fx, in);
    EXPECT_NEAR(reductionAt(in, out, 1322), 20.0 * (1.0 - 1.0 / kE), 1e-6);

    EngineRig fastest(44100.0f);
    twentyDbWanted(fastest);
    fastest.setParameter(kAttack, 0.0f);
    const Stereo first = process(fastest, constant(1.0, 1.0, 1));
    EXPECT_NEAR(1.0 - reductionAt(constant(1.0, 1.0, 1), first, 0) / 20.0, 0.46961, 5e-6);
}

TEST(CompressorEnvelope, ReleaseFallsWithItsTimeConstant)
{
    for (const auto& [release, frames] : {std::pair{0.0f, 2205}, std::pair{1.0f, 88200}})
    {
        EngineRig fx(44100.0f);
        twentyDbWanted(fx);
        fx.setParameter(kRelease, release);
        process(fx, constant(1.0, 1.0, 10000));
        const Stereo quiet = constant(0.001, 0.001, static_cast<std::size_t>(frames));
        const Stereo out = process(fx, quiet);
        EXPECT_NEAR(reductionAt(quiet, out, frames - 1), 20.0 / kE, 1e-5) << "release " << release;
        if (release == 1.0f)
        {
            EXPECT_NEAR(reductionAt(quiet, out, 0) / 20.0, 0.99998866, 5e-9);
        }
    }
}

TEST(CompressorEnvelope, MeterFeedRunsOnlyWhileActiveAndFollowsTheBallistics)
{
    EngineRig fx(44100.0f);
    twentyDbWanted(fx);
    fx.setParameter(kAttack, 0.0f);
    GainReductionFeed& feed = fx.engine.gainReductionFeed();
    process(fx, constant(1.0, 1.0, 1000));
    EXPECT_EQ(feed.reading(), 1e-25);

    process(fx, constant(0.001, 0.001, 44100));
    feed.activate(fx.sampleRate);
    process(fx, constant(1.0, 1.0, 6615)); // 150 ms
    EXPECT_NEAR(feed.reading(), 20.0 * (1.0 - 1.0 / kE), 0.02);

    // Once the released reduction falls below the reading, the reading follows it exactly.
    fx.setParameter(kRelease, 0.0f);
    const Stereo quiet = constant(0.001, 0.001, 4410);
    const Stereo out = process(fx, quiet);
    EXPECT_LT(reductionAt(quiet, out, 4409), 3.0);
    EXPECT_NEAR(feed.reading(), reductionAt(quiet, out, 4409), 1e-9);

    fx.setSampleRate(48000.0f);
    EXPECT_EQ(feed.reading(), 1e-25);
    feed.deactivate();
    process(fx, constant(1.0, 1.0, 100));
    EXPECT_EQ(feed.reading(), 1e-25);
}
