// One second-order filter section: its coefficients, its state, and the two shelving designs.
#pragma once

/// Coefficients of one section. Once normalized, a1, a2, b0, b1 and b2 are divided by a0; a0 keeps its
/// designed value.
struct BiquadCoefs
{
    double a0 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double b0 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
};

/// The previous two inputs and outputs of a section.
struct BiquadState
{
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;

    bool operator==(const BiquadState& other) const
    {
        return x1 == other.x1 && x2 == other.x2 && y1 == other.y1 && y2 == other.y2;
    }
    bool operator!=(const BiquadState& other) const { return !(*this == other); }
};

/// Low shelf of amplitude a (gain a² at 0 Hz, 1 at Nyquist); not normalized.
BiquadCoefs designLowShelf(double a, double cosW, double sinWOverQ);
/// High shelf of amplitude a (gain 1 at 0 Hz, a² at Nyquist); not normalized.
BiquadCoefs designHighShelf(double a, double cosW, double sinWOverQ);
BiquadCoefs normalize(const BiquadCoefs& designed);
