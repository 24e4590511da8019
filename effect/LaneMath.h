// Decibels and exponential on lanes of doubles: range reduction and polynomials written as one sequence
// of IEEE operations, so every instruction set, compiler and C library rounds them alike.
#pragma once

#include <cstdint>

// A lane type Real offers: Real(double) in every lane; + - * / per lane; min and max as the SSE
// instructions define them (the second operand when either is NaN); comparisons < <= > giving a mask;
// select(mask, a, b); x.bits() and Real::fromBits(bits) reinterpreting as 64-bit integers of type
// Real::Bits, which offers Bits(std::uint64_t), & | + - and shifts by a constant count.
//
// Only templates live here. Each instruction set instantiates them with lane types of its own file
// (internal linkage), so no compiled copy is ever shared between files built for different CPUs.

namespace qm07::lanemath
{
constexpr std::uint64_t kMantissaBits = 0x000FFFFFFFFFFFFFull;
constexpr std::uint64_t kOneBits = 0x3FF0000000000000ull;
constexpr std::uint64_t kTwoTo52Bits = 0x4330000000000000ull;
constexpr double kTwoTo52 = 0x1p52;
constexpr double kExponentBias = 1023.0;
constexpr double kSqrt2 = 0x1.6a09e667f3bcdp+0;
// 20·log10(2) in two parts, the first short enough that any exponent times it is exact.
constexpr double kDbPerOctaveHigh = 0x1.8151824cp+2;
constexpr double kDbPerOctaveLow = 0x1.d61fabf59b5d8p-32;
constexpr double kDbPerNeper = 0x1.15f2ced384f29p+3; // 20 / ln(10)

// ln(2) in two parts for the exponential's reduction, the first exact when multiplied by the octave.
constexpr double kLn2High = 0x1.62e42ffp-1;
constexpr double kLn2Low = -0x1.718432a1b0e26p-35;
constexpr double kLog2E = 0x1.71547652b82fep+0;
/// Adding 1.5·2^52 rounds to an integer and leaves it in the low mantissa bits.
constexpr double kRoundingShift = 0x1.8p52;
constexpr std::uint64_t kRoundingShiftBits = 0x4338000000000000ull;
/// Below ln(smallest normal) the result is 0; above e^709 it saturates (2^1023 is the largest scale).
constexpr double kExpLowest = -708.3964185322641;
constexpr double kExpHighest = 709.0;
} // namespace qm07::lanemath

namespace qm07
{
/// 20·log10(x) for positive, normal, finite x. x = 2^e·m with m in [√½, √2); ln m = 2·atanh(s) with
/// s = (m − 1)/(m + 1), |s| ≤ 0.172, as f − s·(f − R) where R is the atanh series beyond its first term
/// (ten terms reach 2^-56 of the result).
template <class Real> [[gnu::always_inline]] inline Real decibels(Real x)
{
    using namespace lanemath;
    using Bits = typename Real::Bits;
    const Bits bits = x.bits();
    const Real mantissa = Real::fromBits((bits & Bits(kMantissaBits)) | Bits(kOneBits));
    const Real exponent = Real::fromBits((bits >> 52) | Bits(kTwoTo52Bits)) - Real(kTwoTo52 + kExponentBias);
    const auto upper = mantissa > Real(kSqrt2);
    const Real m = select(upper, mantissa * Real(0.5), mantissa);
    const Real e = select(upper, exponent + Real(1.0), exponent);

    const Real f = m - Real(1.0);
    const Real s = f / (Real(2.0) + f);
    const Real z = s * s;
    // Estrin's scheme: the terms in pairs, then pairs of pairs, so the chain of dependent steps stays short.
    const Real z2 = z * z;
    const Real z4 = z2 * z2;
    const Real z8 = z4 * z4;
    const Real p0 = Real(2.0 / 3.0) + Real(2.0 / 5.0) * z;
    const Real p1 = Real(2.0 / 7.0) + Real(2.0 / 9.0) * z;
    const Real p2 = Real(2.0 / 11.0) + Real(2.0 / 13.0) * z;
    const Real p3 = Real(2.0 / 15.0) + Real(2.0 / 17.0) * z;
    const Real p4 = Real(2.0 / 19.0) + Real(2.0 / 21.0) * z;
    const Real q0 = p0 + p1 * z2;
    const Real q1 = p2 + p3 * z2;
    const Real series = z * ((q0 + q1 * z4) + p4 * z8);
    const Real lnM = f - s * (f - series);
    return e * Real(kDbPerOctaveHigh) + (e * Real(kDbPerOctaveLow) + lnM * Real(kDbPerNeper));
}

/// e^x: x = n·ln2 + r with |r| ≤ ln2/2, e^r by its Taylor series to r^13 (the next term is below 2^-57),
/// scaled by 2^n built in the exponent bits. 0 below ln(smallest normal); saturates above e^709.
template <class Real> [[gnu::always_inline]] inline Real exponential(Real x)
{
    using namespace lanemath;
    using Bits = typename Real::Bits;
    const Real clamped = min(max(x, Real(kExpLowest)), Real(kExpHighest));
    const Real shifted = clamped * Real(kLog2E) + Real(kRoundingShift);
    const Real n = shifted - Real(kRoundingShift);
    const Real r = (clamped - n * Real(kLn2High)) - n * Real(kLn2Low);

    // Estrin's scheme, as in decibels().
    const Real r2 = r * r;
    const Real r4 = r2 * r2;
    const Real r8 = r4 * r4;
    const Real p0 = Real(1.0) + r;
    const Real p1 = Real(0.5) + Real(1.0 / 6.0) * r;
    const Real p2 = Real(1.0 / 24.0) + Real(1.0 / 120.0) * r;
    const Real p3 = Real(1.0 / 720.0) + Real(1.0 / 5040.0) * r;
    const Real p4 = Real(1.0 / 40320.0) + Real(1.0 / 362880.0) * r;
    const Real p5 = Real(1.0 / 3628800.0) + Real(1.0 / 39916800.0) * r;
    const Real p6 = Real(1.0 / 479001600.0) + Real(1.0 / 6227020800.0) * r;
    // The small terms summed first, so that only 1 + r and the last addition round at the result's scale.
    const Real tail = ((p1 + p2 * r2) + (p3 + p4 * r2) * r4) + (p5 + p6 * r2) * r8;
    const Real p = p0 + tail * r2;

    const Bits octave = shifted.bits() - Bits(kRoundingShiftBits);
    const Real scale = Real::fromBits((octave + Bits(1023)) << 52);
    return select(x < Real(kExpLowest), Real(0.0), p * scale);
}
} // namespace qm07
