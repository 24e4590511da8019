// One chunk of the compressor, written once over lane types and compiled once per instruction set:
// levels, curve and gain across frames; the side-chain filter and the envelope frame by frame.
#pragma once

#include "EngineKernels.h"
#include "GainComputer.h"
#include "LaneMath.h"
#include "PinkNoise.h"

#include <cfloat>
#include <type_traits>

// Only templates (see LaneMath.h): each instruction set's file instantiates them with its own lane types.
// Real is the widest lane type; Pair has two lanes and carries the side-chain filter, left and right side
// by side.
namespace qm07::kernel
{
constexpr double kDbToNepers = 0.11512925464970228; // ln(10) / 20
constexpr double kNaN = __builtin_nan("");
/// While every input stays below this, every value of a chunk stays finite, the side-chain filter's
/// included (its gain is far below 2^20). Larger, infinite or NaN inputs take the careful way.
constexpr double kTameInput = 0x1p1000;
/// Chunks up to this many frames run their stages one after another (runShortChunk): measured faster there.
constexpr int kShortChunk = 48;

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

/// What measuring hands on to the envelope, frame by frame: it stores whole groups, the envelope loads
/// single frames, which the CPU forwards from the stores without waiting.
struct Shares
{
    double attack[kChunkFrames]; // (1 − attack coefficient) · wanted reduction
    double release[kChunkFrames];
    double wanted[kChunkFrames]; // the careful way only
};

/// A shelf's coefficients in lanes.
template <class Lanes> struct ShelfTerms
{
    Lanes b0, b1, b2, a1, a2;
};

template <class Pair> ShelfTerms<Pair> termsOf(const ShelfPairCoefs& c)
{
    return {Pair::load(c.b0), Pair::load(c.b1), Pair::load(c.b2), Pair::load(c.a1), Pair::load(c.a2)};
}

/// One shelf of both channels (or, in four lanes, of both shelves), its state held in registers while a
/// chunk runs (direct form I).
template <class Pair> struct ShelfRun
{
    Pair x1, x2, y1, y2;

    ShelfRun(Pair x1Now, Pair x2Now, Pair y1Now, Pair y2Now) : x1(x1Now), x2(x2Now), y1(y1Now), y2(y2Now) {}
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

    /// The previous output's term last: it alone is on the chain from one frame to the next. The input's
    /// term just before it, so that a cascade (see filterSidechainSkewed) waits little for its input.
    [[gnu::always_inline]] Pair step(const ShelfTerms<Pair>& c, Pair x)
    {
        const Pair y = ((c.b1 * x1 + c.b2 * x2 - c.a2 * y2) + c.b0 * x) - c.a1 * y1;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

/// The side-chain cascade of both channels. The careful way restarts both shelves from silence at a frame
/// whose output is not finite, so nothing non-finite stays in their states.
template <class Pair> struct SidechainRun
{
    ShelfRun<Pair> low, high;

    explicit SidechainRun(const SidechainState& s) : low(s.low), high(s.high) {}
    void save(SidechainState& s) const
    {
        low.save(s.low);
        high.save(s.high);
    }

    /// One frame of both channels.
    template <bool kCareful>
    [[gnu::always_inline]] Pair filter(const ShelfTerms<Pair>& lowTerms, const ShelfTerms<Pair>& highTerms,
                                       Pair x)
    {
        const Pair y = high.step(highTerms, low.step(lowTerms, x));
        if (kCareful && !allFinite(y))
        {
            low.reset();
            high.reset();
        }
        return y;
    }
};

/// A group between the two halves of measuring.
template <class Real> struct Measuring
{
    DecibelsHalfway<Real> level;
    Real magnitudes; // |left| + |right|: not finite where the frame is not
};

/// The first half of measuring a group: the detector signals (the side-chain filter's outputs, or the
/// inputs) to the halfway point of their peak level.
template <class Real>
[[gnu::always_inline]] inline Measuring<Real> startMeasuring(Real detectorL, Real detectorR)
{
    const Real magnitudeL = abs(detectorL);
    const Real magnitudeR = abs(detectorR);
    // No offset against silence here: the logarithm of 0 comes out far below any threshold all the same,
    // and so does every level the offset would change.
    return {startDecibels(max(magnitudeL, magnitudeR)), magnitudeL + magnitudeR};
}

/// The second half: levels to the wanted reductions and their attack and release shares, stored for the
/// envelope.
template <class Real, bool kCareful>
[[gnu::always_inline]] inline void finishMeasuring(const ChunkConstants& c, const Measuring<Real>& m,
                                                   const float* noise, Shares& s, int start, int count)
{
    Real over = finishDecibels(m.level) - Real(c.threshold);
    if (c.pushOn) over = over + Real(c.pushDepth) * loadFrames<Real>(noise + start, count);
    Real wanted =
        (c.kneeWidth > 0.0 ? softKneeReduction(over, Real(c.slope), Real(c.halfKnee), Real(c.kneeScale))
                           : hardKneeReduction(over, Real(c.slope))) +
        Real(kEnvelopeOffset);
    if constexpr (kCareful)
    {
        // A frame that is not finite (max() alone would let a NaN on one side pass unseen) restarts the
        // envelope.
        wanted = select(m.magnitudes <= Real(DBL_MAX), wanted, Real(kNaN));
        storeFrames(wanted, s.wanted + start, count);
    }
    storeFrames(Real(c.attackGain) * wanted, s.attack + start, count);
    storeFrames(Real(c.releaseGain) * wanted, s.release + start, count);
}

/// The envelope through the count frames of a group, a few frames at a time: k = attack coefficient while
/// the wanted reduction G exceeds the envelope, release otherwise, and envelope = (1 − k)·G + k·envelope.
/// Both candidates lie on the same side of G as the envelope, so with attack no slower than release the
/// larger candidate is the one the rule picks: a maximum, with no comparison on the chain of dependent
/// steps. The careful way compares, whatever the coefficients, and restarts from rest where the envelope
/// stops being finite.
template <class Real, bool kCareful> struct EnvelopeRun
{
    const ChunkConstants& c;
    const Shares& s;
    double& e;
    int start;
    int count;
    double lanes[Real::kWidth] = {};
    int done = 0;

    /// Frames up to the share `part` of four of the group.
    [[gnu::always_inline]] void runTo(int part)
    {
        const int until = (part * Real::kWidth + 3) / 4;
#pragma GCC unroll 4
        for (; done < until; ++done)
        {
            if (done >= count) return;
            const double attack = s.attack[start + done] + c.attackCoef * e;
            const double release = s.release[start + done] + c.releaseCoef * e;
            if constexpr (kCareful)
            {
                e = s.wanted[start + done] > e ? attack : release;
                if (!(e - e == 0.0)) e = kEnvelopeOffset;
            }
            else
                e = attack > release ? attack : release;
            lanes[done] = e;
        }
    }
    /// The group's values as lanes, put together in registers: loading them from single stores would wait.
    Real values() const
    {
        return Real::fromLanes(lanes);
    }
};

/// The first half of the gain: the envelope (and the meter's reading) to the halfway point of the
/// exponential.
template <class Real, typename Sample>
[[gnu::always_inline]] inline ExponentialHalfway<Real>
startGain(const ChunkConstants& c, const Chunk<Sample>& io, Real envelope, int start, int count)
{
    if (io.reductions) storeFrames(envelope - Real(kEnvelopeOffset), io.reductions + start, count);
    return startExponential((Real(c.makeupAtRest) - envelope) * Real(kDbToNepers));
}

/// The second half: the gain with make-up and dry mix applied to count frames.
template <class Real, typename Sample>
[[gnu::always_inline]] inline void finishGain(const ChunkConstants& c, const Chunk<Sample>& io,
                                              const ExponentialHalfway<Real>& h, int start, int count)
{
    Real share = finishExponential(h);
    if (c.dry != 0.0) share = share * Real(c.wet) + Real(c.dry);
    storeFrames(loadFrames<Real>(io.inL + start, count) * share, io.outL + start, count);
    storeFrames(loadFrames<Real>(io.inR + start, count) * share, io.outR + start, count);
}

/// One chunk in groups of Real::kWidth frames, as a software pipeline. While the envelope runs through
/// group g frame by frame, group g + 3 goes through the first half of measuring (and has its Push noise
/// drawn), g + 2 through the second half, g − 1 through the first half of the gain and g − 2 through the
/// second. The side-chain filter has run over the whole chunk before.
/// Each half is a chain of dependent steps about as long as the envelope's through one group, and finds
/// its inputs ready from the step before: the CPU keeps all of them in flight without filling up with
/// operations that wait.
/// Input and output channels may be the same memory: a group's outputs are written after the inputs of
/// every group up to five ahead have been read.
template <class Real, bool kCareful, typename Sample, typename Detector>
void runChunk(const ChunkConstants& constants, const Chunk<Sample>& io, const Detector* detectorL,
              const Detector* detectorR, double& envelope)
{
    constexpr int kWidth = Real::kWidth;
    // A copy of its own: the outputs are doubles the compiler would otherwise fear to be the constants.
    const ChunkConstants c = constants;
    const int groups = (io.frames + kWidth - 1) / kWidth;
    const int lastCount = io.frames - (groups - 1) * kWidth;
    Shares s;
    // A copy of its own, so that its state stays in registers: the noise values are floats as some of its
    // members are.
    PinkNoise noise = c.pushOn ? *io.pushNoise : PinkNoise();
    double env = envelope;
    Measuring<Real> measuring{};
    Real followed(0.0);
    ExponentialHalfway<Real> gaining{};
    // Step g runs the envelope through group g and the other stages through the groups around it; groups
    // outside the chunk are skipped. In the steady state every group is whole and inside, and the
    // compiler knows it.
    const auto step = [&](int g, auto steady, double& e) __attribute__((always_inline))
    {
        constexpr bool kSteady = decltype(steady)::value;
        const auto inside = [&](int group) { return kSteady || (group >= 0 && group < groups); };
        const auto framesIn = [&](int group) { return kSteady || group + 1 < groups ? kWidth : lastCount; };
        // The frames of the envelope go in between the other stages, so that the CPU finds work beside
        // their chain among the operations it has taken in.
        EnvelopeRun<Real, kCareful> envelopeRun{c, s, e, g * kWidth, inside(g) ? framesIn(g) : 0};
        envelopeRun.runTo(1);
        // Push noise for the group measured next step: its generator's chain overlaps the envelope's.
        if (c.pushOn && inside(g + 3))
            for (int n = (g + 3) * kWidth; n < (g + 3) * kWidth + framesIn(g + 3); ++n)
                io.noise[n] = noise.next();
        if (inside(g - 2)) finishGain(c, io, gaining, (g - 2) * kWidth, framesIn(g - 2));
        envelopeRun.runTo(2);
        if (inside(g - 1)) gaining = startGain(c, io, followed, (g - 1) * kWidth, framesIn(g - 1));
        envelopeRun.runTo(3);
        if (inside(g + 2))
            finishMeasuring<Real, kCareful>(c, measuring, io.noise, s, (g + 2) * kWidth, framesIn(g + 2));
        envelopeRun.runTo(4);
        if (inside(g)) followed = envelopeRun.values();
        if (inside(g + 3))
        {
            const int ahead = (g + 3) * kWidth;
            measuring = startMeasuring(loadFrames<Real>(detectorL + ahead, framesIn(g + 3)),
                                       loadFrames<Real>(detectorR + ahead, framesIn(g + 3)));
        }
    };
    int g = -3;
    for (; g < 2 && g < groups + 2; ++g)
        step(g, std::false_type{}, env);
    for (; g + 3 < groups - 1; ++g)
        step(g, std::true_type{}, env);
    for (; g < groups + 2; ++g)
        step(g, std::false_type{}, env);
    envelope = env;
    if (c.pushOn) *io.pushNoise = noise;
}

/// A short chunk with its stages one after another: measuring every group, then the envelope and the gain
/// group by group. The same steps as runChunk's, in the same order for every frame, so the same bits; the
/// pipeline's filling and draining would cost more here than it hides.
template <class Real, bool kCareful, typename Sample, typename Detector>
void runShortChunk(const ChunkConstants& constants, const Chunk<Sample>& io, const Detector* detectorL,
                   const Detector* detectorR, double& envelope)
{
    constexpr int kWidth = Real::kWidth;
    const ChunkConstants c = constants;
    Shares s;
    PinkNoise noise = c.pushOn ? *io.pushNoise : PinkNoise();
    for (int start = 0; start < io.frames; start += kWidth)
    {
        const int count = io.frames - start < kWidth ? io.frames - start : kWidth;
        if (c.pushOn)
            for (int n = start; n < start + count; ++n)
                io.noise[n] = noise.next();
        const Measuring<Real> measuring = startMeasuring(loadFrames<Real>(detectorL + start, count),
                                                         loadFrames<Real>(detectorR + start, count));
        finishMeasuring<Real, kCareful>(c, measuring, io.noise, s, start, count);
    }
    double env = envelope;
    for (int start = 0; start < io.frames; start += kWidth)
    {
        const int count = io.frames - start < kWidth ? io.frames - start : kWidth;
        EnvelopeRun<Real, kCareful> envelopeRun{c, s, env, start, count};
        envelopeRun.runTo(4);
        finishGain(c, io, startGain(c, io, envelopeRun.values(), start, count), start, count);
    }
    envelope = env;
    if (c.pushOn) *io.pushNoise = noise;
}

template <class Real, bool kCareful, typename Sample, typename Detector>
void runChunkOfAnySize(const ChunkConstants& c, const Chunk<Sample>& io, const Detector* detectorL,
                       const Detector* detectorR, double& envelope)
{
    if (io.frames <= kShortChunk)
        runShortChunk<Real, kCareful, Sample, Detector>(c, io, detectorL, detectorR, envelope);
    else
        runChunk<Real, kCareful, Sample, Detector>(c, io, detectorL, detectorR, envelope);
}

/// The side-chain filter over count frames, before the rest of the chunk: a chain of dependent steps
/// that runs best on its own, its states in registers.
template <class Pair, bool kCareful, typename Sample>
void filterSidechain(const SidechainCoefs& c, SidechainState& state, const Sample* inL, const Sample* inR,
                     double* outL, double* outR, int count)
{
    const ShelfTerms<Pair> low = termsOf<Pair>(c.low);
    const ShelfTerms<Pair> high = termsOf<Pair>(c.high);
    SidechainRun<Pair> run(state);
    for (int n = 0; n < count; ++n)
        run.template filter<kCareful>(low, high, Pair::pair(inL[n], inR[n])).storeLanes(outL + n, outR + n);
    run.save(state);
}

/// The same filter with both shelves side by side in four lanes, the high shelf two frames behind the low
/// one (so that each frame's input to it was ready a frame earlier): half the operations, each lane
/// computing exactly what its pair does. The fast way only: the careful one restarts both shelves at once.
template <class Quad, class Pair, typename Sample>
void filterSidechainSkewed(const SidechainCoefs& c, SidechainState& state, const Sample* inL,
                           const Sample* inR, double* outL, double* outR, int count)
{
    if (count < 2) return filterSidechain<Pair, false>(c, state, inL, inR, outL, outR, count);
    const ShelfTerms<Pair> low = termsOf<Pair>(c.low);
    const ShelfTerms<Pair> high = termsOf<Pair>(c.high);
    SidechainRun<Pair> run(state);
    Pair older = run.low.step(low, Pair::pair(inL[0], inR[0]));
    Pair newer = run.low.step(low, Pair::pair(inL[1], inR[1]));
    const auto join = [](Pair a, Pair b) { return Quad::fromHalves(a, b); };
    const ShelfTerms<Quad> both{join(low.b0, high.b0), join(low.b1, high.b1), join(low.b2, high.b2),
                                join(low.a1, high.a1), join(low.a2, high.a2)};
    ShelfRun<Quad> shelves(join(run.low.x1, run.high.x1), join(run.low.x2, run.high.x2),
                           join(run.low.y1, run.high.y1), join(run.low.y2, run.high.y2));
    // Unrolled, so that the states move between frames by renaming rather than copies.
#pragma GCC unroll 4
    for (int n = 2; n < count; ++n)
    {
        const Quad y = shelves.step(both, join(Pair::pair(inL[n], inR[n]), older));
        older = newer;
        newer = y.template lowHalf<Pair>();
        y.template highHalf<Pair>().storeLanes(outL + n - 2, outR + n - 2);
    }
    run.low = ShelfRun<Pair>(shelves.x1.template lowHalf<Pair>(), shelves.x2.template lowHalf<Pair>(),
                             shelves.y1.template lowHalf<Pair>(), shelves.y2.template lowHalf<Pair>());
    run.high = ShelfRun<Pair>(shelves.x1.template highHalf<Pair>(), shelves.x2.template highHalf<Pair>(),
                              shelves.y1.template highHalf<Pair>(), shelves.y2.template highHalf<Pair>());
    run.high.step(high, older).storeLanes(outL + count - 2, outR + count - 2);
    run.high.step(high, newer).storeLanes(outL + count - 1, outR + count - 1);
    run.save(state);
}

/// Whether every input of the chunk is below kTameInput (false for infinities and NaN).
template <class Real, typename Sample> bool tame(const Chunk<Sample>& io)
{
    const auto wildAt = [&](int start)
    {
        const int count = io.frames - start < Real::kWidth ? io.frames - start : Real::kWidth;
        const Real sum =
            abs(loadFrames<Real>(io.inL + start, count)) + abs(loadFrames<Real>(io.inR + start, count));
        return notBelow(sum, Real(kTameInput));
    };
    auto wild = wildAt(0);
    for (int start = Real::kWidth; start < io.frames; start += Real::kWidth)
        wild = wild | wildAt(start);
    return !anyLane(wild);
}

/// The fast way needs tame inputs and an attack no slower than the release; anything else, rare as it is,
/// takes the careful way.
template <class Real, class Pair, typename Sample>
void processChunk(const ChunkConstants& c, const Chunk<Sample>& io, double& envelope, SidechainState& state)
{
    const bool fast = c.attackCoef <= c.releaseCoef && tame<Real>(io);
    if (!c.sidechainOn)
        return (fast ? runChunkOfAnySize<Real, false, Sample, Sample>
                     : runChunkOfAnySize<Real, true, Sample, Sample>)(c, io, io.inL, io.inR, envelope);
    double detectorL[kChunkFrames];
    double detectorR[kChunkFrames];
    if (!fast)
        filterSidechain<Pair, true, Sample>(c.sidechain, state, io.inL, io.inR, detectorL, detectorR,
                                            io.frames);
    else if constexpr (Real::kWidth == 4)
        filterSidechainSkewed<Real, Pair, Sample>(c.sidechain, state, io.inL, io.inR, detectorL, detectorR,
                                                  io.frames);
    else
        filterSidechain<Pair, false, Sample>(c.sidechain, state, io.inL, io.inR, detectorL, detectorR,
                                             io.frames);
    (fast ? runChunkOfAnySize<Real, false, Sample, double>
          : runChunkOfAnySize<Real, true, Sample, double>)(c, io, detectorL, detectorR, envelope);
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
            filterSidechain<Pair, true, double>,
            decibelsOf<Real>,
            exponentialOf<Real>};
}
} // namespace qm07::kernel
