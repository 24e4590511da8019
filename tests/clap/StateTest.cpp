// The state extension: the VST build's 40-byte chunk in and out, through streams that move bytes unevenly.
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "HostValues.h"
#include "TarvelCompressor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace
{
using namespace qm07;
using namespace qm07::test;

std::vector<unsigned char> vstChunk(std::initializer_list<std::pair<std::int32_t, float>> settings)
{
    TarvelCompressor vst(nullptr);
    for (const auto& [index, value] : settings)
        vst.setParameter(index, value);
    void* data = nullptr;
    const std::int32_t size = vst.getChunk(&data);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return {bytes, bytes + size};
}

struct State : ::testing::Test
{
    TestHost host;
    Instance instance{host};
    const clap_plugin* p = instance.plugin;

    bool load(ByteStream& stream) { return instance.state->load(p, &stream.in); }
    bool save(ByteStream& stream) { return instance.state->save(p, &stream.out); }
    ParameterValues values() { return ClapPlugin::of(p).values().all(); }
};

TEST_F(State, TheVstChunkLoadsAndSavesAsTheSameBytesAtAnyStep)
{
    const std::vector<unsigned char> chunk =
        vstChunk({{kThresh, 0.8f}, {kRatio, 1.0f}, {kScMode, 1.0f}, {kPush, 0.5f}, {kWetDry, 0.3f}});
    ASSERT_EQ(chunk.size(), 40u);
    for (std::size_t step : {std::size_t{1}, std::size_t{3}, std::size_t{40}})
    {
        ByteStream in;
        in.bytes = chunk;
        in.step = step;
        ASSERT_TRUE(load(in)) << "step " << step;
        ByteStream out;
        out.step = step;
        ASSERT_TRUE(save(out)) << "step " << step;
        EXPECT_EQ(out.bytes, chunk) << "step " << step;
    }
    EXPECT_EQ(host.valueRescans, 3);
    double ratio = 0.0;
    instance.params->get_value(p, kRatio, &ratio);
    EXPECT_EQ(ratio, kRatioInfinity);
}

TEST_F(State, TheSavedStateLoadsIntoTheVstBuild)
{
    InputEvents events;
    events.add(0, kThresh, -10.0);
    events.add(0, kPush, 2.0);
    instance.params->flush(p, events.list(), nullptr);
    ByteStream out;
    ASSERT_TRUE(save(out));
    TarvelCompressor vst(nullptr);
    vst.setChunk(out.bytes.data(), static_cast<std::int32_t>(out.bytes.size()));
    for (std::int32_t index = 0; index < kNumParams; ++index)
        EXPECT_EQ(vst.getParameter(index), values()[index]);
    EXPECT_EQ(vst.getParameter(kThresh), 0.25f);
}

struct StreamCase
{
    const char* what;
    std::size_t size;   ///< bytes offered
    std::size_t failAt; ///< the stream errs after this many
    bool loads;
};

const StreamCase kLoads[] = {
    {"whole", 40, SIZE_MAX, true},     {"longer", 57, SIZE_MAX, true},   {"short", 39, SIZE_MAX, false},
    {"empty", 0, SIZE_MAX, false},     {"erring at once", 40, 0, false}, {"erring midway", 40, 17, false},
    {"erring after 40", 60, 40, true},
};

TEST_F(State, ShortOrFailingStreamsAreRefusedWholeAndLongOnesReadTo40)
{
    const std::vector<unsigned char> chunk = vstChunk({{kGain, 0.5f}, {kRelease, 0.9f}});
    for (const StreamCase& c : kLoads)
    {
        ClapPlugin::of(p).values().setFromHost(kGain, 0.125f);
        const ParameterValues before = values();
        ByteStream in;
        in.bytes = chunk;
        in.bytes.resize(c.size, 0xFF);
        in.failAt = c.failAt;
        in.step = 1;
        EXPECT_EQ(load(in), c.loads) << c.what;
        EXPECT_EQ(values()[kGain], c.loads ? 0.5f : before[kGain]) << c.what;
        if (!c.loads)
        {
            EXPECT_EQ(values(), before) << c.what;
        }
        EXPECT_LE(in.position, 40u) << c.what;
    }
}

TEST_F(State, GarbageKeepsNaNsAndClampsTheRest)
{
    float garbage[kNumParams];
    for (std::int32_t i = 0; i < kNumParams; ++i)
        garbage[i] = i % 3 == 0 ? std::numeric_limits<float>::quiet_NaN() : (i % 3 == 1 ? -5.0f : 1e30f);
    ByteStream in;
    in.bytes.resize(sizeof garbage);
    std::memcpy(in.bytes.data(), garbage, sizeof garbage); // the state is little-endian, as both targets are
    const ParameterValues before = values();
    ASSERT_TRUE(load(in));
    for (std::int32_t i = 0; i < kNumParams; ++i)
        EXPECT_EQ(values()[i], i % 3 == 0 ? before[i] : (i % 3 == 1 ? 0.0f : 1.0f)) << i;
    EXPECT_EQ(ClapPlugin::of(p).values().takeUnseen(), (1u << kNumParams) - 1) << "the editor shows them";
}

TEST_F(State, SavingStopsAtAnErrorOrAStreamThatTakesNothing)
{
    ByteStream erring;
    erring.failAt = 12;
    EXPECT_FALSE(save(erring));
    ByteStream stuck;
    stuck.failAt = SIZE_MAX;
    stuck.step = 0;
    EXPECT_FALSE(save(stuck));
    EXPECT_FALSE(instance.state->save(p, nullptr));
    EXPECT_FALSE(instance.state->load(p, nullptr));
}

} // namespace
