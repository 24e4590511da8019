// A chunk passed at rest is exactly what the kernel would have made of it, and the shortcut is taken
// where the engine really rests: after the envelope has settled in digital silence.
#include "RestingChunk.h"
#include "DenormalGuard.h"
#include "EnvelopeCoefs.h"
#include "KernelDispatch.h"
#include "PinkNoise.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

using namespace qm07;

namespace
{
constexpr int kFrames = 64;

ChunkConstants constantsFor(bool sidechainOn, bool pushOn)
{
    ChunkConstants c{};
    c.threshold = -20.0;
    c.slope = 0.75;
    c.makeupAtRest = 3.0 + kEnvelopeOffset;
    c.wet = 1.0;
    c.attackCoef = attackCoefficient(0.3f, 48000.0);
    c.releaseCoef = releaseCoefficient(0.2f, 48000.0);
    c.attackGain = 1.0 - c.attackCoef;
    c.releaseGain = 1.0 - c.releaseCoef;
    c.pushOn = pushOn;
    c.pushDepth = pushOn ? 1.0 : 0.0;
    c.sidechainOn = sidechainOn;
    c.sidechain.low.b0[0] = c.sidechain.low.b0[1] = c.sidechain.high.b0[0] = c.sidechain.high.b0[1] = 1.0;
    return c;
}

/// The envelope where silence leaves it (Push aside), from a loud start: run until a frame changes nothing.
double settledEnvelope(const EngineKernels& kernels, ChunkConstants c)
{
    c.pushOn = false;
    const float silence[1] = {0.0f};
    float out[1];
    double envelope = 30.0;
    SidechainState filter{};
    for (int n = 0; n < 10'000'000; ++n)
    {
        const double before = envelope;
        kernels.processFloat(c, {silence, silence, out, out, 1, nullptr, nullptr, nullptr}, envelope, filter);
        if (std::memcmp(&before, &envelope, sizeof envelope) == 0) break;
    }
    return envelope;
}

struct Case
{
    const char* name;
    float sample; // every input sample
    bool sidechainOn;
    bool pushOn;
    bool settled;       // the envelope settled, or still falling
    double filterValue; // every side-chain state
    Rest rest;
};

const float kSubnormal = std::numeric_limits<float>::denorm_min() * 1000.0f;

const Case kCases[] = {
    {"silence, settled", 0.0f, false, false, true, 0.0, Rest::yes},
    {"negative zeros, settled", -0.0f, false, false, true, 0.0, Rest::yes},
    {"silence through a quiet side chain", 0.0f, true, false, true, 0.0, Rest::yes},
    {"silence, envelope still falling", 0.0f, false, false, false, 0.0, Rest::settling},
    {"silence, Push moving", 0.0f, false, true, true, 0.0, Rest::no},
    {"silence, side chain still ringing", 0.0f, true, false, true, 1e-30, Rest::no},
    {"subnormal input", kSubnormal, false, false, true, 0.0, Rest::no},
    {"quiet input", 1e-6f, false, false, true, 0.0, Rest::no},
};
} // namespace

TEST(RestingChunk, PassesOnlyWhatTheKernelWouldWriteBackUnchanged)
{
    const DenormalGuard guard; // as while processing
    for (const EngineKernels* kernels : runnableKernels())
        for (const Case& test : kCases)
        {
            SCOPED_TRACE(std::string(test.name) + " on " + kernels->name);
            const ChunkConstants c = constantsFor(test.sidechainOn, test.pushOn);
            const double settled = settledEnvelope(*kernels, c);
            const double envelope = test.settled ? settled : settled + 1.0;
            SidechainState filter{};
            filter.low.y1[0] = filter.high.x2[1] = test.filterValue;
            std::vector<float> in(kFrames, test.sample);
            std::vector<float> out(kFrames, 1.0f);
            std::vector<float> noise(kFrames);
            PinkNoise pink(1);
            const Chunk<float> chunk{in.data(),
                                     in.data(),
                                     out.data(),
                                     out.data(),
                                     kFrames,
                                     noise.data(),
                                     test.pushOn ? &pink : nullptr,
                                     nullptr};

            const Rest rest = restOf(*kernels, c, chunk, envelope, filter);
            EXPECT_EQ(rest, test.rest);
            double kernelEnvelope = envelope;
            SidechainState kernelFilter = filter;
            kernels->processFloat(c, chunk, kernelEnvelope, kernelFilter);
            if (rest != Rest::yes) continue;
            EXPECT_EQ(std::memcmp(out.data(), in.data(), sizeof(float) * kFrames), 0) << "outputs";
            EXPECT_EQ(std::memcmp(&kernelEnvelope, &envelope, sizeof envelope), 0) << "envelope";
            EXPECT_EQ(std::memcmp(&kernelFilter, &filter, sizeof filter), 0) << "side-chain filter";
        }
}
