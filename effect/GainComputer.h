// The static gain curve with its soft knee, in decibels.
#pragma once

/// Target level B (dB) for detector level L, whose overshoot over the threshold is `over`, with slope s
/// (fraction of the overshoot removed) and a knee of width W centred on the threshold (H = W / 2).
/// With W = 0 the knee branch is unreachable, so nothing divides by zero.
inline double staticCurve(double level, double over, double slope, double halfKnee, double kneeWidth)
{
    if (over <= -halfKnee) return level;
    if (over < halfKnee)
    {
        const double intoKnee = over + halfKnee;
        return level + slope * intoKnee * intoKnee / (2.0 * kneeWidth);
    }
    return level + slope * over;
}
