// Blocks through the plug-in's process: events on their frames, either precision, and the VST build's bits.
#include "AllocationCounter.h"
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "HostValues.h"
#include "TarvelCompressor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using namespace qm07;
using namespace qm07::test;

constexpr double kRate = 48000.0;
constexpr std::uint32_t kFrames = 64;
constexpr std::uint32_t kSeed = 2024;

template <typename Sample> struct Audio
{
    explicit Audio(std::uint32_t frames, double phase = 0.3)
        : left(frames), right(frames), outL(frames), outR(frames)
    {
        for (std::uint32_t n = 0; n < frames; ++n)
        {
            left[n] = static_cast<Sample>(0.9 * std::sin(0.07 * n + phase));
            right[n] = static_cast<Sample>(0.6 * std::sin(0.011 * n + 1.0 + phase));
        }
    }
    std::vector<Sample> left, right, outL, outR;
    Sample* in[2] = {left.data(), right.data()};
    Sample* out[2] = {outL.data(), outR.data()};
};

void attach(clap_audio_buffer& buffer, float** data)
{
    buffer.data32 = data;
}
void attach(clap_audio_buffer& buffer, double** data)
{
    buffer.data64 = data;
}

/// One process call over `in` into `out`, whose precisions may differ.
template <typename In, typename Out>
clap_process_status run(const clap_plugin* p, In** in, Out** out, std::uint32_t frames,
                        const InputEvents& events, const OutputEvents& sent = OutputEvents())
{
    clap_audio_buffer input{nullptr, nullptr, 2, 0, 0};
    clap_audio_buffer output{nullptr, nullptr, 2, 0, ~0ull};
    attach(input, in);
    attach(output, out);
    const clap_process block{-1, frames, nullptr, &input, &output, 1, 1, events.list(), sent.list()};
    const clap_process_status status = p->process(p, &block);
    EXPECT_EQ(output.constant_mask, 0u);
    return status;
}

/// A plug-in ready to process, with the engine's reference seed.
struct Running
{
    Running() : instance(host)
    {
        ClapPlugin::of(instance.plugin).seedNoise(kSeed);
        EXPECT_TRUE(instance.plugin->activate(instance.plugin, kRate, 1, 4096));
        EXPECT_TRUE(instance.plugin->start_processing(instance.plugin));
    }
    ~Running()
    {
        instance.plugin->stop_processing(instance.plugin);
        instance.plugin->deactivate(instance.plugin);
    }
    TestHost host;
    Instance instance;
};

struct Change
{
    std::int32_t index;
    double plain;
};

/// The engine alone: [0, at) at the defaults, then [at, frames) with the changes.
template <typename Sample>
std::vector<Sample> reference(Audio<Sample>& audio, std::uint32_t at, const std::vector<Change>& changes)
{
    const auto frames = static_cast<std::uint32_t>(audio.left.size());
    CompressorEngine engine(kSeed);
    engine.setSampleRate(kRate);
    ParameterValues values = defaultValues();
    engine.process(values, audio.in, audio.out, static_cast<std::int32_t>(at));
    for (const Change& c : changes)
        values[c.index] = storedFromHost(c.index, c.plain, values[c.index]);
    const Sample* in[2] = {audio.left.data() + at, audio.right.data() + at};
    Sample* out[2] = {audio.outL.data() + at, audio.outR.data() + at};
    engine.process(values, in, out, static_cast<std::int32_t>(frames - at));
    return audio.outL;
}

struct EventCase
{
    std::uint32_t time;  ///< as the host sends it
    std::uint32_t frame; ///< where it takes effect
    std::vector<Change> changes;
};

const EventCase kEventCases[] = {
    {0, 0, {{kGain, 12.0}}},
    {1, 1, {{kGain, 12.0}}},
    {31, 31, {{kThresh, -35.0}, {kGain, 6.0}}},
    {32, 32, {{kRatio, 100.0}, {kAttack, 0.5}, {kScMode, 2.0}, {kPush, 1.0}}},
    {63, 63, {{kWetDry, 40.0}}},
    {64, 64, {{kGain, 12.0}}},
    {500, 64, {{kGain, 12.0}}},
};

