// Push noise: bounds, reproducibility, low-frequency weighting.
#include "PinkNoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(PinkNoise, StaysWithinThreeEighthsAndUsesTheRange)
{
    PinkNoise noise(12345u);
    float lowest = 0.0f;
    float highest = 0.0f;
    for (int n = 0; n < (1 << 22); ++n)
    {
        const float v = noise.next();
        ASSERT_TRUE(v >= -0.375f && v <= 0.375f) << v << " at call " << n;
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_LT(lowest, -0.25f);
    EXPECT_GT(highest, 0.25f);
}

TEST(PinkNoise, FollowsItsGeneratorFromTheSeed)
{
    // Computed apart from this code, from the definition, for seed 1: each draw steps the generator and
    // reads (seed >> 9) | 0x40000000 as a float r, giving (r − 3) / 2; call n renews the row of n's
    // trailing zero bits (row 4 at calls 16 and 32), and the result is (white draw + row sum) / 8.
    const float expected[] = {-0x1.b17d1p-5f,  -0x1.7c85f8p-4f, -0x1.492668p-4f, -0x1.e0deacp-4f,
                              -0x1.6ea9bcp-4f, 0x1.d15eap-7f,   -0x1.2e3ef8p-4f, -0x1.5cddf8p-4f};
    PinkNoise noise(1u);
    float calls[33];
    for (int call = 1; call <= 32; ++call)
        calls[call] = noise.next();
    for (int call = 1; call <= 8; ++call)
        EXPECT_EQ(calls[call], expected[call - 1]) << "call " << call;
    EXPECT_EQ(calls[16], 0x1.61ad2p-7f);
    EXPECT_EQ(calls[32], 0x1.e8afd8p-5f);
}

TEST(PinkNoise, SameSeedSameSequenceOtherSeedOtherSequence)
{
    PinkNoise a(7u);
    PinkNoise b(7u);
    PinkNoise c(8u);
    int differences = 0;
    for (int n = 0; n < 10000; ++n)
    {
        const float va = a.next();
        ASSERT_EQ(va, b.next());
        differences += va != c.next();
    }
    EXPECT_GT(differences, 9000);
}

TEST(PinkNoise, SlowRowsWeightTheSpectrumTowardsLowFrequencies)
{
    // For white noise the mean of 32 values has 1/32 of the variance of one value; the slow rows of
    // a pink source keep much more of it.
    PinkNoise noise(99u);
    constexpr int kBlock = 32;
    constexpr int kBlocks = 20000;
    double valueEnergy = 0.0;
    double meanEnergy = 0.0;
    for (int b = 0; b < kBlocks; ++b)
    {
        double mean = 0.0;
        for (int n = 0; n < kBlock; ++n)
        {
            const double v = noise.next();
            valueEnergy += v * v;
            mean += v / kBlock;
        }
        meanEnergy += mean * mean;
    }
    const double ratio = (meanEnergy / kBlocks) / (valueEnergy / (kBlocks * kBlock));
    EXPECT_GT(ratio, 4.0 / kBlock);
}
