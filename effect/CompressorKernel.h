// One chunk of the compressor, written once over lane types and compiled once per instruction set:
// detector levels and gains across frames, the side-chain filter and the envelope frame by frame.
#pragma once

#include "EngineKernels.h"
#include "GainComputer.h"
#include "LaneMath.h"

#include <cfloat>

// Only templates (see LaneMath.h): each instruction set's file instantiates them with its own lane types.
// Real is the widest lane type; Pair has two lanes and carries the side-chain filter (left and right side
// by side) and the envelope.
namespace qm07::kernel
{
/// Added before every logarithm and carried in the envelope, so silence reads −500 dB rather than −inf.
constexpr double kOffset = 1e-25;
constexpr double kDbToNepers = 0.11512925464970228; // ln(10) / 20
constexpr double kNaN = __builtin_nan("");

/// count ≤ width frames from p, zeros after them.
template <class Real, typename Sample>
[[gnu::always_inline]] inline Real loadFrames(const Sample* p, int count)
{
    if (count == Real::kWidth) return Real::load(p);
    Sample padded[Real::kWidth] = {};
    for (int i = 0; i < count; ++i)
        padded[i] = p[i];
    return Real::load(padded);
}

template <class Real, typename Sample>
[[gnu::always_inline]] inline void storeFrames(Real x, Sample* p, int count)
{
    if (count == Real::kWidth) return x.store(p);
    Sample padded[Real::kWidth];
    x.store(padded);
    for (int i = 0; i < count; ++i)
        p[i] = padded[i];
}

/// One shelf of both channels, its state held in registers while a chunk runs (direct form I).
template <class Pair> struct ShelfRun
{
    Pair x1, x2, y1, y2;

    explicit ShelfRun(const ShelfPairState& s)
        : x1(Pair::load(s.x1)), x2(Pair::load(s.x2)), y1(Pair::load(s.y1)), y2(Pair::load(s.y2))
    {
    }
    void save(ShelfPairState& s) const
    {
        x1.store(s.x1);
        x2.store(s.x2);
        y1.store(s.y1);
        y2.store(s.y2);
    }
    void reset() { x1 = x2 = y1 = y2 = Pair(0.0); }

    Pair step(const ShelfPairCoefs& c, Pair x)
    {
        const Pair y = Pair::load(c.b0) * x + Pair::load(c.b1) * x1 + Pair::load(c.b2) * x2 -
                       Pair::load(c.a1) * y1 - Pair::load(c.a2) * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

/// The side-chain cascade of both channels. A frame whose detector signal is not finite restarts both
/// shelves from silence, so nothing non-finite stays in their states.
template <class Pair> struct SidechainRun
{
    ShelfRun<Pair> low, high;

    explicit SidechainRun(const SidechainState& s) : low(s.low), high(s.high) {}
    void save(SidechainState& s) const
    {
        low.save(s.low);
        high.save(s.high);
    }

    /// Runs without looking, then checks all frames at once; only a run that met a non-finite value
    /// is repeated frame by frame.
    template <typename Sample>
    void filter(const SidechainCoefs& c, const Sample* inL, const Sample* inR, double* outL, double* outR,
                int count)
    {
        // Local copies: the vector types may alias doubles, so states left in this object would go
        // through memory after every store of an output.
        ShelfRun<Pair> lowRun = low;
        ShelfRun<Pair> highRun = high;
        for (int n = 0; n < count; ++n)
            highRun.step(c.high, lowRun.step(c.low, Pair::pair(inL[n], inR[n])))
                .storeLanes(outL + n, outR + n);
        bool finite = true;
        for (int n = 0; n + 1 < count; n += 2)
            finite = finite && allFinite(Pair::load(outL + n) + Pair::load(outR + n));
        if (count % 2 != 0) finite = finite && allFinite(Pair(outL[count - 1] + outR[count - 1]));
        if (finite)
        {
            low = lowRun;
            high = highRun;
            return;
        }
        for (int n = 0; n < count; ++n)
        {
            high.step(c.high, low.step(c.low, Pair::pair(inL[n], inR[n]))).storeLanes(outL + n, outR + n);
            const double sum = outL[n] + outR[n];
            if (!(sum - sum == 0.0))
            {
                low.reset();
                high.reset();
            }
        }
    }
};

/// Stereo-linked peak level in dB; NaN marks a frame whose detector signal was not finite (max() alone
/// would let a NaN on one side pass unseen).
template <class Real> [[gnu::always_inline]] inline Real detectorLevel(Real dL, Real dR)
{
    const Real level = decibels(max(abs(dL), abs(dR)) + Real(kOffset));
    return select(abs(dL + dR) <= Real(DBL_MAX), level, Real(kNaN));
}

/// A group's wanted reductions G and their shares (1 − k)·G for attack and release.
template <class Real> struct Wanted
{
    Real target;
    Real attackShare;
    Real releaseShare;
};

/// Levels to wanted reductions for count frames of the detector signals (the inputs, or the side-chain
/// filter's outputs), across frames.
template <class Real, typename Detector>
[[gnu::always_inline]] inline Wanted<Real> measureGroup(const ChunkConstants& c, const Detector* detectorL,
                                                        const Detector* detectorR, const float* noise,
                                                        int count)
{
    const Real level = detectorLevel(loadFrames<Real>(detectorL, count), loadFrames<Real>(detectorR, count));
    Real over = level - Real(c.threshold);
    if (c.pushOn) over = over + Real(c.pushDepth) * loadFrames<Real>(noise, count);
    const Real target = c.kneeWidth > 0.0
                            ? staticCurve(level, over, Real(c.slope), Real(c.halfKnee), Real(c.kneeWidth))
                            : hardKneeCurve(level, over, Real(c.slope));
    const Real g = (target - level) + Real(kOffset);
    return {g, Real(1.0 - c.attackCoef) * g, Real(1.0 - c.releaseCoef) * g};
}

/// One frame of the envelope, without a branch on the direction (it changes too often to predict):
/// k = attack coefficient while the wanted reduction G exceeds the envelope, release otherwise, and
/// envelope = (1 − k)·G + k·envelope. The frame's values are in the pairs' first lanes.
template <class Pair>
[[gnu::always_inline]] inline Pair envelopeStep(const ChunkConstants& c, Pair env, Pair target,
                                                Pair attackShare, Pair releaseShare)
{
    const Pair attack = attackShare + Pair(c.attackCoef) * env;
    const Pair release = releaseShare + Pair(c.releaseCoef) * env;
    return select(target > env, attack, release);
}

/// The envelope over the count frames of a group; returns the reductions in force. Values move between
/// the group's vectors and the frame-by-frame chain through registers, never through memory (a load of
/// values just stored would wait for the stores to complete). A whole group is checked at once; only a
/// group in which the envelope became non-finite runs again frame by frame, restarting from rest where
/// that happens.
template <class Real, class Pair>
[[gnu::always_inline]] inline Real followEnvelope(const ChunkConstants& c, const Wanted<Real>& w, Pair& env,
                                                  int count)
{
    constexpr int kWidth = Real::kWidth;
    Pair target[kWidth], attack[kWidth], release[kWidth];
    w.target.toPairs(target);
    w.attackShare.toPairs(attack);
    w.releaseShare.toPairs(release);
    const Pair start = env;
    if (count == kWidth)
    {
        Pair pairs[kWidth / 2];
        _Pragma("GCC unroll 8") for (int p = 0; p < kWidth / 2; ++p)
        {
            const Pair first = env = envelopeStep(c, env, target[2 * p], attack[2 * p], release[2 * p]);
            env = envelopeStep(c, env, target[2 * p + 1], attack[2 * p + 1], release[2 * p + 1]);
            pairs[p] = Pair::firstLanes(first, env);
        }
        const Real result = Real::fromPairs(pairs);
        if (allFinite(result)) return result - Real(kOffset);
        env = start;
    }
    double inForce[kWidth] = {};
    for (int n = 0; n < count; ++n)
    {
        env = envelopeStep(c, env, target[n], attack[n], release[n]);
        const double e = env.first();
        if (!(e - e == 0.0)) env = Pair(kOffset);
        inForce[n] = env.first();
    }
    return Real::load(inForce) - Real(kOffset);
}

/// The gain from the reductions in force, make-up and dry mix, for the count frames of a group.
template <class Real, typename Sample>
[[gnu::always_inline]] inline void applyGain(const ChunkConstants& c, const Chunk<Sample>& io, Real reduction,
                                             int start, int count)
{
    storeFrames(reduction, io.reductions + start, count);
    const Real xL = loadFrames<Real>(io.inL + start, count);
    const Real xR = loadFrames<Real>(io.inR + start, count);
    const Real gain = exponential((Real(c.makeupDb) - reduction) * Real(kDbToNepers));
    storeFrames(gain * xL * Real(c.wet) + xL * Real(c.dry), io.outL + start, count);
    storeFrames(gain * xR * Real(c.wet) + xR * Real(c.dry), io.outR + start, count);
}

/// One chunk in groups of Real::kWidth frames, as a software pipeline: while the envelope runs through
/// group g frame by frame, the levels of group g + 2 and the gain of group g − 1 are computed across
/// frames. Neither waits for the envelope's chain of dependent steps, so the CPU overlaps them with it.
/// Input and output channels may be the same memory: a group's inputs are read before its outputs are
/// written, and outputs never reach a group whose inputs are still to be read.
template <class Real, class Pair, typename Sample, typename Detector>
void runChunk(const ChunkConstants& constants, const Chunk<Sample>& io, const Detector* detectorL,
              const Detector* detectorR, double& envelope)
{
    constexpr int kWidth = Real::kWidth;
    // A copy of its own: the outputs are doubles the compiler would otherwise fear to be the constants.
    const ChunkConstants c = constants;
    const int groups = (io.frames + kWidth - 1) / kWidth;
    const auto framesIn = [&](int g)
    {
        const int left = io.frames - g * kWidth;
        return left < kWidth ? left : kWidth;
    };
    Pair env(envelope);
    Wanted<Real> soon = measureGroup<Real>(c, detectorL, detectorR, io.noise, framesIn(0));
    Wanted<Real> later = soon;
    if (groups > 1)
        later = measureGroup<Real>(c, detectorL + kWidth, detectorR + kWidth, io.noise + kWidth, framesIn(1));
    Real finished(0.0);
    for (int g = 0; g <= groups; ++g)
    {
        Real reduction(0.0);
        if (g < groups) reduction = followEnvelope(c, soon, env, framesIn(g));
        soon = later;
        if (g + 2 < groups)
        {
            const int ahead = (g + 2) * kWidth;
            later = measureGroup<Real>(c, detectorL + ahead, detectorR + ahead, io.noise + ahead,
                                       framesIn(g + 2));
        }
        if (g > 0) applyGain(c, io, finished, (g - 1) * kWidth, framesIn(g - 1));
        finished = reduction;
    }
    envelope = env.first();
}

/// The side-chain filter of count frames, its states in registers meanwhile.
template <class Pair, typename Sample>
void filterSidechain(const SidechainCoefs& c, SidechainState& state, const Sample* inL, const Sample* inR,
                     double* outL, double* outR, int count)
{
    SidechainRun<Pair> run(state);
    run.filter(c, inL, inR, outL, outR, count);
    run.save(state);
}

/// The side-chain filter, a chain of dependent steps of its own, runs over the chunk first.
template <class Real, class Pair, typename Sample>
void processChunk(const ChunkConstants& c, const Chunk<Sample>& io, double& envelope, SidechainState& state)
{
    if (!c.sidechainOn) return runChunk<Real, Pair>(c, io, io.inL, io.inR, envelope);
    double detectorL[kChunkFrames];
    double detectorR[kChunkFrames];
    filterSidechain<Pair>(c.sidechain, state, io.inL, io.inR, detectorL, detectorR, io.frames);
    runChunk<Real, Pair>(c, io, detectorL, detectorR, envelope);
}

template <class Real> void decibelsOf(const double* x, double* y, int count)
{
    for (int start = 0; start < count; start += Real::kWidth)
    {
        const int n = count - start < Real::kWidth ? count - start : Real::kWidth;
        storeFrames(decibels(loadFrames<Real>(x + start, n)), y + start, n);
    }
}

template <class Real> void exponentialOf(const double* x, double* y, int count)
{
    for (int start = 0; start < count; start += Real::kWidth)
    {
        const int n = count - start < Real::kWidth ? count - start : Real::kWidth;
        storeFrames(exponential(loadFrames<Real>(x + start, n)), y + start, n);
    }
}

/// The table of one instruction set, from its lane types.
template <class Real, class Pair> constexpr EngineKernels kernelsFor(const char* name)
{
    return {name,
            processChunk<Real, Pair, float>,
            processChunk<Real, Pair, double>,
            filterSidechain<Pair, double>,
            decibelsOf<Real>,
            exponentialOf<Real>};
}
} // namespace qm07::kernel
