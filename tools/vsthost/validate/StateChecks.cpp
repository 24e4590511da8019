// State: the chunk round trip, defaults from a fresh chunk, and chunks a damaged project could hand over.
#include "Checks.h"
#include "Drive.h"

#include <cmath>
#include <cstring>

namespace
{
using Bytes = std::vector<std::uint8_t>;

bool keepsChunks(const HostedPlugin& plugin)
{
    return (plugin.effect().flags & effFlagsProgramChunks) != 0;
}

const char* const kNoChunks = "the plug-in keeps no chunk (effFlagsProgramChunks is clear)";

void randomize(HostedPlugin& plugin, std::mt19937& random)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < plugin.effect().numParams; ++i)
        plugin.setParameter(i, unit(random));
}

std::vector<float> values(HostedPlugin& plugin)
{
    std::vector<float> result;
    for (int i = 0; i < plugin.effect().numParams; ++i)
        result.push_back(plugin.parameter(i));
    return result;
}

/// The first parameter whose value differs, for the report; empty when all agree.
std::string firstDifference(const std::vector<float>& got, const std::vector<float>& wanted)
{
    for (std::size_t i = 0; i < got.size() && i < wanted.size(); ++i)
        if (got[i] != wanted[i])
            return "parameter " + std::to_string(i) + " is " + std::to_string(got[i]) + ", not " +
                   std::to_string(wanted[i]);
    return got.size() == wanted.size() ? std::string() : "a different number of parameters";
}

/// Every value finite within 0 to 1, a chunk still to be had, and finite output from ordinary audio.
std::string validState(HostedPlugin& plugin)
{
    for (int i = 0; i < plugin.effect().numParams; ++i)
    {
        const float value = plugin.parameter(i);
        if (!(value >= 0.0f && value <= 1.0f))
            return "parameter " + std::to_string(i) + " reads " + std::to_string(value);
    }
    if (plugin.chunk().empty()) return "no chunk can be had afterwards";
    ProcessBuffers<float> buffers(plugin.effect().numInputs, plugin.effect().numOutputs, 512, false);
    Stimulus stimulus(plugin.sampleRate(), 7);
    for (int block = 0; block < 4; ++block)
    {
        stimulus.fill(buffers, 512);
        buffers.process(plugin.effect(), 512);
        const OutputScan scan = buffers.scan();
        if (scan.nonFinite) return "processing afterwards: " + scan.first;
    }
    return {};
}

Outcome roundTrip(Session& session)
{
    std::string error;
    auto source = session.load(error);
    if (!source) return Outcome::fail(error);
    if (!keepsChunks(*source)) return Outcome::skip(kNoChunks);
    Findings findings;
    for (int round = 0; round < session.strictness(); ++round)
        for (const bool preset : {false, true})
        {
            randomize(*source, session.random());
            const Bytes saved = source->chunk(preset);
            auto target = session.load(error);
            if (!target) return Outcome::fail(error);
            target->setChunk(saved, preset);
            const std::string kind = preset ? "program chunk" : "bank chunk";
            findings.expect(!saved.empty(), kind + " is empty");
            findings.expect(target->chunk(preset) == saved, kind + " differs after a round trip");
            const std::string differs = firstDifference(values(*target), values(*source));
            findings.expect(differs.empty(), kind + " restored: " + differs);
        }
    return findings.outcome();
}

Outcome freshChunkRestoresDefaults(Session& session)
{
    std::string error;
    auto fresh = session.load(error);
    auto changed = session.load(error);
    if (!fresh || !changed) return Outcome::fail(error);
    if (!keepsChunks(*fresh)) return Outcome::skip(kNoChunks);
    const Bytes defaults = fresh->chunk();
    randomize(*changed, session.random());
    changed->setChunk(defaults);
    Findings findings;
    const std::string differs = firstDifference(values(*changed), values(*fresh));
    findings.expect(differs.empty(), "not the defaults: " + differs);
    findings.expect(changed->chunk() == defaults, "the chunk afterwards is not the fresh one");
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
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    if (!keepsChunks(*plugin)) return Outcome::skip(kNoChunks);
    plugin->start(48000.0, 512);
    randomize(*plugin, session.random());
    const Bytes valid = plugin->chunk();
    if (valid.empty()) return Outcome::fail("effGetChunk gives no chunk");
    Findings findings;
    for (const auto& [what, bytes] : damagedChunks(valid, session.random()))
    {
        plugin->setChunk(bytes);
        const std::string problem = validState(*plugin);
        findings.expect(problem.empty(), "after a chunk " + what + ": " + problem);
    }
    return findings.outcome();
}

/// Sizes a 32-bit chunk size cannot be: the plug-in must refuse them, not cut them down to fit.
Outcome impossibleSizesRefused(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    if (!keepsChunks(*plugin)) return Outcome::skip(kNoChunks);
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
        {"state: bank and program chunks survive a round trip byte for byte", 1, roundTrip},
        {"state: a fresh instance's chunk restores the defaults", 1, freshChunkRestoresDefaults},
        {"state: truncated, random, NaN-filled and overlong chunks leave a valid state", 1,
         damagedChunksLeaveValidState},
        {"state: chunk sizes that are negative or do not fit 32 bits are refused", 2, impossibleSizesRefused},
    };
}
