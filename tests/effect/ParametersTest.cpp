// The product's description: real values at the table's ends, round trips, texts and their parsing, names,
// and values as hosts with finite ranges hold them.
#include "Parameters.h"
#include "HostValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

using namespace qm07;

namespace
{
std::string textOf(std::int32_t index, float normalized)
{
    char text[32];
    EXPECT_TRUE(formatValue(index, normalized, text, sizeof text));
    return text;
}

struct Example
{
    std::int32_t index;
    float normalized;
    const char* text;
};

// Real values picked first, normalized from the published curves, so the texts check curve and format.
const Example kExamples[] = {
    {kThresh, 0.5f,
     "\xE2\x88\x92"
     "20.0 dB"},
    {kThresh, 0.0f, "0.0 dB"},
    {kThresh, 0.0001f, "0.0 dB"},
    {kGain, 0.375f, "9.0 dB"},
    {kKneeDb, 1.0f, "24.0 dB"},
    {kRatio, 0.5f, "3.41:1"},
    {kRatio, 1.0f, "\xE2\x88\x9E:1"},
    {kRatio, 0.0f, "1.00:1"},
    {kAttack, 0.375f, "1.61 ms"},
    {kAttack, 1.0f, "30.0 ms"},
    {kAttack, 0.99f, "29.1 ms"},
    {kRelease, 0.5f, "294 ms"},
    {kRelease, 1.0f, "2000 ms"},
    {kKneePct, 0.0f, "0 %"},
    {kWetDry, 0.0f, "0 % dry"},
    {kWetDry, 0.25f, "25 % dry"},
    {kScMode, 0.0f, "Off"},
    {kScMode, 0.5f, "A"},
    {kScMode, 1.0f, "B"},
    {kPush, 0.2f, "0"},
    {kPush, 0.5f, "I"},
    {kPush, 0.9f, "II"},
};
} // namespace

TEST(Parameters, RealValuesAtTheEndsOfTheRangeAreTheTablesMinimumAndMaximum)
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        EXPECT_DOUBLE_EQ(realValue(i, 0.0f), kParameters[i].minimum) << kParameters[i].name;
        EXPECT_DOUBLE_EQ(realValue(i, 1.0f), kParameters[i].maximum) << kParameters[i].name;
    }
    EXPECT_EQ(realValue(kNumParams, 0.5f), 0.0);
    EXPECT_EQ(realValue(-1, 0.5f), 0.0);
}

TEST(Parameters, NormalizedRealNormalizedRoundTripsEveryContinuousParameter)
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        if (kParameters[i].positions != 0) continue;
        for (int step = 0; step <= 4096; ++step)
        {
            const float v = static_cast<float>(step) / 4096.0f;
            ASSERT_EQ(normalizedValue(i, realValue(i, v)), v) << kParameters[i].name << " at " << v;
        }
    }
    for (std::int32_t i : {kScMode, kPush})
        for (float v : {0.0f, 0.5f, 1.0f})
            EXPECT_EQ(normalizedValue(i, realValue(i, v)), v);
}

TEST(Parameters, TextsShowRealUnits)
{
    for (const Example& e : kExamples)
        EXPECT_EQ(textOf(e.index, e.normalized), e.text) << kParameters[e.index].name << " " << e.normalized;
}

TEST(Parameters, TextsAreCutToSizeAndRefusedForBadIndexOrSize)
{
    char text[4] = {'x', 'x', 'x', 'x'};
    EXPECT_TRUE(formatValue(kThresh, 0.5f, text, 4)); // the minus sign's three bytes fit, the digits do not
    EXPECT_STREQ(text, "\xE2\x88\x92");
    EXPECT_TRUE(formatValue(kThresh, 0.5f, text, 3)); // never half a character
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(formatValue(kThresh, 0.5f, text, 0));
    EXPECT_FALSE(formatValue(kNumParams, 0.5f, text, sizeof text));
}

TEST(Parameters, EveryTextParsesBackToTheSameText)
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
        for (int step = 0; step <= 200; ++step)
        {
            const std::string text = textOf(i, static_cast<float>(step) / 200.0f);
            float parsed = -1.0f;
            ASSERT_TRUE(parseValue(i, text.c_str(), parsed)) << text;
            EXPECT_EQ(textOf(i, parsed), text) << kParameters[i].name;
        }
}

