// Four doubles in an AVX2 register as a lane type (see LaneMath.h), plus the loads and stores of the
// engine's kernel. Only the file built with AVX2 includes this.
#pragma once

#include <cstdint>
#include <immintrin.h>

namespace qm07
{
namespace
{
struct Avx2Bits
{
    __m256i v;

    Avx2Bits() = default;
    explicit Avx2Bits(__m256i bits) : v(bits) {}
    explicit Avx2Bits(std::uint64_t bits) : v(_mm256_set1_epi64x(static_cast<long long>(bits))) {}
    friend Avx2Bits operator&(Avx2Bits a, Avx2Bits b) { return Avx2Bits(_mm256_and_si256(a.v, b.v)); }
    friend Avx2Bits operator|(Avx2Bits a, Avx2Bits b) { return Avx2Bits(_mm256_or_si256(a.v, b.v)); }
    friend Avx2Bits operator+(Avx2Bits a, Avx2Bits b) { return Avx2Bits(_mm256_add_epi64(a.v, b.v)); }
    friend Avx2Bits operator-(Avx2Bits a, Avx2Bits b) { return Avx2Bits(_mm256_sub_epi64(a.v, b.v)); }
    friend Avx2Bits operator>>(Avx2Bits a, int count) { return Avx2Bits(_mm256_srli_epi64(a.v, count)); }
    friend Avx2Bits operator<<(Avx2Bits a, int count) { return Avx2Bits(_mm256_slli_epi64(a.v, count)); }
};

struct Avx2Mask
{
    __m256d v;

    friend Avx2Mask operator|(Avx2Mask a, Avx2Mask b) { return {_mm256_or_pd(a.v, b.v)}; }
    friend bool anyLane(Avx2Mask m) { return _mm256_movemask_pd(m.v) != 0; }
};

struct Avx2Lane
{
    using Bits = Avx2Bits;
    static constexpr int kWidth = 4;

    __m256d v;

    Avx2Lane() = default;
    explicit Avx2Lane(__m256d lanes) : v(lanes) {}
    explicit Avx2Lane(double x) : v(_mm256_set1_pd(x)) {}

    static Avx2Lane load(const double* p) { return Avx2Lane(_mm256_loadu_pd(p)); }
    static Avx2Lane load(const float* p) { return Avx2Lane(_mm256_cvtps_pd(_mm_loadu_ps(p))); }
    void store(double* p) const { _mm256_storeu_pd(p, v); }
    void store(float* p) const { _mm_storeu_ps(p, _mm256_cvtpd_ps(v)); }

    /// Two pairs as the low and the high half, and back.
    template <class Pair> static Avx2Lane fromHalves(Pair low, Pair high)
    {
        return Avx2Lane(_mm256_insertf128_pd(_mm256_castpd128_pd256(low.v), high.v, 1));
    }
    template <class Pair> Pair lowHalf() const { return Pair(_mm256_castpd256_pd128(v)); }
    template <class Pair> Pair highHalf() const { return Pair(_mm256_extractf128_pd(v, 1)); }
    static Avx2Lane fromLanes(const double (&lanes)[4])
    {
        return Avx2Lane(_mm256_set_pd(lanes[3], lanes[2], lanes[1], lanes[0]));
    }

    Bits bits() const { return Bits(_mm256_castpd_si256(v)); }
    static Avx2Lane fromBits(Bits b) { return Avx2Lane(_mm256_castsi256_pd(b.v)); }

    friend Avx2Lane operator+(Avx2Lane a, Avx2Lane b) { return Avx2Lane(_mm256_add_pd(a.v, b.v)); }
    friend Avx2Lane operator-(Avx2Lane a, Avx2Lane b) { return Avx2Lane(_mm256_sub_pd(a.v, b.v)); }
    friend Avx2Lane operator*(Avx2Lane a, Avx2Lane b) { return Avx2Lane(_mm256_mul_pd(a.v, b.v)); }
    friend Avx2Lane operator/(Avx2Lane a, Avx2Lane b) { return Avx2Lane(_mm256_div_pd(a.v, b.v)); }
    friend Avx2Mask operator<(Avx2Lane a, Avx2Lane b) { return {_mm256_cmp_pd(a.v, b.v, _CMP_LT_OS)}; }
    friend Avx2Mask operator<=(Avx2Lane a, Avx2Lane b) { return {_mm256_cmp_pd(a.v, b.v, _CMP_LE_OS)}; }
    friend Avx2Mask operator>(Avx2Lane a, Avx2Lane b) { return {_mm256_cmp_pd(a.v, b.v, _CMP_GT_OS)}; }
    /// Not a < b: also where either is NaN.
    friend Avx2Mask notBelow(Avx2Lane a, Avx2Lane b) { return {_mm256_cmp_pd(a.v, b.v, _CMP_NLT_US)}; }
    friend Avx2Lane select(Avx2Mask m, Avx2Lane a, Avx2Lane b)
    {
        return Avx2Lane(_mm256_blendv_pd(b.v, a.v, m.v));
    }
    friend Avx2Lane max(Avx2Lane a, Avx2Lane b) { return Avx2Lane(_mm256_max_pd(a.v, b.v)); }
    friend Avx2Lane min(Avx2Lane a, Avx2Lane b) { return Avx2Lane(_mm256_min_pd(a.v, b.v)); }
    friend Avx2Lane abs(Avx2Lane a) { return Avx2Lane(_mm256_andnot_pd(_mm256_set1_pd(-0.0), a.v)); }
    friend bool allFinite(Avx2Lane a)
    {
        return _mm256_movemask_pd(_mm256_cmp_pd(_mm256_sub_pd(a.v, a.v), _mm256_setzero_pd(), _CMP_EQ_OQ)) ==
               0xF;
    }
};
} // namespace
} // namespace qm07
