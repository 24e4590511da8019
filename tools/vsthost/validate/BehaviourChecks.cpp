// Behaviour over time: the cost of decaying silence, determinism between instances, and parameter and
// chunk changes from a second thread while processing.
#include "Checks.h"
#include "Drive.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr double kSegmentSeconds = 0.5;

/// One instance, its buffers and its input, timed call by call.
struct TimedInstance
{
    TimedInstance(std::unique_ptr<PluginInstance> loaded, std::uint32_t seed)
        : plugin(std::move(loaded)), stimulus(kRate, seed),
          buffers(plugin->inputCount(), plugin->outputCount(), kBlock, false)
    {
        plugin->start(kRate, kBlock);
    }

    /// Seconds spent in one process call of kBlock frames of signal.
    double play(Signal signal)
    {
        stimulus.setSignal(signal);
        stimulus.fill(buffers, kBlock);
        const auto begin = std::chrono::steady_clock::now();
        buffers.process(*plugin, kBlock);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }

    std::unique_ptr<PluginInstance> plugin;
    Stimulus stimulus;
    ProcessBuffers<float> buffers;
};

/// Subnormal numbers in a decaying filter or envelope can cost a hundred times a normal one. One instance
/// plays ordinary audio while a second decays in silence after loud input, call for call in turn, so
/// that other load on the machine weighs on both alike; each half second of the decay keeps its lowest
/// ratio over several rounds.
Outcome silenceAfterLoudIsCheap(Session& session)
{
    std::string error;
    auto first = session.instance(error);
    auto second = session.instance(error);
    if (!first || !second) return Outcome::fail(error);
    TimedInstance ordinary(std::move(first), session.random()());
    TimedInstance decaying(std::move(second), session.random()());
    constexpr int kSegments = 12;
    const int blocksPerSegment = static_cast<int>(kSegmentSeconds * kRate / kBlock);
    std::vector<double> ratios(kSegments, 1e9);
    for (int round = 0; round < 5; ++round)
    {
        for (int b = 0; b < blocksPerSegment * 2; ++b)
        {
            ordinary.play(Signal::Audio);
            decaying.play(Signal::Loud);
        }
        for (auto& best : ratios)
        {
            double audio = 0.0;
            double silence = 0.0;
            for (int b = 0; b < blocksPerSegment; ++b)
            {
                audio += ordinary.play(Signal::Audio);
                silence += decaying.play(Signal::Silence);
            }
            if (audio > 0.0) best = std::min(best, silence / audio);
        }
    }
    const double worst = *std::max_element(ratios.begin(), ratios.end());
    char detail[128];
    std::snprintf(detail, sizeof(detail), "the slowest half second of silence costs %.2fx ordinary audio",
                  worst);
    return {worst <= 1.5 ? Verdict::Pass : Verdict::Fail, detail};
}

/// Output of a fresh instance at the given settings (none: defaults) for the same input every time.
std::vector<float> render(Session& session, const std::vector<double>& settings, std::uint32_t seed,
                          std::string& error)
{
    auto plugin = session.instance(error);
    if (!plugin) return {};
    for (std::size_t i = 0; i < settings.size(); ++i)
        plugin->setParameterValue(static_cast<int>(i), settings[i]);
    plugin->start(kRate, kLargestBlock);
    Stimulus stimulus(kRate, seed);
    std::mt19937 random(seed);
    ProcessBuffers<float> buffers(plugin->inputCount(), plugin->outputCount(), kLargestBlock, false);
    std::vector<float> result;
    for (const int frames : randomBlocks(random, static_cast<long long>(kRate), kLargestBlock))
    {
        stimulus.fill(buffers, frames);
        buffers.process(*plugin, frames);
        for (int c = 0; c < buffers.outputCount(); ++c)
            result.insert(result.end(), buffers.output(c), buffers.output(c) + frames);
    }
    return result;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), sizeof(float) * a.size()) == 0;
}

