// Meter ballistics through the feed: 150 ms rise, instant fall, restart at a new sample rate.
#include "GainReductionFeed.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
double feedConstant(GainReductionFeed& feed, double reduction, int samples)
{
    for (int n = 0; n < samples; ++n)
        feed.feed(reduction);
    return feed.reading();
}
} // namespace

TEST(GainReductionFeed, RisesWithA150msTimeConstantAndFallsAtOnce)
{
    GainReductionFeed feed;
    EXPECT_FALSE(feed.isActive());
    feed.activate(44100.0);
    EXPECT_TRUE(feed.isActive());
    EXPECT_EQ(feed.reading(), 1e-25);

    const double afterTimeConstant = feedConstant(feed, 10.0, 6615);
    EXPECT_NEAR(afterTimeConstant, 10.0 * (1.0 - std::exp(-1.0)), 0.01);
    EXPECT_NEAR(feedConstant(feed, 10.0, 44100), 10.0, 0.01);

    EXPECT_EQ(feedConstant(feed, 2.5, 1), 2.5);
    EXPECT_EQ(feedConstant(feed, -1e-25, 1), -1e-25);
    feed.deactivate();
    EXPECT_FALSE(feed.isActive());
}

TEST(GainReductionFeed, SampleRateChangeRestartsOnlyWhileActive)
{
    GainReductionFeed feed;
    feed.activate(44100.0);
    feedConstant(feed, 12.0, 1000);
    feed.sampleRateChanged(48000.0);
    EXPECT_EQ(feed.reading(), 1e-25);
    EXPECT_NEAR(feedConstant(feed, 10.0, 7200), 10.0 * (1.0 - std::exp(-1.0)), 0.01);

    feed.deactivate();
    const double before = feed.reading();
    feed.sampleRateChanged(96000.0);
    EXPECT_EQ(feed.reading(), before);
}