TEST(Parameters, ParsingAcceptsOtherSpellingsAndRefusesGarbage)
{
    const struct
    {
        std::int32_t index;
        const char* text;
        bool accepted;
        float normalized;
    } cases[] = {
        {kThresh, "-20", true, 0.5f},
        {kThresh, " -20 dB ", true, 0.5f},
        {kGain, "9", true, 0.375f},
        {kRatio, "inf", true, 1.0f},
        {kRatio, "\xE2\x88\x9E", true, 1.0f},
        {kRatio, "1", true, 0.0f},
        {kWetDry, "25 %", true, 0.25f},
        {kWetDry, "100", true, 1.0f},
        {kScMode, "b", true, 1.0f},
        {kScMode, "1", true, 0.5f},
        {kPush, "ii", true, 1.0f},
        {kKneePct, "500", true, 1.0f},
        {kThresh, "", false, 0.0f},
        {kThresh, "dB", false, 0.0f},
        {kThresh, "abc", false, 0.0f},
        {kThresh, "-20 ms", false, 0.0f},
        {kThresh, "nan", false, 0.0f},
        {kGain, "inf", false, 0.0f},
        {kAttack, "1.5 msec", false, 0.0f},
        {kScMode, "C", false, 0.0f},
        {kPush, "III", false, 0.0f},
        {kNumParams, "1", false, 0.0f},
        {kRatio, "\xE2\x88\x92", false, 0.0f},
    };
    for (const auto& c : cases)
    {
        float parsed = -1.0f;
        EXPECT_EQ(parseValue(c.index, c.text, parsed), c.accepted) << c.text;
        EXPECT_EQ(parsed, c.accepted ? c.normalized : -1.0f) << c.text;
    }
    float untouched = -1.0f;
    EXPECT_FALSE(parseValue(kThresh, nullptr, untouched));
}

TEST(Parameters, FoundByNameOrSymbolInAnyCase)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"Knee dB", kKneeDb}, {"KNEE_DB", kKneeDb}, {"thresh", kThresh},
        {"Wet/Dry", kWetDry}, {"wet_dry", kWetDry}, {"Tresh", -1},
        {"Knee", -1},         {"Knee dB ", -1},     {"", -1},
    };
    for (const auto& [name, index] : cases)
        EXPECT_EQ(findParameter(name), index) << '"' << name << '"';
}

struct HostCase
{
    std::int32_t index;
    double host;
    float previous;
    float stored;
};

TEST(HostValues, BecomeTheStoredValuesClampedRoundedAndNaNRefused)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    // Worked out by hand from the units: Thresh −40·v dB, Ratio 1/(1−√v), Wet/Dry 100·v %.
    const HostCase cases[] = {
        {kThresh, -20.0, 0.0f, 0.5f},  {kThresh, kNaN, 0.25f, 0.25f}, {kThresh, 10.0, 0.3f, 0.0f},
        {kThresh, -100.0, 0.0f, 1.0f}, {kAttack, -kInf, 0.5f, 0.0f},  {kWetDry, 50.0, 0.0f, 0.5f},
        {kRatio, 2.0, 0.0f, 0.25f},    {kRatio, 4.0, 0.0f, 0.5625f},  {kRatio, 1.0, 0.5f, 0.0f},
        {kRatio, 0.5, 0.5f, 0.0f},     {kRatio, 100.0, 0.0f, 1.0f},   {kRatio, 1e30, 0.0f, 1.0f},
        {kRatio, kInf, 0.0f, 1.0f},    {kRatio, kNaN, 0.75f, 0.75f},  {kScMode, 1.0, 0.0f, 0.5f},
        {kScMode, 1.4, 0.0f, 0.5f},    {kScMode, 1.6, 0.0f, 1.0f},    {kPush, -3.0, 1.0f, 0.0f},
        {kPush, 7.0, 0.0f, 1.0f},      {kPush, 2.0, 0.0f, 1.0f},
    };
    for (const HostCase& c : cases)
        EXPECT_EQ(storedFromHost(c.index, c.host, c.previous), c.stored)
            << kParameters[c.index].name << " at " << c.host;
}
