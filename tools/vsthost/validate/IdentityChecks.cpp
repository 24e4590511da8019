// What the record and the identity opcodes say about the plug-in.
#include "Checks.h"
#include "GuardedBuffer.h"

#include <cstdint>

namespace
{
constexpr std::int32_t kKnownFlags = effFlagsHasEditor | effFlagsHasClip | effFlagsHasVu | effFlagsCanMono |
                                     effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth |
                                     effFlagsNoSoundInStop | effFlagsExtIsAsync | effFlagsExtHasBuffer |
                                     effFlagsCanDoubleReplacing;
// No host offers more channels than this to one plug-in; a larger count is uninitialised memory.
constexpr std::int32_t kMostChannels = 128;
constexpr std::int32_t kLastCategory = 11;

Outcome recordSanity(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    const AEffect& e = plugin->effect();
    Findings f;
    f.expect(e.dispatcher && e.setParameter && e.getParameter, "a dispatcher or parameter entry is null");
    f.expect(e.processReplacing != nullptr, "no processReplacing, which VST 2.4 hosts call");
    f.expect(e.flags & effFlagsCanReplacing, "effFlagsCanReplacing is clear");
    f.expect(!(e.flags & effFlagsCanDoubleReplacing) || e.processDoubleReplacing,
             "effFlagsCanDoubleReplacing is set but processDoubleReplacing is null");
    f.expect((e.flags & ~kKnownFlags) == 0, "unknown flag bits " + std::to_string(e.flags & ~kKnownFlags));
    f.expect(e.numInputs >= 0 && e.numInputs <= kMostChannels, "numInputs " + std::to_string(e.numInputs));
    f.expect(e.numOutputs > 0 && e.numOutputs <= kMostChannels, "numOutputs " + std::to_string(e.numOutputs));
    f.expect(e.numParams >= 0, "numParams " + std::to_string(e.numParams));
    f.expect(e.numPrograms >= 0, "numPrograms " + std::to_string(e.numPrograms));
    f.expect(e.initialDelay >= 0, "initialDelay " + std::to_string(e.initialDelay));
    f.expect(e.uniqueID != 0, "the unique ID is 0, so hosts cannot tell it from other plug-ins in projects");
    return f.outcome();
}

Outcome identityAnswers(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    Findings f;
    const struct
    {
        std::int32_t opcode;
        const char* what;
        std::size_t limit;
    } texts[] = {
        {effGetEffectName, "effect name", kVstMaxEffectNameLen},
        {effGetVendorString, "vendor", kVstMaxVendorStrLen},
        {effGetProductString, "product", kVstMaxProductStrLen},
    };
    for (const auto& t : texts)
    {
        GuardedBuffer buffer(t.limit + 1);
        plugin->dispatch(t.opcode, 0, 0, buffer.data());
        f.expect(buffer.guardIntact(),
                 std::string("the ") + t.what + " runs past " + std::to_string(t.limit) + " characters");
        f.expect(buffer.untouched() || buffer.terminated(),
                 std::string("the ") + t.what + " is not terminated");
    }
    f.expect(!plugin->effectName().empty(), "no effect name");
    const auto version = plugin->dispatch(effGetVstVersion);
    f.expect(version == 2400, "effGetVstVersion answers " + std::to_string(version) + ", not 2400");
    const auto category = plugin->dispatch(effGetPlugCategory);
    f.expect(category >= 0 && category <= kLastCategory, "category " + std::to_string(category));
    return f.outcome();
}
} // namespace

std::vector<Check> identityChecks()
{
    return {
        {"identity: effect record sane", 1, recordSanity, kVstOnly},
        {"identity: names within their limits, VST version 2400, known category", 1, identityAnswers,
         kVstOnly},
    };
}
