// Number-to-text conversions: exact digits, the "Huge!" bounds, and nothing written past the terminator.
#include "TextConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

namespace
{
constexpr char kGuard = 0x5A;

// Runs a conversion into a guarded buffer; fails if anything past text[maxLen] changed.
std::string convert(const std::function<void(char*, std::int32_t)>& write, std::int32_t maxLen = 8)
{
    char buffer[80];
    std::memset(buffer, kGuard, sizeof(buffer));
    write(buffer, maxLen);
    EXPECT_EQ(buffer[maxLen], 0);
    for (std::size_t i = static_cast<std::size_t>(maxLen) + 1; i < sizeof(buffer); ++i)
        EXPECT_EQ(buffer[i], kGuard) << "byte " << i << " past a text of " << maxLen;
    return buffer;
}

std::string f2s(float value, std::int32_t maxLen = 8)
{
    return convert([value](char* t, std::int32_t n) { vsttext::float2string(value, t, n); }, maxLen);
}

std::string i2s(std::int32_t value, std::int32_t maxLen = 8)
{
    return convert([value](char* t, std::int32_t n) { vsttext::int2string(value, t, n); }, maxLen);
}
} // namespace

TEST(Float2String, CutsDigitsToEightCharacters)
{
    EXPECT_EQ(f2s(0.0f), "0.000000");
    EXPECT_EQ(f2s(0.5f), "0.500000");
    EXPECT_EQ(f2s(0.375f), "0.375000");
    EXPECT_EQ(f2s(1.0f), "1.000000");
    EXPECT_EQ(f2s(0.7f), "0.699999");
    EXPECT_EQ(f2s(0.999999f), "0.999998");
    EXPECT_EQ(f2s(12.25f), "12.25000");
    EXPECT_EQ(f2s(-3.5f), "-3.50000");
    EXPECT_EQ(f2s(1234567.0f), "1234567.");
    EXPECT_EQ(f2s(-123456.0f), "-123456.");
}

TEST(Float2String, ValuesTooWideForTheDisplayAreHuge)
{
    EXPECT_EQ(f2s(1e8f), "Huge!");
    EXPECT_EQ(f2s(-1e7f), "Huge!");
    EXPECT_EQ(f2s(std::numeric_limits<float>::infinity()), "Huge!");
    EXPECT_EQ(f2s(-std::numeric_limits<float>::infinity()), "Huge!");
    // Integer parts that would lose their leading digits are not cut either.
    EXPECT_EQ(f2s(12345678.0f), "Huge!");
    EXPECT_EQ(f2s(-1234567.0f), "Huge!");
    EXPECT_EQ(f2s(std::nanf("")), "NaN");
}

TEST(Float2String, ShortBuffersGetAPrefixAndNothingBeyond)
{
    EXPECT_EQ(f2s(12.25f, 4), "12.2");
    EXPECT_EQ(f2s(0.5f, 2), "0.");
    EXPECT_EQ(f2s(0.5f, 0), "");
    EXPECT_EQ(f2s(-3.5f, 24), "-3.50000");
}

TEST(Float2String, NegativeLengthWritesNothing)
{
    char buffer[4] = {kGuard, kGuard, kGuard, kGuard};
    vsttext::float2string(0.5f, buffer, -1);
    EXPECT_EQ(std::string(buffer, 4), std::string(4, kGuard));
}

TEST(Db2String, DecibelsOrMinusInfinity)
{
    auto db = [](float v) { return convert([v](char* t, std::int32_t n) { vsttext::dB2string(v, t, n); }); };
    EXPECT_EQ(db(0.0f), "-oo");
    EXPECT_EQ(db(-1.0f), "-oo");
    EXPECT_EQ(db(1.0f), "0.000000");
    EXPECT_EQ(db(10.0f), "20.00000");
    EXPECT_EQ(db(0.1f), "-20.0000");
}

TEST(Hz2String, FrequencyOfAPeriod)
{
    auto hz = [](float samples, float rate)
    { return convert([=](char* t, std::int32_t n) { vsttext::Hz2string(samples, rate, t, n); }); };
    EXPECT_EQ(hz(0.0f, 44100.0f), "0.000000");
    EXPECT_EQ(hz(100.0f, 44100.0f), "441.0000");
    EXPECT_EQ(hz(4.0f, 48000.0f), "12000.00");
}

TEST(Ms2String, DurationInMilliseconds)
{
    auto ms = [](float samples, float rate)
    { return convert([=](char* t, std::int32_t n) { vsttext::ms2string(samples, rate, t, n); }); };
    EXPECT_EQ(ms(441.0f, 44100.0f), "10.00000");
    EXPECT_EQ(ms(0.0f, 44100.0f), "0.000000");
    EXPECT_EQ(ms(0.0f, 0.0f), "NaN");
}

TEST(Int2String, DecimalDigitsWithoutLeadingZeros)
{
    EXPECT_EQ(i2s(0), "0");
    EXPECT_EQ(i2s(7), "7");
    EXPECT_EQ(i2s(1000), "1000");
    EXPECT_EQ(i2s(-42), "-42");
    EXPECT_EQ(i2s(99999999), "99999999");
    EXPECT_EQ(i2s(-99999999, 9), "-99999999");
    EXPECT_EQ(i2s(12345, 3), "123");
}

TEST(Int2String, MagnitudesOfNineDigitsAreHuge)
{
    EXPECT_EQ(i2s(100000000), "Huge!");
    EXPECT_EQ(i2s(-100000000), "Huge!");
    EXPECT_EQ(i2s(std::numeric_limits<std::int32_t>::max()), "Huge!");
    EXPECT_EQ(i2s(std::numeric_limits<std::int32_t>::min()), "Huge!");
}

TEST(CopyText, ZeroFillsAndTerminatesAtTheLimit)
{
    EXPECT_EQ(convert([](char* t, std::int32_t n) { vsttext::copyText(t, "Knee dB", n); }), "Knee dB");
    EXPECT_EQ(convert([](char* t, std::int32_t n) { vsttext::copyText(t, "A long name", n); }), "A long n");
    EXPECT_EQ(convert([](char* t, std::int32_t n) { vsttext::copyText(t, nullptr, n); }), "");

    char buffer[10];
    std::memset(buffer, kGuard, sizeof(buffer));
    vsttext::copyText(buffer, "ab", 8);
    for (int i = 2; i <= 8; ++i)
        EXPECT_EQ(buffer[i], 0) << i;
    EXPECT_EQ(buffer[9], kGuard);
}
