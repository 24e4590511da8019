// The static gain curve with its soft knee, in decibels, on any lane type (see LaneMath.h).
#pragma once

namespace qm07
{
/// Target level B (dB) for detector level L, whose overshoot over the threshold is `over`, with slope s
/// (fraction of the overshoot removed) and a knee of width W centred on the threshold (H = W / 2).
/// With W = 0 the knee's value is never chosen, so its division by zero does no harm.
template <class Real>
[[gnu::always_inline]] inline Real staticCurve(Real level, Real over, Real slope, Real halfKnee,
                                               Real kneeWidth)
{
    const Real intoKnee = over + halfKnee;
    const Real knee = level + slope * intoKnee * intoKnee / (Real(2.0) * kneeWidth);
    const Real above = level + slope * over;
    return select(over <= Real(0.0) - halfKnee, level, select(over < halfKnee, knee, above));
}

/// The same curve with W = 0, without computing the knee that cannot be chosen.
template <class Real> [[gnu::always_inline]] inline Real hardKneeCurve(Real level, Real over, Real slope)
{
    return select(over <= Real(0.0), level, level + slope * over);
}
} // namespace qm07
