// Fixed corner frequencies and shelf amplitudes of the two side-chain modes.
#include "SidechainFilter.h"

#include <algorithm>
#include <cmath>

namespace
{
struct ShelfCorner
{
    double omega; // rad/s
    double q;
};

struct ModeCorners
{
    ShelfCorner low;
    ShelfCorner high;
};

constexpr ModeCorners kModeA{{251.32741228718345, 0.98}, {26389.37829015426, 1.42}};
constexpr ModeCorners kModeB{{527.7875658030853, 0.74}, {16336.281798666923, 0.74}};

const double kLowShelfAmplitude = std::exp(-0.805904782547916);  // −14 dB shelf
const double kHighShelfAmplitude = std::exp(0.6907755278982137); // +12 dB shelf
constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxW = 0.9 * kPi;

BiquadCoefs designShelf(bool high, const ShelfCorner& corner, double sampleRate)
{
    const double w = std::min(corner.omega / sampleRate, kMaxW);
    const double cosW = std::cos(w);
    const double sinWOverQ = std::sin(w) / corner.q;
    return normalize(high ? designHighShelf(kHighShelfAmplitude, cosW, sinWOverQ)
                          : designLowShelf(kLowShelfAmplitude, cosW, sinWOverQ));
}
} // namespace

SidechainDesign designSidechain(int mode, double sampleRate)
{
    const ModeCorners& corners = mode == 2 ? kModeB : kModeA;
    return {designShelf(false, corners.low, sampleRate), designShelf(true, corners.high, sampleRate)};
}

void SidechainFilter::update(int mode, double sampleRate)
{
    if ((mode != 1 && mode != 2) || !(sampleRate > 0.0) || !std::isfinite(sampleRate)) return;
    const SidechainDesign design = designSidechain(mode, sampleRate);
    scLowL.setCoefs(design.lowShelf);
    scHighL.setCoefs(design.highShelf);
    scLowR.setCoefs(design.lowShelf);
    scHighR.setCoefs(design.highShelf);
}

void SidechainFilter::resetState()
{
    scLowL.resetState();
    scHighL.resetState();
    scLowR.resetState();
    scHighR.resetState();
}

const Biquad& SidechainFilter::section(Section which) const
{
    switch (which)
    {
    case kLowLeft:
        return scLowL;
    case kHighLeft:
        return scHighL;
    case kLowRight:
        return scLowR;
    case kHighRight:
        break;
    }
    return scHighR;
}
