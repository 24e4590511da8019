// Shelving designs: the cookbook shelves with 2·√A·α written as 2·√A·sin w / q.
#include "Biquad.h"

#include <cmath>

BiquadCoefs designLowShelf(double a, double cosW, double sinWOverQ)
{
    const double beta = 2.0 * std::sqrt(a) * sinWOverQ;
    BiquadCoefs c;
    c.a0 = (a + 1.0) + (a - 1.0) * cosW + beta;
    c.a1 = -2.0 * ((a - 1.0) + (a + 1.0) * cosW);
    c.a2 = (a + 1.0) + (a - 1.0) * cosW - beta;
    c.b0 = a * ((a + 1.0) - (a - 1.0) * cosW + beta);
    c.b1 = 2.0 * a * ((a - 1.0) - (a + 1.0) * cosW);
    c.b2 = a * ((a + 1.0) - (a - 1.0) * cosW - beta);
    return c;
}

BiquadCoefs designHighShelf(double a, double cosW, double sinWOverQ)
{
    const double beta = 2.0 * std::sqrt(a) * sinWOverQ;
    BiquadCoefs c;
    c.a0 = (a + 1.0) - (a - 1.0) * cosW + beta;
    c.a1 = 2.0 * ((a - 1.0) - (a + 1.0) * cosW);
    c.a2 = (a + 1.0) - (a - 1.0) * cosW - beta;
    c.b0 = a * ((a + 1.0) + (a - 1.0) * cosW + beta);
    c.b1 = -2.0 * a * ((a - 1.0) + (a + 1.0) * cosW);
    c.b2 = a * ((a + 1.0) + (a - 1.0) * cosW - beta);
    return c;
}

BiquadCoefs normalize(const BiquadCoefs& designed)
{
    BiquadCoefs c = designed;
    c.a1 /= designed.a0;
    c.a2 /= designed.a0;
    c.b0 /= designed.a0;
    c.b1 /= designed.a0;
    c.b2 /= designed.a0;
    return c;
}