Outcome deterministicAtDefaults(Session& session)
{
    std::string error;
    const std::uint32_t seed = session.random()();
    const auto first = render(session, {}, seed, error);
    const auto second = render(session, {}, seed, error);
    if (!error.empty()) return Outcome::fail(error);
    return sameBits(first, second) ? Outcome{} : Outcome::fail("two fresh instances give different output");
}

/// Differences here are reported, not counted: a plug-in may draw random numbers on purpose at some
/// settings, and the protocol has no way to say so.
Outcome deterministicAtRandomSettings(Session& session)
{
    std::string error;
    auto probe = session.instance(error);
    if (!probe) return Outcome::fail(error);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int round = 0; round < session.strictness(); ++round)
    {
        std::vector<double> settings(static_cast<std::size_t>(probe->parameterCount()));
        for (std::size_t i = 0; i < settings.size(); ++i)
            settings[i] = withinRange(probe->parameterRange(static_cast<int>(i)), unit(session.random()));
        const std::uint32_t seed = session.random()();
        if (sameBits(render(session, settings, seed, error), render(session, settings, seed, error)))
            continue;
        if (!error.empty()) return Outcome::fail(error);
        std::string listed;
        for (const double value : settings)
            listed += (listed.empty() ? "" : ",") + std::to_string(value);
        return Outcome::skip("two fresh instances differ at settings {" + listed +
                             "}: randomness by design or a fault (reported, not counted)");
    }
    return {};
}

Outcome changesFromAnotherThread(Session& session)
{
    std::string error;
    auto plugin = session.instance(error);
    auto donor = session.instance(error);
    if (!plugin || !donor) return Outcome::fail(error);
    std::vector<std::vector<std::uint8_t>> states;
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int s = 0; s < 8 && plugin->keepsState(); ++s)
    {
        for (int i = 0; i < donor->parameterCount(); ++i)
            donor->setParameterValue(i, withinRange(donor->parameterRange(i), unit(session.random())));
        states.push_back(donor->saveState());
    }
    plugin->start(kRate, kBlock);
    std::atomic<bool> stop{false};
    int blocks = 0;
    OutputScan bad;
    std::thread audio(
        [&]
        {
            Stimulus stimulus(kRate, 3);
            ProcessBuffers<float> buffers(plugin->inputCount(), plugin->outputCount(), kBlock, false);
            while (!stop.load() && bad.nonFinite == 0)
            {
                stimulus.fill(buffers, kBlock);
                buffers.process(*plugin, kBlock);
                bad = buffers.scan();
                ++blocks;
            }
        });
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(100 * session.strictness());
    std::uniform_int_distribution<int> index(0, std::max(plugin->parameterCount() - 1, 0));
    for (int n = 0; std::chrono::steady_clock::now() < end; ++n)
    {
        if (plugin->parameterCount() > 0)
        {
            const int which = index(session.random());
            plugin->setParameterValue(which,
                                      withinRange(plugin->parameterRange(which), unit(session.random())));
        }
        if (!states.empty() && n % 16 == 0)
        {
            plugin->loadState(states[static_cast<std::size_t>(n / 16) % states.size()]);
            plugin->saveState();
        }
    }
    stop = true;
    audio.join();
    Findings findings;
    findings.expect(bad.nonFinite == 0, "block " + std::to_string(blocks) + ": " + bad.first);
    findings.expect(blocks > 0, "no block was processed");
    return findings.outcome();
}
} // namespace

std::vector<Check> behaviourChecks()
{
    return {
        {"cost: silence after loud input costs at most 1.5x ordinary audio", 3, silenceAfterLoudIsCheap,
         kEveryFormat},
        {"determinism: two fresh instances give the same output at the defaults", 1, deterministicAtDefaults,
         kEveryFormat},
        {"determinism: two fresh instances give the same output at random settings", 2,
         deterministicAtRandomSettings, kEveryFormat},
        {"threads: parameters and chunks set from a second thread while processing keep the output finite", 2,
         changesFromAnotherThread, kEveryFormat,
         "threads: parameters and state set on the main thread while the audio thread processes keep the "
         "output finite"},
    };
}
