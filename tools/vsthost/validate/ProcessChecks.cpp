// Processing checks: every sample rate, both sample types, in place and not, random block sizes.
#include "Battery.h"
#include "Checks.h"
#include "Drive.h"

namespace
{
/// A fresh instance for the processing checks; null with the outcome to report when there is none.
std::unique_ptr<PluginInstance> loadForProcessing(Session& session, Outcome& outcome)
{
    std::string error;
    auto plugin = session.instance(error);
    if (!plugin)
        outcome = Outcome::fail(error);
    else if (!plugin->canProcessFloat())
        outcome = Outcome::skip("the record has no processReplacing");
    else
        return plugin;
    return nullptr;
}

long long framesPerSetup(const Session& session, double rate)
{
    return std::max<long long>(3 * kLargestBlock, static_cast<long long>(rate * 0.05 * session.strictness()));
}

/// Runs body(setup, plugin, buffers, findings) on one fresh instance for every set-up, the instance
/// started at the set-up's rate and the buffers of its sample type.
template <typename Body> Outcome forEverySetup(Session& session, Body body)
{
    Outcome refused;
    auto plugin = loadForProcessing(session, refused);
    if (!plugin) return refused;
    Findings findings;
    for (const Setup& setup : everySetup(*plugin))
    {
        plugin->start(setup.rate, kLargestBlock);
        withSampleType(setup,
                       [&](auto sample)
                       {
                           ProcessBuffers<decltype(sample)> buffers(
                               plugin->inputCount(), plugin->outputCount(), kLargestBlock, setup.inPlace);
                           body(setup, *plugin, buffers, findings);
                       });
    }
    return findings.outcome();
}

/// Plays signal through every set-up in random blocks; inspect names what is wrong with one call's
/// result (empty when nothing is) and the first problem of a set-up ends that set-up.
template <typename Inspect> Outcome acrossSetups(Session& session, Signal signal, Inspect inspect)
{
    return forEverySetup(
        session,
        [&](const Setup& setup, PluginInstance& plugin, auto& buffers, Findings& findings)
        {
            Stimulus stimulus(setup.rate, session.random()());
            stimulus.setSignal(signal);
            const auto blocks =
                randomBlocks(session.random(), framesPerSetup(session, setup.rate), kLargestBlock);
            for (std::size_t i = 0; i < blocks.size(); ++i)
            {
                stimulus.fill(buffers, blocks[i]);
                buffers.process(plugin, blocks[i]);
                const std::string problem = inspect(buffers);
                if (!findings.expect(problem.empty(), setup.describe() + ", call " + std::to_string(i + 1) +
                                                          " of " + std::to_string(blocks[i]) +
                                                          " frames: " + problem))
                    break;
            }
        });
}

template <typename Buffers> std::string finiteAndTidy(const Buffers& buffers)
{
    const std::string misuse = buffers.misuse();
    if (!misuse.empty()) return misuse;
    const OutputScan scan = buffers.scan();
    return scan.nonFinite ? scan.first : std::string();
}

Outcome randomBlocksEverywhere(Session& session)
{
    return acrossSetups(session, Signal::Audio, [](const auto& buffers) { return finiteAndTidy(buffers); });
}

Outcome silenceStaysClean(Session& session)
{
    return acrossSetups(session, Signal::Silence,
                        [](const auto& buffers)
                        {
                            const std::string problem = finiteAndTidy(buffers);
                            if (!problem.empty()) return problem;
                            const OutputScan scan = buffers.scan();
                            return scan.subnormal ? scan.first : std::string();
                        });
}

Outcome extremeInputStaysFinite(Session& session)
{
    Findings findings;
    for (const Signal signal : {Signal::Noise, Signal::Impulses, Signal::Loud})
    {
        const Outcome outcome =
            acrossSetups(session, signal, [](const auto& buffers) { return finiteAndTidy(buffers); });
        static const char* const kNames[] = {"", "", "full-scale noise", "impulses", "noise at +12 dBFS"};
        if (outcome.verdict == Verdict::Fail)
            findings.add(std::string(kNames[static_cast<int>(signal)]) + ": " + outcome.detail);
    }
    return findings.outcome();
}

/// After a block with NaN and infinities, the next block of ordinary audio comes out finite.
Outcome recoversFromNonFiniteInput(Session& session)
{
    std::uniform_int_distribution<int> size(1, 1024);
    return forEverySetup(session,
                         [&](const Setup& setup, PluginInstance& plugin, auto& buffers, Findings& findings)
                         {
                             Stimulus stimulus(setup.rate, session.random()());
                             auto play = [&](Signal signal, int frames)
                             {
                                 stimulus.setSignal(signal);
                                 stimulus.fill(buffers, frames);
                                 buffers.process(plugin, frames);
                             };
                             for (int round = 0; round < session.strictness(); ++round)
                             {
                                 play(Signal::Audio, size(session.random()));
                                 play(Signal::NonFinite, size(session.random()));
                                 const int after = size(session.random());
                                 play(Signal::Audio, after);
                                 const std::string problem = finiteAndTidy(buffers);
                                 if (!findings.expect(problem.empty(), setup.describe() + ", the " +
                                                                           std::to_string(after) +
                                                                           "-frame block after: " + problem))
                                     break;
                             }
                         });
}

Outcome emptyCallsWriteNothing(Session& session)
{
    return forEverySetup(session,
                         [](const Setup& setup, PluginInstance& plugin, auto& buffers, Findings& findings)
                         {
                             buffers.process(plugin, 0);
                             const std::string misuse = buffers.misuse();
                             findings.expect(misuse.empty(), setup.describe() + ": " + misuse);
                         });
}
} // namespace

std::vector<Check> processChecks()
{
    return {
        {"process: random blocks of 1 to 8192 frames at 22050 to 192000 Hz, float and double, in place and "
         "out of place: finite output, nothing written outside the buffers",
         1, randomBlocksEverywhere, kEveryFormat},
        {"process: silence gives finite output without subnormals", 1, silenceStaysClean, kEveryFormat},
        {"process: full-scale noise, impulses and noise over full scale give finite output", 2,
         extremeInputStaysFinite, kEveryFormat},
        {"process: output is finite again within one block after NaN and infinite input", 2,
         recoversFromNonFiniteInput, kEveryFormat},
        // CLAP blocks hold at least one frame.
        {"process: a call of 0 frames writes nothing", 3, emptyCallsWriteNothing, kVstOnly},
    };
}
