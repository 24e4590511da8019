// The exported entry point: checks for a host that answers, then hands it the record of a new effect.
#include "EffectRecord.h"
#include "PluginFactory.h"

/// Loader thread of the host; allocates the effect. Null without a callback or for a host without a version.
extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    AudioEffect* effect = createEffectInstance(audioMaster);
    return effect ? effect->getAeffect() : nullptr;
}
