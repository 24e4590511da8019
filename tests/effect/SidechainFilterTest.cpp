// Side-chain shelves: measured magnitudes, stability at any rate, and what an update may not touch.
#include "SidechainFilter.h"
#include "KernelDispatch.h"
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

/// Both channels' detector signals, through the kernels the engine runs.
void filterBoth(SidechainFilter& filter, const std::vector<double>& inL, const std::vector<double>& inR,
                std::vector<double>& outL, std::vector<double>& outR)
{
    qm07::chosenKernels().filterSidechain(filter.currentCoefs(), filter.states(), inL.data(), inR.data(),
                                          outL.data(), outR.data(), static_cast<int>(inL.size()));
}

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
    std::vector<double> right(frames);
    filterBoth(filter, in, in, out, right);
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
    std::vector<double> dL(16, 1.0);
    std::vector<double> dR(16, 1.0);
    filterBoth(filter, std::vector<double>(16, 0.9), std::vector<double>(16, -0.7), dL, dR);
    EXPECT_EQ(dL, std::vector<double>(16, 0.0));
    EXPECT_EQ(dR, std::vector<double>(16, 0.0));
}

TEST(SidechainFilter, UpdatesKeepStatesAndModeZeroOrBadRatesKeepCoefficients)
{
    SidechainFilter filter;
    filter.update(1, 44100.0);
    std::vector<double> dL(100);
    std::vector<double> dR(100);
    filterBoth(filter, sine(700.0, 44100.0, 100), std::vector<double>(100, 0.5), dL, dR);
    const BiquadState before = filter.sectionState(SidechainFilter::kHighLeft);
    const BiquadCoefs modeA = filter.coefs(SidechainFilter::kLowRight);

    for (double badRate : {0.0, -44100.0, std::nan(""), HUGE_VAL})
        filter.update(2, badRate);
    filter.update(0, 48000.0);
    EXPECT_EQ(filter.coefs(SidechainFilter::kLowRight).b0, modeA.b0);

    filter.update(2, 44100.0);
    EXPECT_NE(filter.coefs(SidechainFilter::kLowRight).b0, modeA.b0);
    EXPECT_EQ(filter.sectionState(SidechainFilter::kHighLeft), before);
}

TEST(SidechainFilter, ChannelsAreFilteredIndependently)
{
    SidechainFilter filter;
    filter.update(2, 44100.0);
    std::vector<double> dL(1000);
    std::vector<double> dR(1000);
    filterBoth(filter, sine(350.0, 44100.0, 1000), std::vector<double>(1000, 0.0), dL, dR);
    EXPECT_EQ(dR, std::vector<double>(1000, 0.0));
    EXPECT_NE(dL.back(), 0.0);
}
