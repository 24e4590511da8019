// Real units through the core's conversions; only ∞ and the rounding of positions are the port's own.
#include "PortValues.h"

#include "Parameters.h"

#include <algorithm>
#include <cmath>

namespace qm07::lv2
{
double portMinimum(std::int32_t index)
{
    return std::min(kParameters[index].minimum, kParameters[index].maximum);
}

double portMaximum(std::int32_t index)
{
    if (index == kRatio) return kRatioInfinity;
    return std::max(kParameters[index].minimum, kParameters[index].maximum);
}

float storedValue(std::int32_t index, float port, float previous)
{
    if (std::isnan(port)) return previous;
    if (index == kRatio && port >= kRatioInfinity) return 1.0f;
    const double real = kParameters[index].positions > 0 ? std::round(static_cast<double>(port)) : port;
    return normalizedValue(index, real);
}

float portValue(std::int32_t index, float normalized)
{
    const double real = realValue(index, normalized);
    return static_cast<float>(index == kRatio ? std::min(real, kRatioInfinity) : real);
}
} // namespace qm07::lv2
