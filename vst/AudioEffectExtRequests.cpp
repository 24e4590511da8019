// Requests of the 2.x layer to the host: one callback each, with the answer a missing callback implies.
#include "AudioEffectExt.h"

namespace
{
template <typename T> T* asPointer(std::intptr_t answer)
{
    return reinterpret_cast<T*>(answer);
}
std::int32_t asInt(std::intptr_t answer)
{
    return static_cast<std::int32_t>(answer);
}
} // namespace

bool AudioEffectX::beginEdit(std::int32_t index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(std::int32_t index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

double AudioEffectX::updateSampleRate()
{
    const std::intptr_t answer = callHost(audioMasterGetSampleRate);
    if (answer > 0) sampleRate = static_cast<float>(answer);
    return sampleRate;
}

std::int32_t AudioEffectX::updateBlockSize()
{
    const std::int32_t answer = asInt(callHost(audioMasterGetBlockSize));
    if (answer > 0) blockSize = answer;
    return blockSize;
}

std::int32_t AudioEffectX::getInputLatency()
{
    return asInt(callHost(audioMasterGetInputLatency));
}

std::int32_t AudioEffectX::getOutputLatency()
{
    return asInt(callHost(audioMasterGetOutputLatency));
}

VstTimeInfo* AudioEffectX::getTimeInfo(std::int32_t filter)
{
    return asPointer<VstTimeInfo>(callHost(audioMasterGetTime, 0, filter));
}

std::int32_t AudioEffectX::getCurrentProcessLevel()
{
    return asInt(callHost(audioMasterGetCurrentProcessLevel));
}

std::int32_t AudioEffectX::getAutomationState()
{
    return asInt(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::getHostVendorString(char* text)
{
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text)
{
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

std::int32_t AudioEffectX::getHostVendorVersion()
{
    return asInt(callHost(audioMasterGetVendorVersion));
}

std::intptr_t AudioEffectX::hostVendorSpecific(std::int32_t first, std::intptr_t second, void* ptr, float opt)
{
    return callHost(audioMasterVendorSpecific, first, second, ptr, opt);
}

std::int32_t AudioEffectX::canHostDo(char* text)
{
    return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

std::int32_t AudioEffectX::getHostLanguage()
{
    return asInt(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::getDirectory()
{
    return asPointer<void>(callHost(audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::sizeWindow(std::int32_t width, std::int32_t height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::openFileSelector(VstFileSelect* selector)
{
    return selector && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* selector)
{
    return selector && callHost(audioMasterCloseFileSelector, 0, 0, selector) != 0;
}

bool AudioEffectX::offlineRead(VstOfflineTask* task, std::int32_t option, bool readSource)
{
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* task, std::int32_t option)
{
    return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}

bool AudioEffectX::offlineStart(VstAudioFile* files, std::int32_t numAudioFiles,
                                std::int32_t numNewAudioFiles)
{
    return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files) != 0;
}

bool AudioEffectX::offlineGetCurrentPass()
{
    return callHost(audioMasterOfflineGetCurrentPass) != 0;
}

bool AudioEffectX::offlineGetCurrentMetaPass()
{
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0;
}

void AudioEffectX::wantEvents(std::int32_t filter)
{
    callHost(audioMasterWantMidi, 0, filter);
}

std::int32_t AudioEffectX::tempoAt(std::int32_t pos)
{
    return asInt(callHost(audioMasterTempoAt, 0, pos));
}

std::int32_t AudioEffectX::getNumAutomatableParameters()
{
    return asInt(callHost(audioMasterGetNumAutomatableParameters));
}

std::int32_t AudioEffectX::getParameterQuantization()
{
    return asInt(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::needIdle()
{
    return callHost(audioMasterNeedIdle) != 0;
}

// The host is not told which pin: the request has always carried index 0.
AEffect* AudioEffectX::getPreviousPlug(std::int32_t)
{
    return asPointer<AEffect>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug(std::int32_t)
{
    return asPointer<AEffect>(callHost(audioMasterGetNextPlug));
}

std::int32_t AudioEffectX::willProcessReplacing()
{
    return asInt(callHost(audioMasterWillReplaceOrAccumulate));
}

void AudioEffectX::setOutputSamplerate(float rate)
{
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement()
{
    return asPointer<VstSpeakerArrangement>(callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement()
{
    return asPointer<VstSpeakerArrangement>(callHost(audioMasterGetOutputSpeakerArrangement));
}

void* AudioEffectX::openWindow(VstWindow* window)
{
    return asPointer<void>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(VstWindow* window)
{
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

bool AudioEffectX::getChunkFile(void* nativePath)
{
    return nativePath && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
