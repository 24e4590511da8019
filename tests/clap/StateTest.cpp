// The state extension: the 40-byte state in and out, through streams that move bytes unevenly or fail.
#include "State.h"
#include "ClapPlugin.h"
#include "ClapTestSupport.h"

#include <cstring>
#include <limits>

namespace
{
using namespace qm07;
using namespace qm07::test;

struct State : ::testing::Test
{
    TestHost host;
    Instance instance{host};
    const clap_plugin* p = instance.plugin;

    bool load(ByteStream& stream) { return instance.state->load(p, &stream.in); }
    bool save(ByteStream& stream) { return instance.state->save(p, &stream.out); }
    ParameterValues values() { return ClapPlugin::of(p).values().all(); }
};

TEST_F(State, ShortOrFailingStreamsAreRefusedWholeAndLongOnesReadTo40)
{
    const struct
    {
        const char* what;
        std::size_t size;   ///< bytes offered
        std::size_t failAt; ///< the stream errs after this many
        bool loads;
    } kLoads[] = {
        {"whole", 40, SIZE_MAX, true},     {"longer", 57, SIZE_MAX, true},   {"short", 39, SIZE_MAX, false},
        {"empty", 0, SIZE_MAX, false},     {"erring at once", 40, 0, false}, {"erring midway", 40, 17, false},
        {"erring after 40", 60, 40, true},
    };
    ParameterValues saved = defaultValues();
    saved[kGain] = 0.5f;
    saved[kRelease] = 0.9f;
    const StateBytes state = writeState(saved);
    for (const auto& c : kLoads)
    {
        ClapPlugin::of(p).values().setFromHost(kGain, 0.125f);
        const ParameterValues before = values();
        const int rescans = host.valueRescans;
        ByteStream in;
        in.bytes.assign(state.begin(), state.end());
        in.bytes.resize(c.size, 0xFF);
        in.failAt = c.failAt;
        in.step = 1;
        EXPECT_EQ(load(in), c.loads) << c.what;
        EXPECT_EQ(values(), c.loads ? saved : before) << c.what;
        EXPECT_EQ(host.valueRescans, rescans + c.loads) << c.what << ": the host reads the values again";
        EXPECT_LE(in.position, 40u) << c.what;
    }
    EXPECT_FALSE(instance.state->load(p, nullptr));
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

// Saving goes on through short writes and stops at an error or a stream that takes nothing.
TEST_F(State, SavesTheValuesThroughStreamsThatTakeLittleAndStopsAtAnError)
{
    const struct
    {
        std::size_t step;
        std::size_t failAt;
        bool saves;
    } kSaves[] = {{1, SIZE_MAX, true},
                  {3, SIZE_MAX, true},
                  {SIZE_MAX, SIZE_MAX, true},
                  {SIZE_MAX, 12, false},
                  {0, SIZE_MAX, false}};
    ClapPlugin::of(p).values().setFromHost(kThresh, 0.8f);
    const StateBytes state = writeState(values());
    for (const auto& c : kSaves)
    {
        ByteStream out;
        out.step = c.step;
        out.failAt = c.failAt;
        EXPECT_EQ(save(out), c.saves) << "step " << c.step << ", error at " << c.failAt;
        if (c.saves)
        {
            EXPECT_EQ(out.bytes, std::vector<unsigned char>(state.begin(), state.end())) << "step " << c.step;
        }
    }
    EXPECT_FALSE(instance.state->save(p, nullptr));
}

} // namespace
