// The vendor base: parameter storage and clamping, texts, the state chunk and its mended faults.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace
{
constexpr char kGuard = 0x5A;
const float kDefaults[kNumParams] = {0.5f, 0.5f, 0.0f, 0.375f, 0.5f, 0.375f, 0.0f, 0.0f, 0.0f, 0.0f};

struct TarvelFXTest : ::testing::Test
{
    TestEffect effect{nullptr};
    RecordingEditor* editor = nullptr;

    void attachEditor()
    {
        editor = new RecordingEditor(&effect);
        effect.setEditor(editor);
    }

    std::vector<unsigned char> chunkOf(const float (&values)[kNumParams])
    {
        std::vector<unsigned char> bytes(sizeof(values));
        std::memcpy(bytes.data(), values, sizeof(values));
        return bytes;
    }
};

std::string guardedText(const std::function<void(char*)>& write, std::size_t limit, bool* guardsIntact)
{
    char buffer[80];
    std::memset(buffer, kGuard, sizeof(buffer));
    write(buffer);
    *guardsIntact = true;
    for (std::size_t i = limit + 1; i < sizeof(buffer); ++i)
        *guardsIntact = *guardsIntact && buffer[i] == kGuard;
    return buffer[0] == kGuard ? std::string("<untouched>") : std::string(buffer);
}
} // namespace

TEST_F(TarvelFXTest, StartsFromTheTableDefaults)
{
    for (int i = 0; i < kNumParams; ++i)
        EXPECT_FLOAT_EQ(effect.getParameter(i), kDefaults[i]) << i;
    EXPECT_TRUE(effect.changes.empty());
}

