// Two doubles in an SSE register as a lane type (see LaneMath.h), plus the loads and stores of the
// engine's kernel. Every file built for an instruction set includes this for a copy of its own.
#pragma once

#include <cstdint>
#include <emmintrin.h>
#include <smmintrin.h>

namespace qm07
{
namespace // each instruction set's file gets its own copy, compiled with its own flags
{
struct Sse2Bits
{
    __m128i v;

    Sse2Bits() = default;
    explicit Sse2Bits(__m128i bits) : v(bits) {}
    explicit Sse2Bits(std::uint64_t bits) : v(_mm_set1_epi64x(static_cast<long long>(bits))) {}
    friend Sse2Bits operator&(Sse2Bits a, Sse2Bits b) { return Sse2Bits(_mm_and_si128(a.v, b.v)); }
    friend Sse2Bits operator|(Sse2Bits a, Sse2Bits b) { return Sse2Bits(_mm_or_si128(a.v, b.v)); }
    friend Sse2Bits operator+(Sse2Bits a, Sse2Bits b) { return Sse2Bits(_mm_add_epi64(a.v, b.v)); }
    friend Sse2Bits operator-(Sse2Bits a, Sse2Bits b) { return Sse2Bits(_mm_sub_epi64(a.v, b.v)); }
    friend Sse2Bits operator>>(Sse2Bits a, int count) { return Sse2Bits(_mm_srli_epi64(a.v, count)); }
    friend Sse2Bits operator<<(Sse2Bits a, int count) { return Sse2Bits(_mm_slli_epi64(a.v, count)); }
};

struct Sse2Mask
{
    __m128d v;

    friend Sse2Mask operator|(Sse2Mask a, Sse2Mask b) { return {_mm_or_pd(a.v, b.v)}; }
    friend bool anyLane(Sse2Mask m) { return _mm_movemask_pd(m.v) != 0; }
};

/// With kBlend (CPUs with SSE4.1 and later), select() is one instruction instead of three; the bits are the
/// same either way.
template <bool kBlend> struct TwoLanes
{
    using Bits = Sse2Bits;
    static constexpr int kWidth = 2;

    __m128d v;

    TwoLanes() = default;
    explicit TwoLanes(__m128d lanes) : v(lanes) {}
    explicit TwoLanes(double x) : v(_mm_set1_pd(x)) {}
    static TwoLanes pair(double left, double right) { return TwoLanes(_mm_set_pd(right, left)); }

    static TwoLanes load(const double* p) { return TwoLanes(_mm_loadu_pd(p)); }
    static TwoLanes load(const float* p)
    {
        return TwoLanes(_mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)))));
    }
    void store(double* p) const { _mm_storeu_pd(p, v); }
    void store(float* p) const
    {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_castps_si128(_mm_cvtpd_ps(v)));
    }
    void storeLanes(double* left, double* right) const
    {
        _mm_storel_pd(left, v);
        _mm_storeh_pd(right, v);
    }
    static TwoLanes fromLanes(const double (&lanes)[2]) { return TwoLanes(_mm_set_pd(lanes[1], lanes[0])); }

    Bits bits() const { return Bits(_mm_castpd_si128(v)); }
    static TwoLanes fromBits(Bits b) { return TwoLanes(_mm_castsi128_pd(b.v)); }

    friend TwoLanes operator+(TwoLanes a, TwoLanes b) { return TwoLanes(_mm_add_pd(a.v, b.v)); }
    friend TwoLanes operator-(TwoLanes a, TwoLanes b) { return TwoLanes(_mm_sub_pd(a.v, b.v)); }
    friend TwoLanes operator*(TwoLanes a, TwoLanes b) { return TwoLanes(_mm_mul_pd(a.v, b.v)); }
    friend TwoLanes operator/(TwoLanes a, TwoLanes b) { return TwoLanes(_mm_div_pd(a.v, b.v)); }
    friend Sse2Mask operator<(TwoLanes a, TwoLanes b) { return {_mm_cmplt_pd(a.v, b.v)}; }
    friend Sse2Mask operator<=(TwoLanes a, TwoLanes b) { return {_mm_cmple_pd(a.v, b.v)}; }
    friend Sse2Mask operator>(TwoLanes a, TwoLanes b) { return {_mm_cmpgt_pd(a.v, b.v)}; }
    /// Not a < b: also where either is NaN.
    friend Sse2Mask notBelow(TwoLanes a, TwoLanes b) { return {_mm_cmpnlt_pd(a.v, b.v)}; }
    friend TwoLanes select(Sse2Mask m, TwoLanes a, TwoLanes b)
    {
        if constexpr (kBlend) return TwoLanes(_mm_blendv_pd(b.v, a.v, m.v));
        return TwoLanes(_mm_or_pd(_mm_and_pd(m.v, a.v), _mm_andnot_pd(m.v, b.v)));
    }
    friend TwoLanes max(TwoLanes a, TwoLanes b) { return TwoLanes(_mm_max_pd(a.v, b.v)); }
    friend TwoLanes min(TwoLanes a, TwoLanes b) { return TwoLanes(_mm_min_pd(a.v, b.v)); }
    friend TwoLanes abs(TwoLanes a) { return TwoLanes(_mm_andnot_pd(_mm_set1_pd(-0.0), a.v)); }
    friend bool allFinite(TwoLanes a)
    {
        return _mm_movemask_pd(_mm_cmpeq_pd(_mm_sub_pd(a.v, a.v), _mm_setzero_pd())) == 3;
    }
};

using Sse2Lane = TwoLanes<false>;
} // namespace
} // namespace qm07
