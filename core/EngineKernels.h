// The engine's per-chunk work as plain functions on plain data: one table of them per instruction set.
#pragma once

class PinkNoise;

namespace qm07
{
/// One shelf for both channels: [0] left, [1] right.
struct ShelfPairCoefs
{
    double b0[2], b1[2], b2[2], a1[2], a2[2];
};

struct ShelfPairState
{
    double x1[2], x2[2], y1[2], y2[2];
};

/// The detector filter of both channels: a low shelf, then a high shelf.
struct SidechainCoefs
{
    ShelfPairCoefs low, high;
};

struct SidechainState
{
    ShelfPairState low, high;
};

/// What stays fixed during one chunk: the block's settings and the coefficients read at its start.
struct ChunkConstants
{
    double threshold;    // dB
    double slope;        // fraction of the overshoot removed
    double halfKnee;     // dB
    double kneeWidth;    // dB
    double kneeScale;    // slope / (2 · kneeWidth)
    double pushDepth;    // dB of jitter per unit of noise
    double makeupAtRest; // make-up gain plus the envelope's offset at rest, dB
    double wet;
    double dry;
    double attackCoef;
    double releaseCoef;
    double attackGain; // 1 − attackCoef
    double releaseGain;
    bool sidechainOn;
    bool pushOn;
    SidechainCoefs sidechain;
};

/// At most kChunkFrames frames. Output channels may be the input channels.
template <typename Sample> struct Chunk
{
    const Sample* inL;
    const Sample* inR;
    Sample* outL;
    Sample* outR;
    int frames;
    float* noise;         // Push jitter per frame, drawn by the kernel while Push is on
    PinkNoise* pushNoise; // its source, null while Push is off
    double* reductions;   // written unless null: the reduction in force per frame, dB
};

constexpr int kChunkFrames = 256;

/// The envelope's rest, carried in it and added to every wanted reduction: the reduction in force is the
/// envelope minus this.
constexpr double kEnvelopeOffset = 1e-25;

template <typename Sample>
using ChunkKernel = void (*)(const ChunkConstants&, const Chunk<Sample>&, double& envelope, SidechainState&);

/// Every path computes the same IEEE operations in the same order: outputs are identical bit for bit.
struct EngineKernels
{
    const char* name;
    ChunkKernel<float> processFloat;
    ChunkKernel<double> processDouble;
    /// The detector filter alone, for inspection: count frames of both channels.
    void (*filterSidechain)(const SidechainCoefs&, SidechainState&, const double* inL, const double* inR,
                            double* outL, double* outR, int count);
    /// 20·log10(x) and e^x of count values, as the engine computes them.
    void (*decibels)(const double* x, double* y, int count);
    void (*exponential)(const double* x, double* y, int count);
};

/// The set's chunk kernel for the sample type.
template <typename Sample> ChunkKernel<Sample> chunkKernel(const EngineKernels& set)
{
    if constexpr (sizeof(Sample) == sizeof(float))
        return set.processFloat;
    else
        return set.processDouble;
}
} // namespace qm07
