// Digital silence through an engine at rest: what the kernel would do, without running it over the chunk.
#pragma once

#include "EngineKernels.h"

namespace qm07
{
enum class Rest
{
    no,       ///< audio, Push, or a side-chain filter still ringing
    settling, ///< digital silence, but the envelope still moves
    yes,
};

/// Audio thread; no allocation. `yes` when the kernel, given this chunk, would write every input sample back
/// unchanged and leave the envelope and the side-chain filter as they are: every input is ±0, Push is off
/// (its noise would move), the filter (when on) holds only zeros, and one silent frame maps the envelope
/// onto itself, so every later one does too. Output = input × a gain that is finite and not negative,
/// which keeps each zero's sign.
template <typename Sample>
Rest restOf(const EngineKernels& kernels, const ChunkConstants& constants, const Chunk<Sample>& chunk,
            double envelope, const SidechainState& filter);

/// Asks restOf chunk by chunk, but after `settling` not again for a while: an envelope takes far longer
/// than a chunk to settle, and asking costs a frame of the kernel.
class RestGate
{
public:
    template <typename Sample>
    bool passes(const EngineKernels& kernels, const ChunkConstants& constants, const Chunk<Sample>& chunk,
                double envelope, const SidechainState& filter)
    {
        if (quietChunks > 0)
        {
            --quietChunks;
            return false;
        }
        const Rest rest = restOf(kernels, constants, chunk, envelope, filter);
        if (rest == Rest::settling) quietChunks = kChunksBetweenAsks;
        return rest == Rest::yes;
    }

private:
    static constexpr int kChunksBetweenAsks = 16;
    int quietChunks = 0;
};

/// Audio thread; no allocation. The outputs as the kernel would have left them when restOf answers yes.
template <typename Sample> void passAtRest(const Chunk<Sample>& chunk);
} // namespace qm07
