// Decibels and exponential on lanes of doubles: range reduction and polynomials written as one sequence
// of IEEE operations, so every instruction set, compiler and C library rounds them alike.
#pragma once

#include <cstddef>
#include <cstdint>

// A lane type Real offers: Real(double) in every lane; + - * / per lane; min and max as the SSE
// instructions define them (the second operand when either is NaN); comparisons < <= > giving a mask;
// select(mask, a, b); x.bits() and Real::fromBits(bits) reinterpreting as 64-bit integers of type
// Real::Bits, which offers Bits(std::uint64_t), & | + - and logical shifts by a constant count.
//
// Only templates live here. Each instruction set instantiates them with lane types of its own file
// (internal linkage), so no compiled copy is ever shared between files built for different CPUs.
//
// The polynomials are minimax fits of the stated degree.

namespace qm07::lanemath
{
/// Bits of √½ rounded: subtracting them makes the exponent field count from [√½, √2) rather than [1, 2).
constexpr std::uint64_t kSqrtHalfBits = 0x3FE6A09E667F3BCDull;
/// 1024 octaves in the exponent field, so that the reduced value stays positive for every positive x.
constexpr std::uint64_t kOctaveBias = 1024ull << 52;
constexpr std::uint64_t kExponentField = 0xFFF0000000000000ull;
/// An integer below 2^52 placed in these bits reads as 2^52 plus that integer.
constexpr std::uint64_t kTwoTo52Bits = 0x4330000000000000ull;
constexpr double kTwoTo52 = 0x1p52;
constexpr double kDbPerOctave = 0x1.8151824c7587fp+2; // 20·log10(2)
/// 20·log10(m) = s·P(z) with s = (m − 1)/(m + 1), z = s², for m in [√½, √2): relative error 2.7e-14, far
/// below what the engine's output can show.
constexpr double kDecibelPolynomial[] = {
    0x1.15f2ced384ea7p+4, 0x1.729913c5e770cp+2, 0x1.bcb7ad958eff5p+1,
    0x1.3da9e2bee937ep+1, 0x1.ed0fe39cc488ap+0, 0x1.b4074d3e3ed22p+0,
};

// ln(2) in two parts, the first exact when multiplied by any octave number.
constexpr double kLn2High = 0x1.62e42ffp-1;
constexpr double kLn2Low = -0x1.718432a1b0e26p-35;
constexpr double kLog2E = 0x1.71547652b82fep+0;
/// Adding 1.5·2^52 rounds to an integer and leaves it in the low mantissa bits.
constexpr double kRoundingShift = 0x1.8p52;
/// e^r = 1 + r + r²·Q(r) for |r| ≤ ln(2)/2: relative error 1.7e-14.
constexpr double kExponentialPolynomial[] = {
    0x1.fffffffff0eaap-2,  0x1.5555555586ee9p-3,  0x1.5555557e8d8aep-5,  0x1.1111109840ba3p-7,
    0x1.6c163a9f57726p-10, 0x1.a01b4c6310036p-13, 0x1.a16fc8fa452a3p-16, 0x1.712f7d3629eb2p-19,
};
/// Below ln(smallest normal) the result is 0; above e^709 it saturates (2^1023 is the largest scale).
constexpr double kExpLowest = -708.3964185322641;
constexpr double kExpHighest = 709.0;

/// The polynomial with coefficients c (lowest degree first) at x by Estrin's scheme: terms in pairs, then
/// pairs of pairs, so that its chain of dependent steps grows with the logarithm of the degree.
template <class Real, std::size_t kCount>
[[gnu::always_inline]] inline Real estrin(const double (&c)[kCount], Real x)
{
    constexpr std::size_t kPairs = (kCount + 1) / 2;
    Real terms[kPairs];
#pragma GCC unroll 16
    for (std::size_t i = 0; i < kPairs; ++i)
        terms[i] = 2 * i + 1 < kCount ? Real(c[2 * i]) + Real(c[2 * i + 1]) * x : Real(c[2 * i]);
    Real power = x;
#pragma GCC unroll 4
    for (std::size_t count = kPairs; count > 1; count = (count + 1) / 2)
    {
        power = power * power;
        const std::size_t half = count / 2;
#pragma GCC unroll 16
        for (std::size_t i = 0; i < half; ++i)
            terms[i] = terms[2 * i] + terms[2 * i + 1] * power;
        if (count % 2 != 0) terms[half] = terms[count - 1];
    }
    return terms[0];
}
} // namespace qm07::lanemath

