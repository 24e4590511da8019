// The host's side of the callback: what this host answers to the requests a plug-in makes.
#include "HostedPlugin.h"

#include <cstring>

namespace
{
constexpr std::intptr_t kHostVstVersion = 2400;
constexpr std::intptr_t kHostVendorVersion = 1000;
constexpr std::intptr_t kLanguageEnglish = 1;
constexpr std::intptr_t kAutomationOff = 1;

std::intptr_t copyText(void* destination, const char* text, std::size_t maxLength)
{
    if (!destination) return 0;
    auto* out = static_cast<char*>(destination);
    std::strncpy(out, text, maxLength);
    out[maxLength] = '\0';
    return 1;
}

/// Answers that do not depend on an instance, also given before the instance's record exists.
std::intptr_t answerCommon(std::int32_t opcode, std::int32_t index, void* ptr)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return kHostVstVersion;
    case audioMasterPinConnected:
        return index < 2 ? 0 : 1; // 0 means connected: our files are stereo at most
    case audioMasterGetVendorString:
        return copyText(ptr, "QM07 project", kVstMaxVendorStrLen);
    case audioMasterGetProductString:
        return copyText(ptr, "vsthost", kVstMaxProductStrLen);
    case audioMasterGetVendorVersion:
        return kHostVendorVersion;
    case audioMasterGetLanguage:
        return kLanguageEnglish;
    case audioMasterGetAutomationState:
        return kAutomationOff;
    default:
        // No window resizing, no transport, no MIDI: unknown requests and capabilities are answered 0.
        return 0;
    }
}
} // namespace

std::intptr_t HostedPlugin::answer(std::int32_t opcode, std::int32_t index, std::intptr_t, void* ptr,
                                   float opt)
{
    if (opcode >= 0 && static_cast<std::size_t>(opcode) < requests.size())
        requests[static_cast<std::size_t>(opcode)].fetch_add(1);
    if (requestObserver) requestObserver(opcode, index, opt);
    switch (opcode)
    {
    case audioMasterGetSampleRate:
        return static_cast<std::intptr_t>(rate);
    case audioMasterGetBlockSize:
        return maxBlock;
    default:
        return answerCommon(opcode, index, ptr);
    }
}

std::intptr_t hostCallback(AEffect* effect, std::int32_t opcode, std::int32_t index, std::intptr_t value,
                           void* ptr, float opt)
{
    auto* plugin = effect ? static_cast<HostedPlugin*>(effect->user) : nullptr;
    if (plugin) return plugin->answer(opcode, index, value, ptr, opt);
    return answerCommon(opcode, index, ptr);
}
