// Saving and restoring the plug-in's state through its 40-byte chunk.
#include "PluginUnderTest.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{
std::vector<std::uint8_t> chunkOf(std::initializer_list<float> values)
{
    std::vector<std::uint8_t> bytes(values.size() * sizeof(float));
    std::memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}
} // namespace

TEST(HostChunk, DefaultsAreTenLittleEndianFloats)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    const auto chunk = plugin->chunk();
    EXPECT_EQ(chunk, chunkOf({0.5f, 0.5f, 0.0f, 0.375f, 0.5f, 0.375f, 0.0f, 0.0f, 0.0f, 0.0f}));
    // 0.5f is 0x3F000000: little-endian puts its zero bytes first.
    ASSERT_EQ(chunk.size(), 40u);
    EXPECT_EQ(chunk[0], 0x00);
    EXPECT_EQ(chunk[3], 0x3F);
    EXPECT_EQ(plugin->chunk(true), chunk) << "bank and program chunks have the same format";
}

TEST(HostChunk, RoundTripIsByteIdenticalAcrossInstances)
{
    const auto saved =
        chunkOf({0.1f, 0.7f, 0.33333334f, 1.0f, 0.0f, 0.6666666f, 0.123456789f, 0.5f, 0.2f, 0.9f});
    auto first = loadPluginUnderTest();
    ASSERT_TRUE(first);
    first->setChunk(saved);
    const auto fromFirst = first->chunk();
    EXPECT_EQ(fromFirst, saved);

    auto second = loadPluginUnderTest();
    ASSERT_TRUE(second);
    second->start(48000.0, 256);
    second->setChunk(fromFirst);
    EXPECT_EQ(second->chunk(), saved);
    EXPECT_EQ(second->parameter(6), 0.123456789f);
    EXPECT_EQ(second->parameterDisplay(1), "0.699999");
}

TEST(HostChunk, RestoredValuesAreClamped)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->setChunk(chunkOf({-3.0f, 2.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(plugin->parameter(0), 0.0f);
    EXPECT_EQ(plugin->parameter(1), 1.0f);
    EXPECT_EQ(plugin->chunk(), chunkOf({0.0f, 1.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}));
}

TEST(HostChunk, ShortChunkIsNotReadPastItsEnd)
{
    // The sanitizer builds catch a read beyond the four bytes handed in; every build checks
    // that the state stays a valid chunk of in-range values, and that a short chunk is refused whole.
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    const auto before = plugin->chunk();
    plugin->setChunk(chunkOf({0.25f}));
    const auto chunk = plugin->chunk();
    ASSERT_EQ(chunk.size(), 40u);
    for (int i = 0; i < 10; ++i)
    {
        const float value = plugin->parameter(i);
        EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << "parameter " << i << " is " << value;
    }
    EXPECT_EQ(chunk, before);
}

TEST(HostChunk, ChunkIsASnapshotNotALiveView)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    void* first = nullptr;
    ASSERT_EQ(plugin->dispatch(effGetChunk, 0, 0, &first), 40);
    ASSERT_NE(first, nullptr);
    plugin->setParameter(0, 0.9f);
    // The first buffer is only read before the next effGetChunk, which may release it.
    float saved = 0.0f;
    std::memcpy(&saved, first, sizeof(saved));
    EXPECT_EQ(saved, 0.5f);
    void* second = nullptr;
    ASSERT_EQ(plugin->dispatch(effGetChunk, 0, 0, &second), 40);
    std::memcpy(&saved, second, sizeof(saved));
    EXPECT_EQ(saved, 0.9f);
}
