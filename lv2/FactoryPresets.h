// The bundle's four factory presets, in the ports' real units.
#pragma once

#include "Parameters.h"

#include <array>

namespace qm07::lv2
{
struct FactoryPreset
{
    const char* symbol; ///< the preset's URI is the plug-in's with this fragment
    const char* label;
    std::array<double, kNumParams> ports; ///< in parameter order, as the control ports take them
};

extern const std::array<FactoryPreset, 4> kFactoryPresets;
} // namespace qm07::lv2
