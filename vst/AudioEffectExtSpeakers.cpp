// Speaker-arrangement tools: arrangements are sized for their actual channel count and owned by the caller.
#include "AudioEffectExt.h"

#include "TextConversions.h"

#include <cstdlib>
#include <cstring>

namespace
{
constexpr std::size_t kHeaderBytes = offsetof(VstSpeakerArrangement, speakers);
constexpr std::int32_t kNameChars = sizeof(VstSpeakerProperties::name) - 1;

// The declared array is only a placeholder for the actual count; index through a plain pointer.
VstSpeakerProperties* speakersOf(VstSpeakerArrangement* arrangement)
{
    return arrangement->speakers;
}
} // namespace

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, std::int32_t channels)
{
    if (!arrangement || channels < 0) return false;
    deallocateArrangement(arrangement);
    const std::size_t bytes =
        kHeaderBytes + sizeof(VstSpeakerProperties) * static_cast<std::size_t>(channels);
    auto* fresh = static_cast<VstSpeakerArrangement*>(std::calloc(1, bytes));
    if (!fresh) return false;
    fresh->numChannels = channels;
    *arrangement = fresh;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement)
{
    if (!arrangement) return false;
    std::free(*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from)
{
    if (!to || !from) return false;
    // The source name may lack its terminator; at most 63 characters travel.
    char name[sizeof(from->name)];
    std::memcpy(name, from->name, kNameChars);
    name[kNameChars] = 0;
    vsttext::copyText(to->name, name, kNameChars);
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    to->type = from->type;
    std::memcpy(to->future, from->future, sizeof(to->future));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
    if (!to || !from || !allocateArrangement(to, from->numChannels)) return false;
    (*to)->type = from->type;
    for (std::int32_t i = 0; i < from->numChannels; ++i)
        if (!copySpeaker(speakersOf(*to) + i, speakersOf(from) + i)) return false;
    return true;
}
