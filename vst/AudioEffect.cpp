// The effect base: record set-up, the record's trampolines, the 0-24 dispatcher and the first host requests.
#include "AudioEffect.h"

#include "AEffEditor.h"
#include "TextConversions.h"

#include <cstdint>
#include <cstring>

namespace
{
constexpr std::int32_t kNoEffectId = fourCharCode('N', 'o', 'E', 'f');

AudioEffect* effectOf(AEffect* e)
{
    return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}

// UI thread; frees the effect on effClose, after which the record no longer exists.
std::intptr_t dispatchTrampoline(AEffect* e, std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                 void* ptr, float opt)
{
    AudioEffect* effect = effectOf(e);
    if (!effect) return 0;
    const std::intptr_t result = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode != effClose) return result;
    delete effect;
    return 1;
}

// Audio thread; no allocation.
void processTrampoline(AEffect* e, float** inputs, float** outputs, std::int32_t sampleFrames)
{
    if (AudioEffect* effect = effectOf(e)) effect->process(inputs, outputs, sampleFrames);
}

// Audio thread; no allocation.
void processReplacingTrampoline(AEffect* e, float** inputs, float** outputs, std::int32_t sampleFrames)
{
    if (AudioEffect* effect = effectOf(e)) effect->processReplacing(inputs, outputs, sampleFrames);
}

// Audio thread; no allocation.
void processDoubleReplacingTrampoline(AEffect* e, double** inputs, double** outputs,
                                      std::int32_t sampleFrames)
{
    if (AudioEffect* effect = effectOf(e)) effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}

// Any thread, the audio thread included; no allocation.
void setParameterTrampoline(AEffect* e, std::int32_t index, float value)
{
    if (AudioEffect* effect = effectOf(e)) effect->setParameter(index, value);
}

// Any thread, the audio thread included; no allocation.
float getParameterTrampoline(AEffect* e, std::int32_t index)
{
    AudioEffect* effect = effectOf(e);
    return effect ? effect->getParameter(index) : 0.0f;
}
} // namespace

AudioEffect::AudioEffect(audioMasterCallback callback, std::int32_t programs, std::int32_t params)
    : audioMaster(callback), numPrograms(programs), numParams(params)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchTrampoline;
    cEffect.process = processTrampoline;
    cEffect.setParameter = setParameterTrampoline;
    cEffect.getParameter = getParameterTrampoline;
    cEffect.processReplacing = processReplacingTrampoline;
    cEffect.processDoubleReplacing = processDoubleReplacingTrampoline;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kNoEffectId;
    cEffect.version = 1;
    canProcessReplacing(true);
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

std::intptr_t AudioEffect::dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                                      float opt)
{
    switch (opcode)
    {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        // A negative program number is as invalid as one past the end.
        if (value >= 0 && value < numPrograms) setProgram(static_cast<std::int32_t>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (ptr) setProgramName(static_cast<char*>(ptr));
        return 0;
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return dispatchText(opcode, index, ptr);
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<std::int32_t>(value));
        return 0;
    case effMainsChanged:
        if (value)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect:
    case effEditOpen:
    case effEditClose:
    case effEditIdle:
        return dispatchEditor(opcode, ptr);
    case effIdentify:
        return kEffectIdentifier;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        // A size the operation's 32 bits cannot hold whole is a lie about the buffer: it reaches nobody.
        if (value < 0 || value > INT32_MAX) return 0;
        return setChunk(ptr, static_cast<std::int32_t>(value), index != 0);
    default:
        return 0;
    }
}

// A host that hands over no buffer gets 0 and nothing is written.
std::intptr_t AudioEffect::dispatchText(std::int32_t opcode, std::int32_t index, void* ptr)
{
    auto* text = static_cast<char*>(ptr);
    if (!text) return 0;
    if (opcode == effGetProgramName)
        getProgramName(text);
    else if (opcode == effGetParamLabel)
        getParameterLabel(index, text);
    else if (opcode == effGetParamDisplay)
        getParameterDisplay(index, text);
    else
        getParameterName(index, text);
    return 0;
}

std::intptr_t AudioEffect::dispatchEditor(std::int32_t opcode, void* ptr)
{
    if (!editor) return 0;
    switch (opcode)
    {
    case effEditGetRect:
        return ptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
        return editor->open(ptr) ? 1 : 0;
    case effEditClose:
        editor->close();
        return 0;
    default:
        editor->idle();
        return 0;
    }
}

void AudioEffect::processDoubleReplacing(double**, double**, std::int32_t) {}

void AudioEffect::process(float**, float**, std::int32_t) {}

void AudioEffect::setParameter(std::int32_t, float) {}

float AudioEffect::getParameter(std::int32_t)
{
    return 0.0f;
}

void AudioEffect::setParameterAutomated(std::int32_t index, float value)
{
    setParameter(index, value);
    if (audioMaster) callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::setProgramName(char*) {}

void AudioEffect::getProgramName(char* name)
{
    vsttext::copyText(name, "", 0);
}

void AudioEffect::getParameterLabel(std::int32_t, char* label)
{
    vsttext::copyText(label, "", 0);
}

void AudioEffect::getParameterDisplay(std::int32_t, char* text)
{
    vsttext::copyText(text, "", 0);
}

void AudioEffect::getParameterName(std::int32_t, char* text)
{
    vsttext::copyText(text, "", 0);
}

std::int32_t AudioEffect::getChunk(void**, bool)
{
    return 0;
}

std::int32_t AudioEffect::setChunk(void*, std::int32_t, bool)
{
    return 0;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(std::int32_t flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

std::intptr_t AudioEffect::callHost(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                                    float opt)
{
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

std::int32_t AudioEffect::getMasterVersion()
{
    const auto version = static_cast<std::int32_t>(callHost(audioMasterVersion));
    return version ? version : 1;
}

std::int32_t AudioEffect::getCurrentUniqueId()
{
    return static_cast<std::int32_t>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

bool AudioEffect::isInputConnected(std::int32_t input)
{
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(std::int32_t output)
{
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::dB2string(float value, char* text, std::int32_t maxLen)
{
    vsttext::dB2string(value, text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, std::int32_t maxLen)
{
    vsttext::Hz2string(samples, sampleRate, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, std::int32_t maxLen)
{
    vsttext::ms2string(samples, sampleRate, text, maxLen);
}

void AudioEffect::float2string(float value, char* text, std::int32_t maxLen)
{
    vsttext::float2string(value, text, maxLen);
}

void AudioEffect::int2string(std::int32_t value, char* text, std::int32_t maxLen)
{
    vsttext::int2string(value, text, maxLen);
}
