// Side-chain shelves: measured magnitudes, stability at any rate, and what an update may not touch.
#include "SidechainFilter.h"
#include "Signals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
struct MagnitudePoint
{
    int mode;
    double frequency; // 0 is DC; a negative value means Nyquist
    double expectedDb;
};

/// Level of the left detector signal relative to the input, after one second of settling.
double measuredGainDb(int mode, double sampleRate, double frequency)
{
    SidechainFilter filter;
    filter.update(mode, sampleRate);
    const auto frames = static_cast<std::size_t>(2.0 * sampleRate);
    std::vector<double> in(frames);
    for (std::size_t n = 0; n < frames; ++n)
        in[n] = frequency == 0.0  ? 1.0
                : frequency < 0.0 ? (n % 2 == 0 ? 1.0 : -1.0)
                                  : std::sin(2.0 * kTestPi * frequency * static_cast<double>(n) / sampleRate);
    std::vector<double> out(frames);
    double right = 0.0;
    for (std::size_t n = 0; n < frames; ++n)
        filter.process(in[n], in[n], out[n], right);
    const std::size_t from = frames / 2;
    return rmsDb(out, from) - rmsDb(in, from);
}

const MagnitudePoint kTable[] = {
    {1, 0.0, -14.0},  {1, 20.0, -11.0}, {1, 40.0, -7.0},  {1, 84.0, -2.8},    {1, 200.0, -0.6},
    {1, 1000.0, 0.0}, {1, 2600.0, 1.7}, {1, 4200.0, 6.0}, {1, 10000.0, 11.8}, {1, -1.0, 12.0},
    {2, 0.0, -14.0},  {2, 20.0, -12.3}, {2, 40.0, -9.9},  {2, 84.0, -7.0},    {2, 200.0, -3.4},
    {2, 1000.0, 2.5}, {2, 2600.0, 6.0}, {2, 4200.0, 7.7}, {2, 10000.0, 10.7}, {2, -1.0, 12.0},
};
} // namespace

TEST(SidechainFilter, MagnitudeMatchesTheDesignTableAt44100And48000)
{
    for (const MagnitudePoint& p : kTable)
    {
        // The table is rounded to 0.1 dB; the designs differ by at most 0.1 dB between the two rates.
        EXPECT_NEAR(measuredGainDb(p.mode, 44100.0, p.frequency), p.expectedDb, 0.06)
            << "mode " << p.mode << " at " << p.frequency << " Hz, 44100";
        EXPECT_NEAR(measuredGainDb(p.mode, 48000.0, p.frequency), p.expectedDb, 0.12)
            << "mode " << p.mode << " at " << p.frequency << " Hz, 48000";
    }
}

TEST(SidechainFilter, SectionsAreStableAtEveryRateIncludingCornersAboveNyquist)
{
    for (double rate : {1000.0, 4000.0, 8000.0, 11025.0, 22050.0, 44100.0, 96000.0, 384000.0})
        for (int mode : {1, 2})
        {
            const SidechainDesign design = designSidechain(mode, rate);
            for (const BiquadCoefs& c : {design.lowShelf, design.highShelf})
            {
                EXPECT_LT(std::abs(c.a2), 1.0) << "mode " << mode << " at " << rate;
                EXPECT_LT(std::abs(c.a1), 1.0 + c.a2) << "mode " << mode << " at " << rate;
            }
        }
}

TEST(SidechainFilter, OutputsSilenceUntilDesigned)
{
    SidechainFilter filter;
    double dL = 1.0;
    double dR = 1.0;
    for (int n = 0; n < 16; ++n)
        filter.process(0.9, -0.7, dL, dR);
    EXPECT_EQ(dL, 0.0);
    EXPECT_EQ(dR, 0.0);
}

TEST(SidechainFilter, UpdatesKeepStatesAndModeZeroOrBadRatesKeepCoefficients)
{
    SidechainFilter filter;
    filter.update(1, 44100.0);
    double dL = 0.0;
    double dR = 0.0;
    for (int n = 0; n < 100; ++n)
        filter.process(std::sin(0.1 * n), 0.5, dL, dR);
    const BiquadState before = filter.section(SidechainFilter::kHighLeft).currentState();
    const BiquadCoefs modeA = filter.section(SidechainFilter::kLowRight).coefs();

    for (double badRate : {0.0, -44100.0, std::nan(""), HUGE_VAL})
        filter.update(2, badRate);
    filter.update(0, 48000.0);
    EXPECT_EQ(filter.section(SidechainFilter::kLowRight).coefs().b0, modeA.b0);

    filter.update(2, 44100.0);
    EXPECT_NE(filter.section(SidechainFilter::kLowRight).coefs().b0, modeA.b0);
    EXPECT_EQ(filter.section(SidechainFilter::kHighLeft).currentState(), before);
}

TEST(SidechainFilter, ChannelsAreFilteredIndependently)
{
    SidechainFilter filter;
    filter.update(2, 44100.0);
    double dL = 0.0;
    double dR = 0.0;
    for (int n = 0; n < 1000; ++n)
    {
        filter.process(std::sin(0.05 * n), 0.0, dL, dR);
        ASSERT_EQ(dR, 0.0);
    }
    EXPECT_NE(dL, 0.0);
}
