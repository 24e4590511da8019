// Parameters in real units as hosts with finite ranges hold them (LV2 ports, CLAP parameters).
#pragma once

#include <cstdint>

namespace qm07
{
/// The host value that stands for a Ratio of ∞:1. Host ranges are finite; ratios from here up differ from
/// a limiter by less than 1 % of the overshoot.
constexpr double kRatioInfinity = 100.0;

/// Lowest and highest host value of a parameter, in real units.
double hostMinimum(std::int32_t index);
double hostMaximum(std::int32_t index);

/// Any thread; no allocation. The stored value for a host value: clamped, positions rounded to the
/// nearest; NaN keeps `previous`.
float storedFromHost(std::int32_t index, double value, float previous);
/// Any thread; no allocation. The host value that stands for a stored value.
double hostValueOf(std::int32_t index, float normalized);
} // namespace qm07
