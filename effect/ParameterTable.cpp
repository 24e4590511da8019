// Names, labels and defaults of the compressor's parameters, in index order.
#include "ParameterTable.h"

const ParameterDefinition kParameterTable[kNumParams] = {
    {"Thresh", "dB", 0.5f},  {"Ratio", "", 0.5f},       {"Gain", "dB", 0.0f},  {"Attack", "ms", 0.375f},
    {"Release", "ms", 0.5f}, {"Knee dB", "dB", 0.375f}, {"Knee %", "%", 0.0f}, {"SC Mode", "", 0.0f},
    {"Push", "", 0.0f},      {"Wet/Dry", "%", 0.0f},
};

int positionByThirds(float value)
{
    if (value < 0.33333334f) return 0;
    if (value > 0.6666666f) return 2;
    return 1;
}
