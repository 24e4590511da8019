// Shelving designs (the cookbook shelves with 2·√A·α written as 2·√A·sin w / q) and coefficient hand-over.
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

// Sequentially consistent, so that an updater's later look at the parameter orders after its stores.
void Biquad::setCoefs(const BiquadCoefs& coefs)
{
    a0.store(coefs.a0);
    a1.store(coefs.a1);
    a2.store(coefs.a2);
    b0.store(coefs.b0);
    b1.store(coefs.b1);
    b2.store(coefs.b2);
}

BiquadCoefs Biquad::coefs() const
{
    constexpr auto relaxed = std::memory_order_relaxed;
    BiquadCoefs c;
    c.a0 = a0.load(relaxed);
    c.a1 = a1.load(relaxed);
    c.a2 = a2.load(relaxed);
    c.b0 = b0.load(relaxed);
    c.b1 = b1.load(relaxed);
    c.b2 = b2.load(relaxed);
    return c;
}
