// The detector's side-chain filter: a low shelf then a high shelf per channel, in two fixed designs.
#pragma once

#include "Biquad.h"
#include "EngineKernels.h"

/// Normalized coefficients of one channel's cascade.
struct SidechainDesign
{
    BiquadCoefs lowShelf;
    BiquadCoefs highShelf;
};

/// Design of mode 1 (A) or 2 (B) at sampleRate. Corners are held below 0.45 · sampleRate, since a shelf
/// designed above Nyquist has its poles outside the unit circle.
SidechainDesign designSidechain(int mode, double sampleRate);

/// Four sections, low and high shelf per channel; both channels share one design. The engine's kernels
/// run both channels side by side, so the states are kept in channel pairs.
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

    /// Audio thread (the engine's block set-up), never allocates: installs the design of mode 1 or 2; mode 0
    /// and unusable sample rates leave the coefficients as they are. States are never touched.
    void update(int mode, double sampleRate);

    /// Audio thread, never allocates: the coefficients as they stand, paired by channel.
    qm07::SidechainCoefs currentCoefs() const;
    /// Audio thread only: the states the kernels advance.
    qm07::SidechainState& states() { return state; }

    /// For inspection while not processing.
    BiquadCoefs coefs(Section which) const;
    BiquadState sectionState(Section which) const;

private:
    BiquadCoefs lowShelf;
    BiquadCoefs highShelf;
    qm07::SidechainState state{};
};
