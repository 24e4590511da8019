// State: the chunk round trip, defaults from a fresh chunk, and chunks a damaged project could hand over.
#include "Checks.h"
#include "Drive.h"

#include <cmath>
#include <cstring>

namespace
{
using Bytes = std::vector<std::uint8_t>;

/// "chunk" for VST, "state" for CLAP, so the reports speak each format's language.
const char* stateWord(const PluginInstance& plugin)
{
    return plugin.format() == PluginFormat::Vst ? "chunk" : "state";
}

const char* noState(const PluginInstance& plugin)
{
    return plugin.format() == PluginFormat::Vst
               ? "the plug-in keeps no chunk (effFlagsProgramChunks is clear)"
               : "the plug-in keeps no state (it offers no clap.state)";
}

void randomize(PluginInstance& plugin, std::mt19937& random)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < plugin.parameterCount(); ++i)
        plugin.setParameterValue(i, withinRange(plugin.parameterRange(i), unit(random)));
}

std::vector<double> values(PluginInstance& plugin)
{
    std::vector<double> result;
    for (int i = 0; i < plugin.parameterCount(); ++i)
        result.push_back(plugin.parameterValue(i));
    return result;
}

/// The first parameter whose value differs, for the report; empty when all agree.
std::string firstDifference(const std::vector<double>& got, const std::vector<double>& wanted)
{
    for (std::size_t i = 0; i < got.size() && i < wanted.size(); ++i)
        if (got[i] != wanted[i])
            return "parameter " + std::to_string(i) + " is " + std::to_string(got[i]) + ", not " +
                   std::to_string(wanted[i]);
    return got.size() == wanted.size() ? std::string() : "a different number of parameters";
}

/// Every value finite within its range, a state still to be had, and finite output from ordinary audio.
std::string validState(PluginInstance& plugin)
{
    for (int i = 0; i < plugin.parameterCount(); ++i)
    {
        const ParameterRange range = plugin.parameterRange(i);
        const double value = plugin.parameterValue(i);
        if (!(value >= range.minimum && value <= range.maximum))
            return "parameter " + std::to_string(i) + " reads " + std::to_string(value);
    }
    if (plugin.saveState().empty()) return std::string("no ") + stateWord(plugin) + " can be had afterwards";
    ProcessBuffers<float> buffers(plugin.inputCount(), plugin.outputCount(), 512, false);
    Stimulus stimulus(plugin.sampleRate(), 7);
    for (int block = 0; block < 4; ++block)
    {
        stimulus.fill(buffers, 512);
        buffers.process(plugin, 512);
        const OutputScan scan = buffers.scan();
        if (scan.nonFinite) return "processing afterwards: " + scan.first;
    }
    return {};
}

/// VST keeps a bank and a program chunk, CLAP one state.
struct StateKind
{
    std::string name;
    bool program;
};

std::vector<StateKind> stateKinds(const PluginInstance& plugin)
{
    if (plugin.format() == PluginFormat::Vst) return {{"bank chunk", false}, {"program chunk", true}};
    return {{"state", false}};
}

Bytes save(PluginInstance& plugin, const StateKind& kind)
{
    return kind.program ? static_cast<HostedPlugin&>(plugin).chunk(true) : plugin.saveState();
}

void restore(PluginInstance& plugin, const Bytes& bytes, const StateKind& kind)
{
    if (kind.program)
        static_cast<HostedPlugin&>(plugin).setChunk(bytes, true);
    else
        plugin.loadState(bytes);
}

Outcome roundTrip(Session& session)
{
    std::string error;
    auto source = session.instance(error);
    if (!source) return Outcome::fail(error);
    if (!source->keepsState()) return Outcome::skip(noState(*source));
    Findings findings;
    for (int round = 0; round < session.strictness(); ++round)
        for (const StateKind& kind : stateKinds(*source))
        {
            randomize(*source, session.random());
            const Bytes saved = save(*source, kind);
            auto target = session.instance(error);
            if (!target) return Outcome::fail(error);
            restore(*target, saved, kind);
            findings.expect(!saved.empty(), kind.name + " is empty");
            findings.expect(save(*target, kind) == saved, kind.name + " differs after a round trip");
            const std::string differs = firstDifference(values(*target), values(*source));
            findings.expect(differs.empty(), kind.name + " restored: " + differs);
        }
    return findings.outcome();
}

