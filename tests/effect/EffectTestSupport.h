// Driving the whole effect, as a host would, through the helpers of the engine tests.
#pragma once

#include "EngineTestSupport.h"
#include "TarvelCompressor.h"

inline void processBlock(TarvelCompressor& fx, float** in, float** out, std::int32_t frames)
{
    fx.processReplacing(in, out, frames);
}

inline void processBlock(TarvelCompressor& fx, double** in, double** out, std::int32_t frames)
{
    fx.processDoubleReplacing(in, out, frames);
}
