// A rate that is not positive and finite gives coefficient 0 (the envelope jumps to its target), as before
// any rate is known; a negative rate would otherwise give a coefficient above 1 and a diverging envelope.
#include "EnvelopeCoefs.h"

#include "EngineMath.h"

#include <cmath>

namespace
{
double onePole(double timeMs, double sampleRate)
{
    if (!(sampleRate > 0.0) || !std::isfinite(sampleRate)) return 0.0;
    return qm07::exponential(-1000.0 / (timeMs * sampleRate));
}
} // namespace

double attackCoefficient(float attackValue, double sampleRate)
{
    const double a = attackValue;
    return onePole(29.97 * a * a * a + 0.03, sampleRate);
}

double releaseCoefficient(float releaseValue, double sampleRate)
{
    const double r = releaseValue;
    return onePole(1950.0 * r * r * r + 50.0, sampleRate);
}

double meterCoefficient(double sampleRate)
{
    return onePole(150.0, sampleRate);
}
