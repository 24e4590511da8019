// The product's effect with its editor, as the entry point creates it.
#include "PluginFactory.h"
#include "TarvelCompressor.h"
#include "TarvelCompressorGUI.h"

#include <new>

AudioEffect* createEffectInstance(audioMasterCallback callback)
{
    return new (std::nothrow) TarvelCompressor(callback, createCompressorEditor);
}
