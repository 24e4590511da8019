// The one place the entry point learns which effect to create; the product defines it beside its effect.
#pragma once

#include "AudioEffect.h"

/// Loader thread; allocates the effect. Answers null when it cannot be created.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
