// Fixed corner frequencies and shelf amplitudes of the two side-chain modes.
#include "SidechainFilter.h"

#include "EngineMath.h"

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

const double kLowShelfAmplitude = qm07::exponential(-0.805904782547916);  // −14 dB shelf
const double kHighShelfAmplitude = qm07::exponential(0.6907755278982137); // +12 dB shelf
constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxW = 0.9 * kPi;

BiquadCoefs designShelf(bool high, const ShelfCorner& corner, double sampleRate)
{
    const double w = std::min(corner.omega / sampleRate, kMaxW);
    const double cosW = qm07::cosine(w);
    const double sinWOverQ = qm07::sine(w) / corner.q;
    return normalize(high ? designHighShelf(kHighShelfAmplitude, cosW, sinWOverQ)
                          : designLowShelf(kLowShelfAmplitude, cosW, sinWOverQ));
}

void pairUp(const BiquadCoefs& left, const BiquadCoefs& right, qm07::ShelfPairCoefs& pair)
{
    pair.b0[0] = left.b0;
    pair.b0[1] = right.b0;
    pair.b1[0] = left.b1;
    pair.b1[1] = right.b1;
    pair.b2[0] = left.b2;
    pair.b2[1] = right.b2;
    pair.a1[0] = left.a1;
    pair.a1[1] = right.a1;
    pair.a2[0] = left.a2;
    pair.a2[1] = right.a2;
}

BiquadState channelOf(const qm07::ShelfPairState& pair, int channel)
{
    return {pair.x1[channel], pair.x2[channel], pair.y1[channel], pair.y2[channel]};
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
    lowShelf = design.lowShelf;
    highShelf = design.highShelf;
}

qm07::SidechainCoefs SidechainFilter::currentCoefs() const
{
    qm07::SidechainCoefs c;
    pairUp(lowShelf, lowShelf, c.low);
    pairUp(highShelf, highShelf, c.high);
    return c;
}

BiquadCoefs SidechainFilter::coefs(Section which) const
{
    return which == kLowLeft || which == kLowRight ? lowShelf : highShelf;
}

BiquadState SidechainFilter::sectionState(Section which) const
{
    const int channel = which == kLowLeft || which == kHighLeft ? 0 : 1;
    return channelOf(which == kLowLeft || which == kLowRight ? state.low : state.high, channel);
}
