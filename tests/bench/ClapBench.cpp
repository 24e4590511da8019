// Cost per stereo frame of the CLAP plug-in's process: steady settings, one parameter change every 32
// frames through its events, and short blocks against long ones; the ratios of one run follow the table.
#include "ClapFactory.h"
#include "ClapPlugin.h"
#include "HostValues.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

using namespace qm07;
using namespace qm07::clap;

namespace
{
constexpr double kRate = 48000.0;
constexpr std::uint32_t kLongBlock = 512;
constexpr std::uint32_t kChangeEvery = 32;
constexpr std::uint32_t kFrames = kLongBlock * 64;

const void* noExtension(const clap_host*, const char*)
{
    return nullptr;
}
void nothing(const clap_host*) {}
const clap_host kHost = {CLAP_VERSION, nullptr,     "bench", "",      "",
                         "1.0",        noExtension, nothing, nothing, nothing};

/// The events of one block: value changes at the given frames, as a host's automation sends them.
struct Events
{
    std::vector<clap_event_param_value> values;
    clap_input_events list{this,
                           [](const clap_input_events* l) {
                               return static_cast<std::uint32_t>(static_cast<Events*>(l->ctx)->values.size());
                           },
                           [](const clap_input_events* l, std::uint32_t i) -> const clap_event_header*
                           { return &static_cast<Events*>(l->ctx)->values[i].header; }};
};

clap_event_param_value valueEvent(std::uint32_t time, std::int32_t index, double value)
{
    clap_event_param_value e{};
    e.header = {sizeof e, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    e.param_id = static_cast<clap_id>(index);
    e.note_id = -1;
    e.port_index = e.channel = e.key = -1;
    e.value = value;
    return e;
}

/// Which parameter changes at the n-th change, and whether its value really moves.
struct Automation
{
    const char* name;
    std::int32_t (*index)(std::uint32_t n);
    bool moves;
};

const Automation kAutomations[] = {
    {"thresh-unmoved", [](std::uint32_t) { return std::int32_t{kThresh}; }, false},
    {"thresh", [](std::uint32_t) { return std::int32_t{kThresh}; }, true},
    {"attack", [](std::uint32_t) { return std::int32_t{kAttack}; }, true},
    {"sc-mode", [](std::uint32_t) { return std::int32_t{kScMode}; }, true},
    {"each-in-turn", [](std::uint32_t n) { return static_cast<std::int32_t>(n % kNumParams); }, true},
};

double automatedValue(std::int32_t index, std::uint32_t n, bool moves)
{
    if (!moves) return hostValueOf(index, kParameters[index].defaultValue);
    const double low = hostMinimum(index);
    const double high = hostMaximum(index);
    return low + (high - low) * ((n * 7) % 16) / 15.0;
}

/// Processes the material in blocks of `block` frames with `events` filled per block by `fill`.
template <typename Fill> void timeClap(benchmark::State& state, std::uint32_t block, Fill fill)
{
    std::vector<float> in[2] = {std::vector<float>(kFrames), std::vector<float>(kFrames)};
    std::vector<float> out[2] = {std::vector<float>(kFrames), std::vector<float>(kFrames)};
    for (std::uint32_t n = 0; n < kFrames; ++n)
    {
        const double swell = 0.5 + 0.45 * std::sin(2.0 * 3.141592653589793 * 1.5 * n / kRate);
        in[0][n] = static_cast<float>(swell * std::sin(0.0412 * n));
        in[1][n] = static_cast<float>(swell * std::sin(0.0412 * n + 1.0));
    }
    const clap_plugin_factory& factory = kClapFactory;
    const clap_plugin* p = factory.create_plugin(&factory, &kHost, kClapDescriptor.id);
    p->init(p);
    p->activate(p, kRate, 1, kLongBlock);
    p->start_processing(p);
    Events events;
    events.values.reserve(kLongBlock);
    std::uint32_t at = 0;
    std::uint32_t changes = 0;
    for (auto _ : state)
    {
        float* inputs[2] = {in[0].data() + at, in[1].data() + at};
        float* outputs[2] = {out[0].data() + at, out[1].data() + at};
        clap_audio_buffer input{inputs, nullptr, 2, 0, 0};
        clap_audio_buffer output{outputs, nullptr, 2, 0, 0};
        fill(events, changes);
        const clap_process process{-1, block, nullptr, &input, &output, 1, 1, &events.list, nullptr};
        p->process(p, &process);
        benchmark::DoNotOptimize(out[0][at]);
        at = (at + block) % kFrames;
    }
    p->stop_processing(p);
    p->deactivate(p);
    p->destroy(p);
    state.counters["ns/frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * block,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void steady(benchmark::State& state, std::uint32_t block)
{
    timeClap(state, block, [](Events&, std::uint32_t&) {});
}

/// Steady with the side-chain filter on: one event at the start of each block that moves nothing after the
/// first, for comparing the automation of SC Mode with.
void steadySidechain(benchmark::State& state)
{
    timeClap(state, kLongBlock,
             [](Events& events, std::uint32_t&) { events.values.assign(1, valueEvent(0, kScMode, 1.0)); });
}

void automated(benchmark::State& state, Automation automation)
{
    timeClap(state, kLongBlock,
             [automation](Events& events, std::uint32_t& changes)
             {
                 events.values.clear();
                 for (std::uint32_t t = 0; t < kLongBlock; t += kChangeEvery, ++changes)
                 {
                     const std::int32_t index = automation.index(changes);
                     events.values.push_back(
                         valueEvent(t, index, automatedValue(index, changes, automation.moves)));
                 }
             });
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("steady/512", steady, kLongBlock);
    benchmark::RegisterBenchmark("steady/16", steady, 16u);
    benchmark::RegisterBenchmark("steady-sc-a/512", steadySidechain);
    for (const Automation& automation : kAutomations)
        benchmark::RegisterBenchmark((std::string("change-every-32/") + automation.name).c_str(), automated,
                                     automation);
    RatioReporter reporter("ns per frame as a multiple of steady settings in 512-frame blocks:",
                           [](const std::string&) { return std::string("steady/512"); });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
