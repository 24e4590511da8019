// Scoped flush-to-zero / denormals-are-zero for the length of a process call.
#pragma once

#include <xmmintrin.h>

/// Subnormal operands cost the SSE unit hundreds of cycles each; decaying filter and envelope states
/// would otherwise reach them in every quiet passage. The caller's MXCSR is restored on exit.
class DenormalGuard
{
public:
    DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~DenormalGuard() { _mm_setcsr(saved); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved;
};