TEST_F(TarvelFXTest, ClampsOnStoreButReportsTheValueAsPassed)
{
    attachEditor();
    effect.setParameter(kAttack, 1.7f);
    EXPECT_EQ(effect.getParameter(kAttack), 1.0f);
    ASSERT_EQ(effect.changes.size(), 1u);
    EXPECT_EQ(effect.changes[0], std::make_pair(std::int32_t{kAttack}, 1.7f));
    ASSERT_EQ(editor->parameterUpdates.size(), 1u);
    EXPECT_EQ(editor->parameterUpdates[0], std::make_pair(std::int32_t{kAttack}, 1.7f));

    effect.setParameter(kGain, -0.25f);
    EXPECT_EQ(effect.getParameter(kGain), 0.0f);
    effect.setParameter(kGain, 0.7f);
    EXPECT_EQ(effect.getParameter(kGain), 0.7f);
    effect.setParameter(kGain, std::numeric_limits<float>::infinity());
    EXPECT_EQ(effect.getParameter(kGain), 1.0f);
    effect.setParameter(kGain, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(effect.getParameter(kGain), 0.0f);
}

TEST_F(TarvelFXTest, IgnoresBadIndicesAndNaN)
{
    attachEditor();
    effect.setParameter(-1, 0.5f);
    effect.setParameter(kNumParams, 0.5f);
    effect.setParameter(kRatio, std::nanf(""));
    EXPECT_EQ(effect.getParameter(kRatio), 0.5f);
    EXPECT_TRUE(effect.changes.empty());
    EXPECT_TRUE(editor->parameterUpdates.empty());
    EXPECT_EQ(effect.getParameter(kNumParams), 0.0f);
    EXPECT_EQ(effect.getParameter(-1), 0.0f);
}

TEST_F(TarvelFXTest, NamesLabelsAndDisplaysStayWithinEightCharacters)
{
    bool intact = false;
    auto name = [&](std::int32_t i)
    { return guardedText([&](char* t) { effect.getParameterName(i, t); }, 8, &intact); };
    auto label = [&](std::int32_t i)
    { return guardedText([&](char* t) { effect.getParameterLabel(i, t); }, 8, &intact); };
    auto display = [&](std::int32_t i)
    { return guardedText([&](char* t) { effect.getParameterDisplay(i, t); }, 8, &intact); };

    const char* names[] = {"Thresh",  "Ratio",  "Gain",    "Attack", "Release",
                           "Knee dB", "Knee %", "SC Mode", "Push",   "Wet/Dry"};
    for (int i = 0; i < kNumParams; ++i)
    {
        EXPECT_EQ(name(i), names[i]);
        EXPECT_TRUE(intact) << i;
    }
    EXPECT_EQ(label(kThresh), "dB");
    EXPECT_EQ(label(kKneePct), "%");
    EXPECT_EQ(label(kRatio), "");
    EXPECT_EQ(display(kThresh), "0.500000");
    EXPECT_EQ(display(kAttack), "0.375000");
    effect.setParameter(kWetDry, 0.7f);
    EXPECT_EQ(display(kWetDry), "0.699999");
    EXPECT_TRUE(intact);

    EXPECT_EQ(name(kNumParams), "<untouched>");
    EXPECT_EQ(label(-1), "<untouched>");
    EXPECT_EQ(display(kNumParams), "<untouched>");
}

TEST_F(TarvelFXTest, IdentityTexts)
{
    bool intact = false;
    EXPECT_EQ(guardedText([&](char* t) { effect.getProgramName(t); }, 24, &intact), "Default");
    EXPECT_TRUE(intact);
    std::string vendor;
    vendor = guardedText([&](char* t) { EXPECT_TRUE(effect.getVendorString(t)); }, 64, &intact);
    EXPECT_EQ(vendor, "Tarvel");
    EXPECT_TRUE(intact);
}

TEST_F(TarvelFXTest, CanDoAnswersOnlyRegisteredCapabilities)
{
    EXPECT_EQ(effect.canDo("receiveVstMidiEvent"), -1);
    EXPECT_EQ(effect.canDo(""), -1);
    EXPECT_EQ(effect.canDo(nullptr), -1);
    static const char* const kCaps[] = {"bypass", "plugAsChannelInsert"};
    effect.registerCapabilities(kCaps, 2);
    EXPECT_EQ(effect.canDo("bypass"), 1);
    EXPECT_EQ(effect.canDo("plugAsChannelInsert"), 1);
    EXPECT_EQ(effect.canDo("bypas"), -1);
    EXPECT_EQ(effect.canDo("bypass2"), -1);
}

TEST_F(TarvelFXTest, SampleRateIsStoredThenAnnounced)
{
    effect.setSampleRate(48000.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    ASSERT_EQ(effect.rateChanges.size(), 1u);
    EXPECT_EQ(effect.rateChanges[0], 48000.0f);
}

TEST_F(TarvelFXTest, ChunkHoldsTheTenValuesLittleEndian)
{
    void* data = nullptr;
    ASSERT_EQ(effect.getChunk(&data, false), 40);
    ASSERT_NE(data, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (int i = 0; i < kNumParams; ++i)
    {
        std::uint32_t bits = 0;
        for (int b = 0; b < 4; ++b)
            bits |= static_cast<std::uint32_t>(bytes[4 * i + b]) << (8 * b);
        float value;
        std::memcpy(&value, &bits, 4);
        EXPECT_EQ(value, kDefaults[i]) << i;
    }
}

TEST_F(TarvelFXTest, ChunkRoundTripNotifiesEveryParameterInOrder)
{
    for (int i = 0; i < kNumParams; ++i)
        effect.setParameter(i, 0.05f * static_cast<float>(i + 1));
    void* data = nullptr;
    ASSERT_EQ(effect.getChunk(&data, true), 40);
    const std::vector<unsigned char> saved(static_cast<unsigned char*>(data),
                                           static_cast<unsigned char*>(data) + 40);

    TestEffect restored(nullptr);
    auto* restoredEditor = new RecordingEditor(&restored);
    restored.setEditor(restoredEditor);
    EXPECT_EQ(restored.setChunk(const_cast<unsigned char*>(saved.data()), 40, false), 0);
    ASSERT_EQ(restored.changes.size(), static_cast<std::size_t>(kNumParams));
    ASSERT_EQ(restoredEditor->parameterUpdates.size(), static_cast<std::size_t>(kNumParams));
    for (int i = 0; i < kNumParams; ++i)
    {
        EXPECT_EQ(restored.getParameter(i), effect.getParameter(i));
        EXPECT_EQ(restored.changes[i].first, i);
        EXPECT_EQ(restored.changes[i].second, effect.getParameter(i));
        EXPECT_EQ(restoredEditor->parameterUpdates[i].first, i);
    }
}

TEST_F(TarvelFXTest, ChunkValuesAreClampedAndNaNKeepsTheStoredValue)
{
    attachEditor();
    float values[kNumParams] = {-3.0f, 2.0f, 0.25f, std::nanf(""), 0.5f,
                                0.5f,  0.5f, 0.5f,  0.5f,          std::numeric_limits<float>::infinity()};
    auto chunk = chunkOf(values);
    effect.setChunk(chunk.data(), 40, false);
    EXPECT_EQ(effect.getParameter(kThresh), 0.0f);
    EXPECT_EQ(effect.getParameter(kRatio), 1.0f);
    EXPECT_EQ(effect.getParameter(kGain), 0.25f);
    EXPECT_EQ(effect.getParameter(kAttack), 0.375f);
    EXPECT_EQ(effect.getParameter(kWetDry), 1.0f);
    // Every parameter is announced with what was stored, the kept ones included.
    ASSERT_EQ(effect.changes.size(), static_cast<std::size_t>(kNumParams));
    EXPECT_EQ(effect.changes[kThresh].second, 0.0f);
    EXPECT_EQ(effect.changes[kAttack].second, 0.375f);
    EXPECT_EQ(editor->parameterUpdates.size(), static_cast<std::size_t>(kNumParams));
}

TEST_F(TarvelFXTest, ShortOrMissingChunksChangeNothing)
{
    attachEditor();
    // Only 39 bytes exist: anything read past them would be outside what the host handed over.
    std::vector<unsigned char> shortChunk(39, 0);
    EXPECT_EQ(effect.setChunk(shortChunk.data(), 39, false), 0);
    EXPECT_EQ(effect.setChunk(shortChunk.data(), 0, true), 0);
    EXPECT_EQ(effect.setChunk(shortChunk.data(), -40, false), 0);
    EXPECT_EQ(effect.setChunk(nullptr, 40, false), 0);
    for (int i = 0; i < kNumParams; ++i)
        EXPECT_EQ(effect.getParameter(i), kDefaults[i]);
    EXPECT_TRUE(effect.changes.empty());
    EXPECT_TRUE(editor->parameterUpdates.empty());

    std::vector<unsigned char> longChunk(64, 0);
    EXPECT_EQ(effect.setChunk(longChunk.data(), 64, false), 0);
    for (int i = 0; i < kNumParams; ++i)
        EXPECT_EQ(effect.getParameter(i), 0.0f);
}

TEST_F(TarvelFXTest, GetChunkKeepsOnlyTheLastBuffer)
{
    // The earlier buffer is freed by the next call; the sanitizer build's leak check sees the last one freed.
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_EQ(effect.getChunk(&first), 40);
    effect.setParameter(kGain, 0.25f);
    ASSERT_EQ(effect.getChunk(&second), 40);
    EXPECT_NE(first, second);
    float gain;
    std::memcpy(&gain, static_cast<unsigned char*>(second) + 4 * kGain, 4);
    EXPECT_EQ(gain, 0.25f);
    EXPECT_EQ(effect.getChunk(nullptr), 0);
}

TEST_F(TarvelFXTest, FailedAllocationAnswersZeroAndKeepsThePointer)
{
    void* previous = nullptr;
    ASSERT_EQ(effect.getChunk(&previous), 40);
    effect.failAllocations();
    void* data = &data;
    EXPECT_EQ(effect.getChunk(&data), 0);
    EXPECT_EQ(data, &data);
    // The buffer handed out before stays valid until the next successful call.
    float first;
    std::memcpy(&first, previous, 4);
    EXPECT_EQ(first, 0.5f);
}

TEST(ParameterTable, PositionByThirds)
{
    EXPECT_EQ(positionByThirds(0.0f), 0);
    EXPECT_EQ(positionByThirds(std::nextafter(0.33333334f, 0.0f)), 0);
    EXPECT_EQ(positionByThirds(0.33333334f), 1);
    EXPECT_EQ(positionByThirds(0.5f), 1);
    EXPECT_EQ(positionByThirds(0.6666666f), 1);
    EXPECT_EQ(positionByThirds(std::nextafter(0.6666666f, 1.0f)), 2);
    EXPECT_EQ(positionByThirds(1.0f), 2);
}