namespace qm07
{
/// decibels() in two halves, so that a pipeline can run the first half of one group while another group's
/// second half waits for its results: the reduction and its division, then the polynomial.
template <class Real> struct DecibelsHalfway
{
    Real s;       // (m − 1)/(m + 1)
    Real octaves; // e·20·log10(2)
};

template <class Real> [[gnu::always_inline]] inline DecibelsHalfway<Real> startDecibels(Real x)
{
    using namespace lanemath;
    using Bits = typename Real::Bits;
    const Bits bits = x.bits();
    const Bits reduced = bits + Bits(kOctaveBias - kSqrtHalfBits);
    const Real m = Real::fromBits((bits + Bits(kOctaveBias)) - (reduced & Bits(kExponentField)));
    const Real e = Real::fromBits((reduced >> 52) | Bits(kTwoTo52Bits)) - Real(kTwoTo52 + 1024.0);
    return {(m - Real(1.0)) / (m + Real(1.0)), e * Real(kDbPerOctave)};
}

template <class Real> [[gnu::always_inline]] inline Real finishDecibels(const DecibelsHalfway<Real>& h)
{
    return h.octaves + h.s * lanemath::estrin(lanemath::kDecibelPolynomial, h.s * h.s);
}

/// 20·log10(x) for positive, normal, finite x, within 256 ulps or 3e-14 dB. x = 2^e·m with m in
/// [√½, √2), found in the bits without a comparison; 20·log10(m) = s·P(s²) with s = (m − 1)/(m + 1).
template <class Real> [[gnu::always_inline]] inline Real decibels(Real x)
{
    return finishDecibels(startDecibels(x));
}

/// exponential() in two halves, as decibels(): the reduction, then the polynomial.
template <class Real> struct ExponentialHalfway
{
    Real r;     // x − n·ln(2), |r| ≤ ln(2)/2
    Real scale; // 2^n, or 0 where the result is below the smallest normal
};

template <class Real> [[gnu::always_inline]] inline ExponentialHalfway<Real> startExponential(Real x)
{
    using namespace lanemath;
    using Bits = typename Real::Bits;
    const Real clamped = min(max(x, Real(kExpLowest)), Real(kExpHighest));
    const Real shifted = clamped * Real(kLog2E) + Real(kRoundingShift);
    const Real n = shifted - Real(kRoundingShift);
    // The low bits of shifted hold n; shifting them to the exponent field drops everything above.
    const Real scale = Real::fromBits((shifted.bits() + Bits(1023)) << 52);
    return {(clamped - n * Real(kLn2High)) - n * Real(kLn2Low),
            select(x < Real(kExpLowest), Real(0.0), scale)};
}

template <class Real> [[gnu::always_inline]] inline Real finishExponential(const ExponentialHalfway<Real>& h)
{
    const Real r = h.r;
    return (Real(1.0) + (r + (r * r) * lanemath::estrin(lanemath::kExponentialPolynomial, r))) * h.scale;
}

/// e^x within 160 ulps: x = n·ln2 + r, e^r = 1 + r + r²·Q(r), scaled by 2^n built in the exponent bits. 0
/// below ln(smallest normal); saturates above e^709.
template <class Real> [[gnu::always_inline]] inline Real exponential(Real x)
{
    return finishExponential(startExponential(x));
}
} // namespace qm07
