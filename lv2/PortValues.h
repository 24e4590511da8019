// Control ports in real units against the stored normalized values the VST build holds.
#pragma once

#include <cstdint>

namespace qm07::lv2
{
/// The Ratio port's maximum, standing for ∞:1. Ports are finite floats; ratios from here up differ from
/// a limiter by less than 1 % of the overshoot.
constexpr double kRatioInfinity = 100.0;
/// Full scale of the gain-reduction output, the needle's range.
constexpr double kGainReductionMaximum = 20.0;

/// Lowest and highest port value of a parameter, in real units.
double portMinimum(std::int32_t index);
double portMaximum(std::int32_t index);

/// Any thread; no allocation. The stored value for a port value: clamped, positions rounded to the
/// nearest; NaN keeps `previous`.
float storedValue(std::int32_t index, float port, float previous);
/// Any thread; no allocation. The port value that stands for a stored value.
float portValue(std::int32_t index, float normalized);
} // namespace qm07::lv2
