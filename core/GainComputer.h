// The static gain curve with its soft knee, as the reduction it asks for in decibels, on any lane type
// (see LaneMath.h).
#pragma once

namespace qm07
{
/// Reduction (dB) for a level whose overshoot over the threshold is `over`: none up to the knee, the
/// share `slope` of the overshoot above it, and a parabola across a knee of width W centred on the
/// threshold (H = W / 2, kneeScale = slope / (2·W)). Needs W > 0.
template <class Real>
[[gnu::always_inline]] inline Real softKneeReduction(Real over, Real slope, Real halfKnee, Real kneeScale)
{
    const Real intoKnee = over + halfKnee;
    const Real knee = intoKnee * intoKnee * kneeScale;
    return select(over <= Real(0.0) - halfKnee, Real(0.0), select(over < halfKnee, knee, slope * over));
}

/// The same curve with W = 0.
template <class Real> [[gnu::always_inline]] inline Real hardKneeReduction(Real over, Real slope)
{
    return slope * max(over, Real(0.0));
}
} // namespace qm07
