// The product's effect, as the entry point creates it.
#include "PluginFactory.h"
#include "TarvelCompressor.h"

#include <new>

AudioEffect* createEffectInstance(audioMasterCallback callback)
{
    return new (std::nothrow) TarvelCompressor(callback);
}
