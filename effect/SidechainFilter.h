// The detector's side-chain filter: a low shelf then a high shelf per channel, in two fixed designs.
#pragma once

#include "Biquad.h"

/// Normalized coefficients of one channel's cascade.
struct SidechainDesign
{
    BiquadCoefs lowShelf;
    BiquadCoefs highShelf;
};

/// Design of mode 1 (A) or 2 (B) at sampleRate. Corners are held below 0.45 · sampleRate, since a shelf
/// designed above Nyquist has its poles outside the unit circle.
SidechainDesign designSidechain(int mode, double sampleRate);

class SidechainFilter
{
public:
    enum Section
    {
        kLowLeft,
        kHighLeft,
        kLowRight,
        kHighRight,
    };

    /// Dispatcher or editor thread, never allocates: installs the design of mode 1 or 2; mode 0 and
    /// unusable sample rates leave the coefficients as they are. States are never touched.
    void update(int mode, double sampleRate);

    /// Audio thread, never allocates: one detector sample per channel.
    void process(double xL, double xR, double& dL, double& dR)
    {
        dL = scHighL.process(scLowL.process(xL));
        dR = scHighR.process(scLowR.process(xR));
    }

    /// Audio thread: back to silence, after a non-finite value got into the states.
    void resetState();

    const Biquad& section(Section which) const;

private:
    Biquad scLowL;
    Biquad scHighL;
    Biquad scLowR;
    Biquad scHighR;
};
