// The compressor as the plain frame-by-frame loop it is defined as, on the C library's log10 and exp: what
// the engine's kernels must agree with up to the rounding of their own polynomials. The coefficients come
// from the engine's set-up code: a release coefficient one step away from the engine's would, at 192 kHz,
// move a long release by far more than the kernels' rounding, so it is set-up tests that check them.
#pragma once

#include "BlockSettings.h"
#include "EnvelopeCoefs.h"
#include "PinkNoise.h"
#include "SidechainFilter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

class ReferenceCompressor
{
public:
    ReferenceCompressor(const ParameterValues& values, double rate, std::uint32_t noiseSeed)
        : block(blockSettingsFrom(values)), noise(noiseSeed)
    {
        attackCoef = attackCoefficient(values[kAttack], rate);
        releaseCoef = releaseCoefficient(values[kRelease], rate);
        const SidechainDesign design = designSidechain(block.scMode, rate);
        low = design.lowShelf;
        high = design.highShelf;
    }

    /// One frame; finite input only.
    void process(double xL, double xR, double& yL, double& yR)
    {
        double dL = xL;
        double dR = xR;
        if (block.scMode != 0)
        {
            dL = filter(high, states[1], filter(low, states[0], dL));
            dR = filter(high, states[3], filter(low, states[2], dR));
        }
        const double level = 20.0 * std::log10(std::max(std::abs(dL), std::abs(dR)) + 1e-25);
        double over = level - block.threshold;
        if (block.push != 0) over += block.pushDepth * static_cast<double>(noise.next());
        double target = level + block.slope * over;
        if (over <= -block.halfKnee)
            target = level;
        else if (over < block.halfKnee)
            target = level + block.slope * (over + block.halfKnee) * (over + block.halfKnee) /
                                 (2.0 * block.kneeWidth);
        const double wanted = (target - level) + 1e-25;
        const double k = wanted > envelope ? attackCoef : releaseCoef;
        envelope = (1.0 - k) * wanted + k * envelope;
        const double g = std::exp((block.makeupDb - (envelope - 1e-25)) * 0.11512925464970228);
        yL = g * xL * block.wet + xL * block.dry;
        yR = g * xR * block.wet + xR * block.dry;
    }

private:
    static double filter(const BiquadCoefs& c, BiquadState& s, double x)
    {
        const double y = c.b0 * x + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2;
        s = {x, s.x1, y, s.y1};
        return y;
    }

    BlockSettings block;
    PinkNoise noise;
    double attackCoef;
    double releaseCoef;
    double envelope = 1e-25;
    BiquadCoefs low;
    BiquadCoefs high;
    BiquadState states[4]; // low left, high left, low right, high right
};
