// Hosts send long stretches of digital silence (empty tracks, the ends of songs, benchmarks): once the
// envelope has settled, a scan and a copy give the kernel's bits at a fraction of its cost.
#include "RestingChunk.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace qm07
{
namespace
{
/// Compared as bits: with denormals read as zero (as they are while processing), a subnormal compares equal
/// to 0, yet the kernel would not write it back. Audio leaves at its first frames; silence is read in
/// stretches the compiler can vectorise.
constexpr int kStretch = 16;

template <typename Sample> bool allZero(const Sample* left, const Sample* right, int count)
{
    using Bits = std::conditional_t<sizeof(Sample) == 4, std::uint32_t, std::uint64_t>;
    constexpr Bits kMagnitude = ~Bits(0) >> 1;
    for (int start = 0; start < count; start += kStretch)
    {
        const int end = count - start < kStretch ? count : start + kStretch;
        Bits any = 0;
        for (int n = start; n < end; ++n)
        {
            Bits l, r;
            std::memcpy(&l, left + n, sizeof l);
            std::memcpy(&r, right + n, sizeof r);
            any |= (l | r) & kMagnitude;
        }
        if (any != 0) return false;
    }
    return true;
}

bool filterAtZero(const SidechainState& s)
{
    static_assert(sizeof s == 16 * sizeof(double));
    const auto* values = reinterpret_cast<const double*>(&s);
    return allZero(values, values + 8, 8);
}
} // namespace

template <typename Sample>
Rest restOf(const EngineKernels& kernels, const ChunkConstants& constants, const Chunk<Sample>& chunk,
            double envelope, const SidechainState& filter)
{
    if (constants.pushOn || (constants.sidechainOn && !filterAtZero(filter))) return Rest::no;
    if (!allZero(chunk.inL, chunk.inR, chunk.frames)) return Rest::no;
    const Sample silence[1] = {Sample(0)};
    Sample ignored[1];
    const Chunk<Sample> frame{silence, silence, ignored, ignored, 1, nullptr, nullptr, nullptr};
    double probed = envelope;
    SidechainState probedFilter = filter;
    chunkKernel<Sample>(kernels)(constants, frame, probed, probedFilter);
    return std::memcmp(&probed, &envelope, sizeof envelope) == 0 ? Rest::yes : Rest::settling;
}

template <typename Sample> void passAtRest(const Chunk<Sample>& chunk)
{
    const std::size_t bytes = sizeof(Sample) * static_cast<std::size_t>(chunk.frames);
    if (chunk.outL != chunk.inL) std::memmove(chunk.outL, chunk.inL, bytes);
    if (chunk.outR != chunk.inR) std::memmove(chunk.outR, chunk.inR, bytes);
}

template Rest restOf(const EngineKernels&, const ChunkConstants&, const Chunk<float>&, double,
                     const SidechainState&);
template Rest restOf(const EngineKernels&, const ChunkConstants&, const Chunk<double>&, double,
                     const SidechainState&);
template void passAtRest(const Chunk<float>&);
template void passAtRest(const Chunk<double>&);
} // namespace qm07
