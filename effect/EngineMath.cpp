// The lane exponential on one lane; sine and cosine by quadrant and Taylor series on [−π/4, π/4].
#include "EngineMath.h"

#include "LaneMath.h"
#include "ScalarLane.h"

namespace qm07
{
namespace
{
// π/2 in two parts, the first short enough that the quadrant number times it is exact.
constexpr double kHalfPiHigh = 0x1.921fb544p+0;
constexpr double kHalfPiLow = 0x1.0b4611a626331p-34;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

/// sin r for |r| ≤ π/4: the series to r^19, whose next term is below 2^-70 of the result.
double sineSeries(double r)
{
    const double z = r * r;
    double p = -1.0 / 121645100408832000.0;
    p = p * z + 1.0 / 355687428096000.0;
    p = p * z - 1.0 / 1307674368000.0;
    p = p * z + 1.0 / 6227020800.0;
    p = p * z - 1.0 / 39916800.0;
    p = p * z + 1.0 / 362880.0;
    p = p * z - 1.0 / 5040.0;
    p = p * z + 1.0 / 120.0;
    p = p * z - 1.0 / 6.0;
    return r + r * (z * p);
}

/// cos r for |r| ≤ π/4: the series to r^18.
double cosineSeries(double r)
{
    const double z = r * r;
    double p = -1.0 / 6402373705728000.0;
    p = p * z + 1.0 / 20922789888000.0;
    p = p * z - 1.0 / 87178291200.0;
    p = p * z + 1.0 / 479001600.0;
    p = p * z - 1.0 / 3628800.0;
    p = p * z + 1.0 / 40320.0;
    p = p * z - 1.0 / 720.0;
    p = p * z + 1.0 / 24.0;
    return 1.0 + z * (p * z - 0.5);
}

/// x = q·π/2 + r with |r| ≤ π/4 (a little more through rounding); returns q mod 4.
int quadrant(double x, double& r)
{
    const double q = static_cast<double>(static_cast<long long>(x * kTwoOverPi + (x < 0.0 ? -0.5 : 0.5)));
    r = (x - q * kHalfPiHigh) - q * kHalfPiLow;
    return static_cast<int>(static_cast<long long>(q) & 3);
}
} // namespace

double exponential(double x)
{
    return qm07::exponential(ScalarLane(x)).v;
}

double sine(double x)
{
    double r;
    switch (quadrant(x, r))
    {
    case 0:
        return sineSeries(r);
    case 1:
        return cosineSeries(r);
    case 2:
        return -sineSeries(r);
    default:
        return -cosineSeries(r);
    }
}

double cosine(double x)
{
    double r;
    switch (quadrant(x, r))
    {
    case 0:
        return cosineSeries(r);
    case 1:
        return -sineSeries(r);
    case 2:
        return -cosineSeries(r);
    default:
        return sineSeries(r);
    }
}
} // namespace qm07
