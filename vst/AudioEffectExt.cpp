// The 2.x dispatcher (opcodes 25-79) and the 2.x defaults that are more than a constant.
#include "AudioEffectExt.h"

#include "AEffEditor.h"

#include <cmath>

namespace
{
template <typename T> T* asPointer(std::intptr_t value)
{
    return reinterpret_cast<T*>(value);
}

// The modifier travels in a float; anything that is not a plain number means no modifier.
unsigned char modifierFrom(float opt)
{
    if (!std::isfinite(opt) || std::fabs(opt) >= 2147483648.0f) return 0;
    return static_cast<unsigned char>(static_cast<std::int32_t>(opt));
}
} // namespace

std::intptr_t AudioEffectX::dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       void* ptr, float opt)
{
    switch (opcode)
    {
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effShellGetNextPlugin:
        return dispatchTextQuery(opcode, index, value, static_cast<char*>(ptr));
    case effGetInputProperties:
        return getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
        return offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<std::int32_t>(value), index != 0)
                   ? 1
                   : 0;
    case effOfflinePrepare:
        return offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<std::int32_t>(value)) ? 1 : 0;
    case effOfflineRun:
        return offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<std::int32_t>(value)) ? 1 : 0;
    case effProcessVarIo:
        return processVariableIo(static_cast<VstVariableIo*>(ptr)) ? 1 : 0;
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(asPointer<VstSpeakerArrangement>(value),
                                     static_cast<VstSpeakerArrangement*>(ptr))
                   ? 1
                   : 0;
    case effSetBypass:
        return setBypass(value != 0) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)) ? 1 : 0;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
    case effSetEditKnobMode:
        return dispatchEditorExt(opcode, index, value, opt);
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effHasMidiProgramsChanged:
    case effGetMidiKeyName:
        return dispatchMidiProgram(opcode, index, ptr);
    case effBeginSetProgram:
        return beginSetProgram() ? 1 : 0;
    case effEndSetProgram:
        return endSetProgram() ? 1 : 0;
    case effGetSpeakerArrangement:
        return getSpeakerArrangement(asPointer<VstSpeakerArrangement*>(value),
                                     static_cast<VstSpeakerArrangement**>(ptr))
                   ? 1
                   : 0;
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<std::int32_t>(value));
    case effSetPanLaw:
        return setPanLaw(static_cast<std::int32_t>(value), opt) ? 1 : 0;
    case effBeginLoadBank:
        return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
        return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
        return setProcessPrecision(static_cast<std::int32_t>(value)) ? 1 : 0;
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

// Opcodes whose pointer is a text the effect reads or writes: without one they answer 0 and call nothing.
std::intptr_t AudioEffectX::dispatchTextQuery(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                              char* text)
{
    if (!text) return 0;
    switch (opcode)
    {
    case effString2Parameter:
        return string2parameter(index, text) ? 1 : 0;
    case effGetProgramNameIndexed:
        return getProgramNameIndexed(static_cast<std::int32_t>(value), index, text) ? 1 : 0;
    case effGetEffectName:
        return getEffectName(text) ? 1 : 0;
    case effGetVendorString:
        return getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return getProductString(text) ? 1 : 0;
    case effCanDo:
        return canDo(text);
    default:
        return getNextShellPlugin(text);
    }
}

std::intptr_t AudioEffectX::dispatchEditorExt(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                              float opt)
{
    if (!editor) return 0;
    if (opcode == effSetEditKnobMode) return editor->setKnobMode(static_cast<std::int32_t>(value)) ? 1 : 0;
    VstKeyCode key{index, static_cast<unsigned char>(value), modifierFrom(opt)};
    const bool used = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    return used ? 1 : 0;
}

std::intptr_t AudioEffectX::dispatchMidiProgram(std::int32_t opcode, std::int32_t index, void* ptr)
{
    switch (opcode)
    {
    case effGetMidiProgramName:
        return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
        return hasMidiProgramsChanged(index) ? 1 : 0;
    default:
        return getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)) ? 1 : 0;
    }
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output)
{
    if (input) *input = nullptr;
    if (output) *output = nullptr;
    return false;
}

std::int32_t AudioEffectX::getPlugCategory()
{
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

void AudioEffectX::resume()
{
    if ((cEffect.flags & effFlagsIsSynth) || canDo("receiveVstMidiEvent") == 1) wantEvents(1);
}
