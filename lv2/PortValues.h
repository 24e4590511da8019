// Control ports: float copies of the host values in real units (storedFromHost reads them back).
#pragma once

#include <cstdint>

namespace qm07::lv2
{
/// Full scale of the gain-reduction output, the needle's range.
constexpr double kGainReductionMaximum = 20.0;

/// Any thread; no allocation. The port value that stands for a stored value.
float portValue(std::int32_t index, float normalized);
} // namespace qm07::lv2
