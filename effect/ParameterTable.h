// The compressor's ten parameters: indices, names, labels, defaults, and how three-way values are read.
#pragma once

#include <cstdint>

enum ParameterIndex : std::int32_t
{
    kThresh = 0,
    kRatio,
    kGain,
    kAttack,
    kRelease,
    kKneeDb,
    kKneePct,
    kScMode,
    kPush,
    kWetDry,
    kNumParams
};

/// One row of the constant table: what a parameter record starts from.
struct ParameterDefinition
{
    const char* name;
    const char* label;
    float defaultValue;
};

extern const ParameterDefinition kParameterTable[kNumParams];

/// Position 0, 1 or 2 of a three-way value: below 0.33333334 is 0, above 0.6666666 is 2, else 1.
int positionByThirds(float value);
