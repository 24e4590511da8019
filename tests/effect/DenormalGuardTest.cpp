// The flush-to-zero guard: effective inside its scope, the caller's floating-point mode restored after.
#include "DenormalGuard.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <xmmintrin.h>

namespace
{
volatile float gSubnormal = FLT_MIN / 16.0f;
volatile float gSmall = FLT_MIN;
} // namespace

TEST(DenormalGuard, FlushesInsideAndRestoresTheCallersMode)
{
    const unsigned original = _mm_getcsr();
    const unsigned callers = (original & ~0xE040u) | 0x6000u; // no flushing; round toward zero
    _mm_setcsr(callers);
    {
        DenormalGuard guard;
        EXPECT_EQ(gSubnormal * 1.0f, 0.0f); // subnormal operand read as zero
        EXPECT_EQ(gSmall * 0.5f, 0.0f);     // subnormal result flushed
    }
    const unsigned after = _mm_getcsr();
    _mm_setcsr(original);
    EXPECT_EQ(after, callers);
    EXPECT_NE(gSubnormal * 1.0f, 0.0f);
    EXPECT_NE(gSmall * 0.5f, 0.0f);
}
