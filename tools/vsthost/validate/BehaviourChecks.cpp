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
    TimedInstance(std::unique_ptr<HostedPlugin> loaded, std::uint32_t seed)
        : plugin(std::move(loaded)), stimulus(kRate, seed),
          buffers(plugin->effect().numInputs, plugin->effect().numOutputs, kBlock, false)
    {
        plugin->start(kRate, kBlock);
    }

    /// Seconds spent in one process call of kBlock frames of signal.
    double play(Signal signal)
    {
        stimulus.setSignal(signal);
        stimulus.fill(buffers, kBlock);
        const auto begin = std::chrono::steady_clock::now();
        buffers.process(plugin->effect(), kBlock);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }

    std::unique_ptr<HostedPlugin> plugin;
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
    auto first = session.load(error);
    auto second = session.load(error);
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
std::vector<float> render(Session& session, const std::vector<float>& settings, std::uint32_t seed,
                          std::string& error)
{
    auto plugin = session.load(error);
    if (!plugin) return {};
    for (std::size_t i = 0; i < settings.size(); ++i)
        plugin->setParameter(static_cast<int>(i), settings[i]);
    plugin->start(kRate, kLargestBlock);
    Stimulus stimulus(kRate, seed);
    std::mt19937 random(seed);
    ProcessBuffers<float> buffers(plugin->effect().numInputs, plugin->effect().numOutputs, kLargestBlock,
                                  false);
    std::vector<float> result;
    for (const int frames : randomBlocks(random, static_cast<long long>(kRate), kLargestBlock))
    {
        stimulus.fill(buffers, frames);
        buffers.process(plugin->effect(), frames);
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
    auto probe = session.load(error);
    if (!probe) return Outcome::fail(error);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int round = 0; round < session.strictness(); ++round)
    {
        std::vector<float> settings(static_cast<std::size_t>(probe->effect().numParams));
        for (auto& value : settings)
            value = unit(session.random());
        const std::uint32_t seed = session.random()();
        if (sameBits(render(session, settings, seed, error), render(session, settings, seed, error)))
            continue;
        if (!error.empty()) return Outcome::fail(error);
        std::string listed;
        for (const float value : settings)
            listed += (listed.empty() ? "" : ",") + std::to_string(value);
        return Outcome::skip("two fresh instances differ at settings {" + listed +
                             "}: randomness by design or a fault (reported, not counted)");
    }
    return {};
}

Outcome changesFromAnotherThread(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    auto donor = session.load(error);
    if (!plugin || !donor) return Outcome::fail(error);
    const bool chunks = (plugin->effect().flags & effFlagsProgramChunks) != 0;
    std::vector<std::vector<std::uint8_t>> states;
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int s = 0; s < 8 && chunks; ++s)
    {
        for (int i = 0; i < donor->effect().numParams; ++i)
            donor->setParameter(i, unit(session.random()));
        states.push_back(donor->chunk());
    }
    plugin->start(kRate, kBlock);
    std::atomic<bool> stop{false};
    int blocks = 0;
    OutputScan bad;
    std::thread audio(
        [&]
        {
            Stimulus stimulus(kRate, 3);
            ProcessBuffers<float> buffers(plugin->effect().numInputs, plugin->effect().numOutputs, kBlock,
                                          false);
            while (!stop.load() && bad.nonFinite == 0)
            {
                stimulus.fill(buffers, kBlock);
                buffers.process(plugin->effect(), kBlock);
                bad = buffers.scan();
                ++blocks;
            }
        });
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(100 * session.strictness());
    std::uniform_int_distribution<int> index(0, std::max(plugin->effect().numParams - 1, 0));
    for (int n = 0; std::chrono::steady_clock::now() < end; ++n)
    {
        if (plugin->effect().numParams > 0)
            plugin->setParameter(index(session.random()), unit(session.random()));
        if (!states.empty() && n % 16 == 0)
        {
            plugin->setChunk(states[static_cast<std::size_t>(n / 16) % states.size()]);
            plugin->chunk();
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
        {"cost: silence after loud input costs at most 1.5x ordinary audio", 3, silenceAfterLoudIsCheap},
        {"determinism: two fresh instances give the same output at the defaults", 1, deterministicAtDefaults},
        {"determinism: two fresh instances give the same output at random settings", 2,
         deterministicAtRandomSettings},
        {"threads: parameters and chunks set from a second thread while processing keep the output finite", 2,
         changesFromAnotherThread},
    };
}
