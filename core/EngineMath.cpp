// Exponential, sine and cosine for the engine's set-up: range reduction and Taylor series, accurate to
// about an ulp, since coefficients such as a long release's compound over thousands of frames.
#include "EngineMath.h"

#include "LaneMath.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qm07
{
namespace
{
// π/2 in two parts, the first short enough that the quadrant number times it is exact.
constexpr double kHalfPiHigh = 0x1.921fb544p+0;
constexpr double kHalfPiLow = 0x1.0b4611a626331p-34;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// Taylor coefficients, highest degree first, of the series in z = r² below.
constexpr double kSineSeries[] = {
    -1.0 / 121645100408832000.0,
    1.0 / 355687428096000.0,
    -1.0 / 1307674368000.0,
    1.0 / 6227020800.0,
    -1.0 / 39916800.0,
    1.0 / 362880.0,
    -1.0 / 5040.0,
    1.0 / 120.0,
    -1.0 / 6.0,
};
constexpr double kCosineSeries[] = {
    -1.0 / 6402373705728000.0, 1.0 / 20922789888000.0, -1.0 / 87178291200.0, 1.0 / 479001600.0,
    -1.0 / 3628800.0,          1.0 / 40320.0,          -1.0 / 720.0,         1.0 / 24.0,
};

template <std::size_t kCount> double horner(const double (&c)[kCount], double z)
{
    double p = c[0];
    for (std::size_t i = 1; i < kCount; ++i)
        p = p * z + c[i];
    return p;
}

/// sin r for |r| ≤ π/4: the series to r^19, whose next term is below 2^-70 of the result.
double sineSeries(double r)
{
    const double z = r * r;
    return r + r * (z * horner(kSineSeries, z));
}

/// cos r for |r| ≤ π/4: the series to r^18.
double cosineSeries(double r)
{
    const double z = r * r;
    return 1.0 + z * (horner(kCosineSeries, z) * z - 0.5);
}

/// x = q·π/2 + r with |r| ≤ π/4 (a little more through rounding); returns q mod 4.
int quadrant(double x, double& r)
{
    const double q = static_cast<double>(static_cast<long long>(x * kTwoOverPi + (x < 0.0 ? -0.5 : 0.5)));
    r = (x - q * kHalfPiHigh) - q * kHalfPiLow;
    return static_cast<int>(static_cast<long long>(q) & 3);
}
} // namespace

/// x = n·ln2 + r with |r| ≤ ln2/2, e^r by its Taylor series to r^13 (the next term is below 2^-57), scaled
/// by 2^n built in the exponent bits.
double exponential(double x)
{
    // The same reduction as the kernels' exponential; only the polynomial differs.
    using namespace lanemath;
    if (x < kExpLowest) return 0.0;
    const double atLeastLowest = x > kExpLowest ? x : kExpLowest; // NaN becomes the lowest
    const double clamped = atLeastLowest < kExpHighest ? atLeastLowest : kExpHighest;
    const double shifted = clamped * kLog2E + kRoundingShift;
    const double n = shifted - kRoundingShift;
    const double r = (clamped - n * kLn2High) - n * kLn2Low;

    // The small terms summed first, so that only 1 + r and the last addition round at the result's scale.
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double r8 = r4 * r4;
    const double tail =
        (((0.5 + 1.0 / 6.0 * r) + (1.0 / 24.0 + 1.0 / 120.0 * r) * r2) +
         ((1.0 / 720.0 + 1.0 / 5040.0 * r) + (1.0 / 40320.0 + 1.0 / 362880.0 * r) * r2) * r4) +
        ((1.0 / 3628800.0 + 1.0 / 39916800.0 * r) + (1.0 / 479001600.0 + 1.0 / 6227020800.0 * r) * r2) * r8;
    const double p = (1.0 + r) + tail * r2;

    std::uint64_t octave;
    std::memcpy(&octave, &shifted, sizeof octave);
    const std::uint64_t scaleBits = (octave + 1023) << 52;
    double scale;
    std::memcpy(&scale, &scaleBits, sizeof scale);
    return p * scale;
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