template <typename Sample> void checkEventsLandOnTheirFrame()
{
    for (const EventCase& c : kEventCases)
    {
        Audio<Sample> expected(kFrames);
        const std::vector<Sample> wanted = reference(expected, c.frame, c.changes);
        // Without teeth the case proves nothing: a frame early or late must give other samples.
        for (std::uint32_t other : {c.frame - 1, c.frame + 1})
            if (other <= kFrames && c.frame > 0 && c.frame < kFrames)
            {
                Audio<Sample> shifted(kFrames);
                ASSERT_NE(reference(shifted, other, c.changes), wanted) << "at " << c.frame;
            }
        Running plugin;
        InputEvents events;
        for (const Change& change : c.changes)
            events.add(c.time, static_cast<clap_id>(change.index), change.plain);
        Audio<Sample> audio(kFrames);
        EXPECT_EQ(run(plugin.instance.plugin, audio.in, audio.out, kFrames, events), CLAP_PROCESS_CONTINUE);
        EXPECT_EQ(audio.outL, wanted) << "event at " << c.time;
    }
}

TEST(ClapProcess, EventsTakeEffectAtTheirFrameInSinglePrecision)
{
    checkEventsLandOnTheirFrame<float>();
}

TEST(ClapProcess, EventsTakeEffectAtTheirFrameInDoublePrecision)
{
    checkEventsLandOnTheirFrame<double>();
}

TEST(ClapProcess, EventsThatAreNotOurValueChangesAreSkipped)
{
    Running plugin;
    InputEvents events;
    events.addOther({sizeof(clap_event_param_value), 3, 1, CLAP_EVENT_PARAM_VALUE, 0}); // another space
    events.addOther({sizeof(clap_event_param_gesture), 3, 0, CLAP_EVENT_PARAM_GESTURE_BEGIN, 0});
    events.addOther({sizeof(clap_event_header), 3, 0, CLAP_EVENT_PARAM_VALUE, 0}); // too short to be one
    events.add(5, kNumParams, 1.0);
    events.add(6, CLAP_INVALID_ID, 1.0);
    Audio<float> audio(kFrames);
    run(plugin.instance.plugin, audio.in, audio.out, kFrames, events);
    Audio<float> expected(kFrames);
    EXPECT_EQ(audio.outL, reference(expected, 0, {}));
}

// The engine's precision follows the output; the input is converted to it first, in pieces for long blocks.
TEST(ClapProcess, MixedPrecisionRunsThePathOfTheOutput)
{
    constexpr std::uint32_t kLong = 3000;
    Audio<float> single(kLong);
    Audio<double> widened(kLong);
    for (std::uint32_t n = 0; n < kLong; ++n)
        widened.left[n] = single.left[n], widened.right[n] = single.right[n];
    const std::vector<double> wantedDouble = reference(widened, 0, {});
    Audio<float> narrowed(kLong);
    for (std::uint32_t n = 0; n < kLong; ++n)
        narrowed.left[n] = static_cast<float>(widened.left[n]),
        narrowed.right[n] = static_cast<float>(widened.right[n]);
    const std::vector<float> wantedFloat = reference(narrowed, 0, {});

    Running toDouble;
    std::vector<double> out64L(kLong), out64R(kLong);
    double* out64[2] = {out64L.data(), out64R.data()};
    run(toDouble.instance.plugin, single.in, out64, kLong, InputEvents());
    EXPECT_EQ(out64L, wantedDouble);

    Running toFloat;
    std::vector<float> out32L(kLong), out32R(kLong);
    float* out32[2] = {out32L.data(), out32R.data()};
    run(toFloat.instance.plugin, widened.in, out32, kLong, InputEvents());
    EXPECT_EQ(out32L, wantedFloat);
}

