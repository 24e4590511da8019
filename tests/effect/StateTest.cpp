// The 40-byte state: round trip, refusal of short data, NaN and out-of-range entries.
#include "State.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace qm07;

namespace
{
ParameterValues sample()
{
    ParameterValues v{};
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<float>(i + 1) / 11.0f;
    return v;
}
} // namespace

TEST(State, WritesLittleEndianFloatsInIndexOrderAndReadsThemBack)
{
    const ParameterValues values = sample();
    const StateBytes bytes = writeState(values);
    std::uint32_t bits;
    std::memcpy(&bits, &values[kRatio], sizeof bits);
    EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<std::uint32_t>(bytes[7]) << 24, bits);
    ParameterValues read = defaultValues();
    EXPECT_TRUE(readState(bytes.data(), bytes.size() + 3, read)); // bytes beyond 40 are ignored
    EXPECT_EQ(read, values);
}

TEST(State, ShortOrMissingDataChangesNothing)
{
    const StateBytes bytes = writeState(sample());
    for (std::size_t size : {0u, 4u, 39u})
    {
        ParameterValues values = defaultValues();
        EXPECT_FALSE(readState(bytes.data(), size, values)) << size;
        EXPECT_EQ(values, defaultValues());
    }
    ParameterValues values = defaultValues();
    EXPECT_FALSE(readState(nullptr, kStateBytes, values));
    EXPECT_EQ(values, defaultValues());
}

TEST(State, NanEntriesKeepTheirValueOthersAreClamped)
{
    ParameterValues written = sample();
    written[kThresh] = std::numeric_limits<float>::quiet_NaN();
    written[kGain] = -3.0f;
    written[kAttack] = 7.0f;
    written[kPush] = std::numeric_limits<float>::infinity();
    const StateBytes bytes = writeState(written);
    ParameterValues values = defaultValues();
    ASSERT_TRUE(readState(bytes.data(), bytes.size(), values));
    ParameterValues expected = sample();
    expected[kThresh] = defaultValues()[kThresh];
    expected[kGain] = 0.0f;
    expected[kAttack] = 1.0f;
    expected[kPush] = 1.0f;
    EXPECT_EQ(values, expected);
}
