// Sequences of dispatcher calls with any opcode, index, value and opt. Wherever the protocol has ptr (or
// value) address memory, it addresses a heap block of exactly the size the protocol gives, so the sanitizer
// sees any access past it; a host that breaks those rules is outside what a plug-in can defend against.
#include "FuzzSupport.h"

#include <algorithm>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

namespace
{
/// Bytes the protocol lets the plug-in write at ptr for an opcode; 0 when ptr carries no writable block.
std::size_t protocolRoom(std::int32_t opcode)
{
    switch (opcode)
    {
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return kVstMaxParamStrLen + 1;
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return kVstMaxProgNameLen + 1;
    case effGetEffectName:
        return kVstMaxEffectNameLen + 1;
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin:
        return kVstMaxVendorStrLen + 1;
    case effEditGetRect:
    case effGetChunk:
    case effGetSpeakerArrangement:
        return sizeof(void*);
    case effGetInputProperties:
    case effGetOutputProperties:
        return 128;
    case effGetParameterProperties:
        return 152;
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiKeyName:
        return 80;
    case effGetMidiProgramCategory:
        return 76;
    case effSetSpeakerArrangement:
        return sizeof(VstSpeakerArrangement);
    default:
        return 0;
    }
}

bool writesText(std::int32_t opcode)
{
    switch (opcode)
    {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
        return true;
    default:
        return false;
    }
}

/// Records the plug-in reads whose contents a host fills in truthfully: they arrive blank.
bool readsRecord(std::int32_t opcode)
{
    switch (opcode)
    {
    case effProcessEvents:
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun:
    case effProcessVarIo:
    case effSetSpeakerArrangement:
    case effBeginLoadBank:
    case effBeginLoadProgram:
        return true;
    default:
        return false;
    }
}

void call(Instance& instance, FuzzedDataProvider& input)
{
    std::int32_t opcode = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int32_t>(0, 79)
                                              : input.ConsumeIntegral<std::int32_t>();
    // effClose ends the instance (the destructor sends it); effEditOpen wants a window of the host's.
    if (opcode == effClose || opcode == effEditOpen) opcode = effEditIdle;
    const std::int32_t index = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int32_t>(-2, 12)
                                                   : input.ConsumeIntegral<std::int32_t>();
    std::intptr_t value = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::intptr_t>(-2, 8192)
                                              : input.ConsumeIntegral<std::intptr_t>();
    const float opt = input.ConsumeBool() ? input.ConsumeFloatingPointInRange<float>(0.0f, 200000.0f)
                                          : input.ConsumeFloatingPoint<float>();
    // Text the plug-in reads (a program name, a capability, a chunk): fuzzed and terminated.
    const std::string given = input.ConsumeRandomLengthString(256);

    std::size_t room = protocolRoom(opcode);
    if (room == 0) room = readsRecord(opcode) ? 512 : given.size() + 1;
    std::unique_ptr<char[]> block(new char[room]());
    std::unique_ptr<char[]> second(new char[sizeof(VstSpeakerArrangement)]());
    if (writesText(opcode))
        std::memset(block.get(), 'x', room);
    else if (!readsRecord(opcode))
        std::memcpy(block.get(), given.data(), std::min(given.size(), room - 1));
    if (opcode == effSetChunk) value = static_cast<std::intptr_t>(std::min(given.size(), room - 1));
    if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
        value = reinterpret_cast<std::intptr_t>(second.get());

    instance.dispatch(opcode, index, value, block.get(), opt);
    if (!writesText(opcode)) return;
    const bool untouched = std::all_of(block.get(), block.get() + room, [](char c) { return c == 'x'; });
    require(untouched || std::memchr(block.get(), 0, room) != nullptr, "a text answer is unterminated");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Instance instance;
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step)
    {
        if (input.ConsumeIntegralInRange<int>(0, 3) == 0)
            instance.requireFiniteBlock(input.ConsumeIntegralInRange<int>(0, Instance::kMaxBlock));
        else
            call(instance, input);
    }
    instance.requireValidParameters();
    return 0;
}