TEST(ClapProcess, ZeroFramesAndMissingBuffersAreHarmlessAndEventsStillCount)
{
    Running plugin;
    const clap_plugin* p = plugin.instance.plugin;
    InputEvents events;
    events.add(0, kGain, 12.0);
    const clap_process empty{0, 0, nullptr, nullptr, nullptr, 0, 0, events.list(), nullptr};
    EXPECT_EQ(p->process(p, &empty), CLAP_PROCESS_CONTINUE);
    clap_audio_buffer noData{nullptr, nullptr, 2, 0, 0};
    const clap_process missing{0, kFrames, nullptr, &noData, &noData, 1, 1, nullptr, nullptr};
    EXPECT_EQ(p->process(p, &missing), CLAP_PROCESS_CONTINUE);
    double value = 0.0;
    plugin.instance.params->get_value(p, kGain, &value);
    EXPECT_EQ(value, 12.0);
    EXPECT_EQ(p->process(p, nullptr), CLAP_PROCESS_ERROR);
}

// A VST host's render and a CLAP host's of the same settings (the VST chunk loaded as the CLAP state),
// in blocks of other sizes, are the same samples.
TEST(ClapProcess, RendersTheVstBuildsSamplesFromItsChunk)
{
    TarvelCompressor vst(nullptr);
    vst.setSampleRate(static_cast<float>(kRate));
    vst.seedNoise(kSeed);
    const std::pair<std::int32_t, float> settings[] = {{kThresh, 0.7f}, {kRatio, 0.8f}, {kAttack, 0.2f},
                                                       {kScMode, 0.5f}, {kPush, 1.0f},  {kWetDry, 0.1f}};
    for (const auto& [index, value] : settings)
        vst.setParameter(index, value);
    void* chunk = nullptr;
    const std::int32_t size = vst.getChunk(&chunk);

    Running plugin;
    ByteStream stream;
    stream.bytes.assign(static_cast<unsigned char*>(chunk), static_cast<unsigned char*>(chunk) + size);
    ASSERT_TRUE(plugin.instance.state->load(plugin.instance.plugin, &stream.in));

    constexpr std::uint32_t kLong = 3000;
    Audio<float> viaVst(kLong);
    Audio<float> viaClap(kLong);
    for (std::uint32_t done = 0, block = 1; done < kLong; done += block, block = block * 7 % 509 + 1)
    {
        const std::uint32_t frames = std::min(block, kLong - done);
        float* in[2] = {viaVst.left.data() + done, viaVst.right.data() + done};
        float* vstOut[2] = {viaVst.outL.data() + done, viaVst.outR.data() + done};
        float* clapOut[2] = {viaClap.outL.data() + done, viaClap.outR.data() + done};
        vst.processReplacing(in, vstOut, static_cast<std::int32_t>(frames));
        run(plugin.instance.plugin, in, clapOut, frames, InputEvents());
    }
    EXPECT_EQ(viaClap.outL, viaVst.outL);
    EXPECT_EQ(viaClap.outR, viaVst.outR);
}

TEST(ClapProcess, ResetForgetsThePastButNotTheValues)
{
    Running plugin;
    const clap_plugin* p = plugin.instance.plugin;
    InputEvents events;
    events.add(0, kThresh, -30.0);
    Audio<double> first(kFrames);
    run(p, first.in, first.out, kFrames, events);
    p->reset(p);
    ClapPlugin::of(p).seedNoise(kSeed);
    Audio<double> again(kFrames);
    run(p, again.in, again.out, kFrames, InputEvents());
    EXPECT_EQ(again.outL, first.outL);
}

TEST(ClapProcess, ProcessAndFlushAllocateNothing)
{
    Running plugin;
    const clap_plugin* p = plugin.instance.plugin;
    Audio<float> single(kFrames);
    Audio<double> twice(kFrames);
    InputEvents events;
    for (std::uint32_t t = 0; t < kFrames; t += 8)
        events.add(t, t % kNumParams, 0.5);
    OutputEvents out;
    ClapPlugin::of(p).edits().value(kGain, 3.0);
    startCountingAllocations();
    run(p, single.in, single.out, kFrames, events, out);
    run(p, single.in, twice.out, kFrames, events, out);
    run(p, twice.in, single.out, kFrames, events, out);
    p->stop_processing(p);
    ClapPlugin::of(p).edits().value(kGain, 4.0);
    plugin.instance.params->flush(p, events.list(), out.list());
    p->reset(p);
    p->start_processing(p);
    EXPECT_EQ(stopCountingAllocations(), 0);
    EXPECT_EQ(out.sent.size(), 6u);
}

} // namespace
