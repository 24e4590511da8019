// Blocks through the plug-in's process: events on their frames, either precision, odd calls, no allocation.
#include "AllocationCounter.h"
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "HostValues.h"

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
    explicit Audio(std::uint32_t frames) : left(frames), right(frames), outL(frames), outR(frames)
    {
        for (std::uint32_t n = 0; n < frames; ++n)
        {
            left[n] = static_cast<Sample>(0.9 * std::sin(0.07 * n + 0.3));
            right[n] = static_cast<Sample>(0.6 * std::sin(0.011 * n + 1.3));
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

template <typename Sample> void checkEventsLandOnTheirFrame()
{
    const struct
    {
        std::uint32_t time;  ///< as the host sends it
        std::uint32_t frame; ///< where it takes effect
        std::vector<Change> changes;
    } kCases[] = {
        {0, 0, {{kGain, 12.0}}},
        {1, 1, {{kGain, 12.0}}},
        {31, 31, {{kThresh, -35.0}, {kGain, 6.0}}},
        {32, 32, {{kRatio, 100.0}, {kAttack, 0.5}, {kScMode, 2.0}, {kPush, 1.0}}},
        {63, 63, {{kWetDry, 40.0}}},
        {64, 64, {{kGain, 12.0}}},
        {500, 64, {{kGain, 12.0}}},
    };
    for (const auto& c : kCases)
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

TEST(ClapProcess, EventsTakeEffectAtTheirFrameInEitherPrecision)
{
    checkEventsLandOnTheirFrame<float>();
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
    Audio<float> narrowed(kLong);
    for (std::uint32_t n = 0; n < kLong; ++n)
    {
        widened.left[n] = single.left[n], widened.right[n] = single.right[n];
        narrowed.left[n] = static_cast<float>(widened.left[n]);
        narrowed.right[n] = static_cast<float>(widened.right[n]);
    }
    const std::vector<double> wantedDouble = reference(widened, 0, {});
    const std::vector<float> wantedFloat = reference(narrowed, 0, {});

    Running toDouble;
    Audio<double> out64(kLong);
    run(toDouble.instance.plugin, single.in, out64.out, kLong, InputEvents());
    EXPECT_EQ(out64.outL, wantedDouble);
    Running toFloat;
    Audio<float> out32(kLong);
    run(toFloat.instance.plugin, widened.in, out32.out, kLong, InputEvents());
    EXPECT_EQ(out32.outL, wantedFloat);
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

// The editor's events leave through process while processing and through flush otherwise.
TEST(ClapProcess, ProcessAndFlushDrainTheEditorsEventsAndAllocateNothing)
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
    EXPECT_EQ(out.sent, (std::vector<SentEvent>{begin(kGain), value(kGain, 3.0), end(kGain), begin(kGain),
                                                value(kGain, 4.0), end(kGain)}));
    EXPECT_EQ(out.malformed, 0) << "at time 0, addressed to any note";
}

} // namespace
