// One second-order filter section in direct form I, and the two shelving designs it is built from.
#pragma once

#include <atomic>

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

class Biquad
{
public:
    /// Any thread, never allocates. Coefficients are swapped one at a time while the audio thread may
    /// be filtering, which is why each is an atomic; the state is left alone.
    void setCoefs(const BiquadCoefs& coefs);
    BiquadCoefs coefs() const;

    /// Audio thread, never allocates: filters one sample and advances the state.
    double process(double x)
    {
        constexpr auto relaxed = std::memory_order_relaxed;
        const double y = b0.load(relaxed) * x + b1.load(relaxed) * state.x1 + b2.load(relaxed) * state.x2 -
                         a1.load(relaxed) * state.y1 - a2.load(relaxed) * state.y2;
        state.x2 = state.x1;
        state.x1 = x;
        state.y2 = state.y1;
        state.y1 = y;
        return y;
    }

    /// Audio thread only, like process().
    void resetState() { state = BiquadState{}; }
    const BiquadState& currentState() const { return state; }

private:
    std::atomic<double> a0{0.0};
    std::atomic<double> a1{0.0};
    std::atomic<double> a2{0.0};
    std::atomic<double> b0{0.0};
    std::atomic<double> b1{0.0};
    std::atomic<double> b2{0.0};
    BiquadState state;
};
