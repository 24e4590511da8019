// Real units through the core's conversions; only ∞ and the rounding of positions are the host's own.
#include "HostValues.h"

#include "Parameters.h"

#include <algorithm>
#include <cmath>

namespace qm07
{
double hostMinimum(std::int32_t index)
{
    return std::min(kParameters[index].minimum, kParameters[index].maximum);
}

double hostMaximum(std::int32_t index)
{
    if (index == kRatio) return kRatioInfinity;
    return std::max(kParameters[index].minimum, kParameters[index].maximum);
}

float storedFromHost(std::int32_t index, double value, float previous)
{
    if (std::isnan(value)) return previous;
    if (index == kRatio && value >= kRatioInfinity) return 1.0f;
    const double real = kParameters[index].positions > 0 ? std::round(value) : value;
    return normalizedValue(index, real);
}

double hostValueOf(std::int32_t index, float normalized)
{
    const double real = realValue(index, normalized);
    return index == kRatio ? std::min(real, kRatioInfinity) : real;
}
} // namespace qm07
