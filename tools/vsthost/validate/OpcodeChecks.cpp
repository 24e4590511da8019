// Every opcode from 0 to 79, and many outside that range, with guarded buffers.
#include "Checks.h"
#include "Drive.h"
#include "GuardedBuffer.h"

#include <climits>
#include <cstring>

namespace
{
/// What ptr (and for some opcodes value) points to.
enum class Arg
{
    Null,
    TextOut,      // a text the plug-in writes, at most limit characters and a terminator
    TextIn,       // a terminated text the plug-in reads
    RecordOut,    // a record of limit bytes the plug-in may fill
    RecordIn,     // a zeroed record of limit bytes (an empty event list, a blank task...)
    Slot,         // room for one pointer
    SlotPair,     // value and ptr each address room for one pointer
    Arrangements, // value and ptr each address a speaker arrangement of the plug-in's channel count
};

struct Plan
{
    std::int32_t opcode;
    Arg arg = Arg::Null;
    std::size_t limit = 0;
    std::int32_t index = 0;
    std::intptr_t value = 0;
    float opt = 0.0f;
    const char* text = nullptr;
};

// Sizes of the records the protocol fills in.
constexpr std::size_t kPinProperties = 128;
constexpr std::size_t kParameterProperties = 152;
constexpr std::size_t kMidiProgramName = 80;
constexpr std::size_t kMidiProgramCategory = 76;
constexpr std::size_t kMidiKeyName = 80;
// Records only read, and deprecated texts without a stated limit, get this much room.
constexpr std::size_t kOpaqueRecord = 512;
constexpr float kRate = 44100.0f;
constexpr std::intptr_t kBlock = 1024;

// Left out: effOpen and effClose (loading and unloading do them), effEditOpen (the editor checks),
// effSetChunk (the state checks), effProcessVarIo (no host sends it; a blank record has null buffers).
const Plan kPlans[] = {
    {effSetProgram},
    {effGetProgram},
    {effSetProgramName, Arg::TextIn, 0, 0, 0, 0.0f, "Validation"},
    {effGetProgramName, Arg::TextOut, kVstMaxProgNameLen},
    {effGetParamLabel, Arg::TextOut, kVstMaxParamStrLen},
    {effGetParamDisplay, Arg::TextOut, kVstMaxParamStrLen},
    {effGetParamName, Arg::TextOut, kVstMaxParamStrLen},
    {effGetVu},
    {effSetSampleRate, Arg::Null, 0, 0, 0, kRate},
    {effSetBlockSize, Arg::Null, 0, 0, kBlock},
    {effMainsChanged, Arg::Null, 0, 0, 0},
    {effMainsChanged, Arg::Null, 0, 0, 1},
    {effEditGetRect, Arg::Slot},
    {effEditClose},
    {effEditDraw, Arg::RecordIn, kOpaqueRecord},
    {effEditMouse, Arg::Null, 0, 10, 20},
    {effEditKey, Arg::Null, 0, 'a'},
    {effEditIdle},
    {effEditTop},
    {effEditSleep},
    {effIdentify},
    {effGetChunk, Arg::Slot, 0, 0},
    {effGetChunk, Arg::Slot, 0, 1},
    {effProcessEvents, Arg::RecordIn, kOpaqueRecord},
    {effCanBeAutomated},
    {effString2Parameter, Arg::TextIn, 0, 0, 0, 0.0f, "0.5"},
    {effGetNumProgramCategories},
    {effGetProgramNameIndexed, Arg::TextOut, kVstMaxProgNameLen, 0, -1},
    {effCopyProgram},
    {effConnectInput, Arg::Null, 0, 0, 1},
    {effConnectOutput, Arg::Null, 0, 0, 1},
    {effGetInputProperties, Arg::RecordOut, kPinProperties},
    {effGetOutputProperties, Arg::RecordOut, kPinProperties},
    {effGetPlugCategory},
    {effGetCurrentPosition},
    {effGetDestinationBuffer},
    {effOfflineNotify, Arg::RecordIn, kOpaqueRecord},
    {effOfflinePrepare, Arg::RecordIn, kOpaqueRecord},
    {effOfflineRun, Arg::RecordIn, kOpaqueRecord},
    {effSetSpeakerArrangement, Arg::Arrangements},
    {effSetBlockSizeAndSampleRate, Arg::Null, 0, 0, kBlock, kRate},
    {effSetBypass},
    {effGetEffectName, Arg::TextOut, kVstMaxEffectNameLen},
    {effGetErrorText, Arg::RecordOut, kOpaqueRecord},
    {effGetVendorString, Arg::TextOut, kVstMaxVendorStrLen},
    {effGetProductString, Arg::TextOut, kVstMaxProductStrLen},
    {effGetVendorVersion},
    {effVendorSpecific, Arg::RecordIn, kOpaqueRecord},
    {effCanDo, Arg::TextIn, 0, 0, 0, 0.0f, "receiveVstEvents"},
    {effGetTailSize},
    {effIdle},
    {effGetIcon},
    {effSetViewPosition},
    {effGetParameterProperties, Arg::RecordOut, kParameterProperties},
    {effKeysRequired},
    {effGetVstVersion},
    {effEditKeyDown, Arg::Null, 0, 'a'},
    {effEditKeyUp, Arg::Null, 0, 'a'},
    {effSetEditKnobMode, Arg::Null, 0, 0, 2},
    {effGetMidiProgramName, Arg::RecordOut, kMidiProgramName},
    {effGetCurrentMidiProgram, Arg::RecordOut, kMidiProgramName},
    {effGetMidiProgramCategory, Arg::RecordOut, kMidiProgramCategory},
    {effHasMidiProgramsChanged},
    {effGetMidiKeyName, Arg::RecordOut, kMidiKeyName},
    {effBeginSetProgram},
    {effEndSetProgram},
    {effGetSpeakerArrangement, Arg::SlotPair},
    {effShellGetNextPlugin, Arg::RecordOut, kOpaqueRecord},
    {effStartProcess},
    {effStopProcess},
    {effSetTotalSampleToProcess, Arg::Null, 0, 0, kBlock},
    {effSetPanLaw, Arg::Null, 0, 0, 0, 1.0f},
    {effBeginLoadBank, Arg::RecordIn, kOpaqueRecord},
    {effBeginLoadProgram, Arg::RecordIn, kOpaqueRecord},
    {effSetProcessPrecision},
    {effGetNumMidiInputChannels},
    {effGetNumMidiOutputChannels},
};

/// A speaker arrangement record for count channels, with nothing known about the speakers.
std::vector<unsigned char> blankArrangement(std::int32_t count)
{
    const auto channels = static_cast<std::size_t>(std::max(count, 0));
    std::vector<unsigned char> bytes(offsetof(VstSpeakerArrangement, speakers) +
                                     sizeof(VstSpeakerProperties) * std::max<std::size_t>(channels, 8));
    std::memcpy(bytes.data() + offsetof(VstSpeakerArrangement, numChannels), &count, sizeof(count));
    return bytes;
}

/// Calls one planned opcode; answers what went wrong with the buffers (empty when nothing did).
std::string callPlanned(HostedPlugin& plugin, const Plan& plan)
{
    const AEffect& e = plugin.effect();
    const std::size_t room = plan.arg == Arg::TextOut ? plan.limit + 1 : std::max<std::size_t>(plan.limit, 8);
    GuardedBuffer buffer(room);
    GuardedBuffer second(sizeof(void*));
    std::vector<unsigned char> in = blankArrangement(e.numInputs);
    std::vector<unsigned char> out = blankArrangement(e.numOutputs);
    void* ptr = nullptr;
    std::intptr_t value = plan.value;
    switch (plan.arg)
    {
    case Arg::Null:
        break;
    case Arg::TextIn:
        buffer.setText(plan.text);
        ptr = buffer.data();
        break;
    case Arg::RecordIn:
        buffer.setText("");
        ptr = buffer.data();
        break;
    case Arg::SlotPair:
        value = reinterpret_cast<std::intptr_t>(second.data());
        ptr = buffer.data();
        break;
    case Arg::Arrangements:
        value = reinterpret_cast<std::intptr_t>(in.data());
        ptr = out.data();
        break;
    default:
        ptr = buffer.data();
    }
    plugin.dispatch(plan.opcode, plan.index, value, ptr, plan.opt);
    if (!buffer.guardIntact() || !second.guardIntact())
        return "wrote past " + std::to_string(room) + " bytes";
    if (plan.arg == Arg::TextOut && !buffer.untouched() && !buffer.terminated())
        return "left the text unterminated within " + std::to_string(plan.limit) + " characters";
    return {};
}

template <typename Sample> std::string playOneBlock(HostedPlugin& plugin)
{
    ProcessBuffers<Sample> buffers(plugin.effect().numInputs, plugin.effect().numOutputs, 512, false);
    Stimulus stimulus(plugin.sampleRate(), 1);
    stimulus.fill(buffers, 512);
    buffers.process(plugin, 512);
    const std::string misuse = buffers.misuse();
    return misuse.empty() ? buffers.scan().first : misuse;
}

Outcome everyOpcode(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    plugin->start(kRate, kBlock);
    Findings findings;
    for (const Plan& plan : kPlans)
    {
        const std::string problem = callPlanned(*plugin, plan);
        findings.expect(problem.empty(), "opcode " + std::to_string(plan.opcode) + " " + problem);
    }
    const std::string after = playOneBlock<float>(*plugin);
    findings.expect(after.empty(), "processing after the opcodes: " + after);
    return findings.outcome();
}

Outcome unknownOpcodes(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    plugin->start(kRate, kBlock);
    Findings findings;
    for (const std::int32_t opcode : {-1, -2, -1000, INT_MIN, 80, 81, 100, 255, 256, 1000, 65536, INT_MAX})
    {
        GuardedBuffer buffer(kOpaqueRecord);
        const auto answer = plugin->dispatch(opcode, 1, 1, buffer.data(), 1.0f);
        findings.expect(answer == 0,
                        "opcode " + std::to_string(opcode) + " answers " + std::to_string(answer));
        findings.expect(buffer.untouched(), "opcode " + std::to_string(opcode) + " wrote into the buffer");
    }
    return findings.outcome();
}

Outcome programs(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    const std::int32_t count = std::min(plugin->effect().numPrograms, 128);
    if (count <= 0) return Outcome::skip("the plug-in has no programs");
    Findings findings;
    for (std::int32_t p = 0; p < count; ++p)
    {
        plugin->dispatch(effSetProgram, 0, p);
        const auto current = plugin->dispatch(effGetProgram);
        findings.expect(current == p, "after effSetProgram " + std::to_string(p) + " effGetProgram answers " +
                                          std::to_string(current));
        for (const Plan& plan : {Plan{effGetProgramName, Arg::TextOut, kVstMaxProgNameLen},
                                 Plan{effGetProgramNameIndexed, Arg::TextOut, kVstMaxProgNameLen, p, -1}})
        {
            const std::string problem = callPlanned(*plugin, plan);
            findings.expect(problem.empty(), "program " + std::to_string(p) + ", opcode " +
                                                 std::to_string(plan.opcode) + " " + problem);
        }
    }
    return findings.outcome();
}
} // namespace

std::vector<Check> opcodeChecks()
{
    return {
        {"opcodes: 0 to 79 with guarded buffers write nothing past the protocol's limits", 1, everyOpcode,
         kVstOnly},
        {"opcodes: out of range answer 0 and write nothing", 1, unknownOpcodes, kVstOnly},
        {"opcodes: every program can be chosen and named within 24 characters", 2, programs, kVstOnly},
    };
}
