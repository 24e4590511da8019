// Envelope and meter coefficients against their closed forms and at unusable sample rates.
#include "EnvelopeCoefs.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(EnvelopeCoefs, MatchTheirTimeConstants)
{
    EXPECT_NEAR(attackCoefficient(0.0f, 44100.0), 0.46961, 5e-6);
    EXPECT_NEAR(releaseCoefficient(1.0f, 44100.0), 0.99998866, 5e-9);
    EXPECT_NEAR(attackCoefficient(1.0f, 48000.0), std::exp(-1000.0 / (30.0 * 48000.0)), 1e-15);
    EXPECT_NEAR(releaseCoefficient(0.0f, 48000.0), std::exp(-1000.0 / (50.0 * 48000.0)), 1e-15);
    EXPECT_NEAR(attackCoefficient(0.375f, 44100.0), std::exp(-1000.0 / (1.6104 * 44100.0)), 1e-6);
    EXPECT_NEAR(releaseCoefficient(0.5f, 44100.0), std::exp(-1000.0 / (293.75 * 44100.0)), 1e-15);
    EXPECT_NEAR(meterCoefficient(44100.0), 0.99984884, 5e-9);
    EXPECT_NEAR(meterCoefficient(48000.0), 0.99986112, 5e-9);
}

TEST(EnvelopeCoefs, UnusableRatesGiveAnImmediateEnvelopeNotADivergingOne)
{
    for (double rate : {0.0, -44100.0, std::nan(""), HUGE_VAL})
    {
        EXPECT_EQ(attackCoefficient(0.5f, rate), 0.0) << rate;
        EXPECT_EQ(releaseCoefficient(0.5f, rate), 0.0) << rate;
        EXPECT_EQ(meterCoefficient(rate), 0.0) << rate;
    }
}