Outcome freshChunkRestoresDefaults(Session& session)
{
    std::string error;
    auto fresh = session.instance(error);
    auto changed = session.instance(error);
    if (!fresh || !changed) return Outcome::fail(error);
    if (!fresh->keepsState()) return Outcome::skip(noState(*fresh));
    const Bytes defaults = fresh->saveState();
    randomize(*changed, session.random());
    changed->loadState(defaults);
    Findings findings;
    const std::string differs = firstDifference(values(*changed), values(*fresh));
    findings.expect(differs.empty(), "not the defaults: " + differs);
    findings.expect(changed->saveState() == defaults,
                    std::string("the ") + stateWord(*fresh) + " afterwards is not the fresh one");
    return findings.outcome();
}

std::vector<std::pair<std::string, Bytes>> damagedChunks(const Bytes& valid, std::mt19937& random)
{
    std::vector<std::pair<std::string, Bytes>> result;
    for (const std::size_t length : {std::size_t{0}, std::size_t{1}, valid.size() / 2, valid.size() - 1})
        result.emplace_back("truncated to " + std::to_string(length) + " bytes",
                            Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length)));
    std::uniform_int_distribution<int> byte(0, 255);
    for (const std::size_t length : {valid.size(), valid.size() * 2 + 3, std::size_t{3}})
    {
        Bytes garbage(length);
        for (auto& b : garbage)
            b = static_cast<std::uint8_t>(byte(random));
        result.emplace_back(std::to_string(length) + " random bytes", garbage);
    }
    for (const float fill : {std::nanf(""), -std::nanf(""), HUGE_VALF, -HUGE_VALF, 1e-40f})
    {
        Bytes filled(valid.size());
        for (std::size_t at = 0; at + sizeof(fill) <= filled.size(); at += sizeof(fill))
            std::memcpy(filled.data() + at, &fill, sizeof(fill));
        result.emplace_back("filled with " + std::to_string(fill), filled);
    }
    result.emplace_back("all bytes 0xFF", Bytes(valid.size(), 0xFF));
    Bytes longer = valid;
    longer.insert(longer.end(), 100, 0xEE);
    result.emplace_back("a valid chunk with 100 bytes more", longer);
    return result;
}

Outcome damagedChunksLeaveValidState(Session& session)
{
    std::string error;
    auto plugin = session.instance(error);
    if (!plugin) return Outcome::fail(error);
    if (!plugin->keepsState()) return Outcome::skip(noState(*plugin));
    plugin->start(48000.0, 512);
    randomize(*plugin, session.random());
    const Bytes valid = plugin->saveState();
    const bool vst = plugin->format() == PluginFormat::Vst;
    if (valid.empty()) return Outcome::fail(vst ? "effGetChunk gives no chunk" : "state.save gives nothing");
    Findings findings;
    for (const auto& [what, bytes] : damagedChunks(valid, session.random()))
    {
        plugin->loadState(bytes);
        const std::string problem = validState(*plugin);
        findings.expect(problem.empty(),
                        std::string("after a ") + stateWord(*plugin) + " " + what + ": " + problem);
    }
    return findings.outcome();
}

/// Sizes a 32-bit chunk size cannot be: the plug-in must refuse them, not cut them down to fit.
Outcome impossibleSizesRefused(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    if (!plugin->keepsState()) return Outcome::skip(noState(*plugin));
    auto other = session.load(error);
    if (!other) return Outcome::fail(error);
    randomize(*other, session.random());
    Bytes offered = other->chunk();
    const Bytes before = plugin->chunk();
    if (plugin->chunk() != before) return Outcome::skip("the chunk differs from one effGetChunk to the next");
    const auto length = static_cast<std::int64_t>(offered.size());
    Findings findings;
    for (const std::int64_t size :
         {std::int64_t{-1}, -(std::int64_t{1} << 32) + length, (std::int64_t{1} << 32) + length})
    {
        plugin->dispatch(effSetChunk, 0, static_cast<std::intptr_t>(size), offered.data());
        findings.expect(plugin->chunk() == before, "a size of " + std::to_string(size) + " was taken");
    }
    return findings.outcome();
}
} // namespace

std::vector<Check> stateChecks()
{
    return {
        {"state: bank and program chunks survive a round trip byte for byte", 1, roundTrip, kEveryFormat,
         "state: the saved state survives a round trip byte for byte"},
        {"state: a fresh instance's chunk restores the defaults", 1, freshChunkRestoresDefaults, kEveryFormat,
         "state: a fresh instance's state restores the defaults"},
        {"state: truncated, random, NaN-filled and overlong chunks leave a valid state", 1,
         damagedChunksLeaveValidState, kEveryFormat,
         "state: truncated, random, NaN-filled and overlong states leave a valid state"},
        {"state: chunk sizes that are negative or do not fit 32 bits are refused", 2, impossibleSizesRefused,
         kVstOnly},
    };
}
