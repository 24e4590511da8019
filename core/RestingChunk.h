// Digital silence through an engine at rest: what the kernel would do, without running it over the chunk.
#pragma once

#include "EngineKernels.h"

namespace qm07
{
/// Audio thread; no allocation. Whether the kernel, given this chunk, would write every input sample back
/// unchanged and leave the envelope and the side-chain filter as they are: every input is ±0, Push is off
/// (its noise would move), the filter (when on) holds only zeros, and one silent frame maps the envelope
/// onto itself, so every later one does too. Output = input × a gain that is finite and not negative,
/// which keeps each zero's sign.
template <typename Sample>
bool restsThrough(const EngineKernels& kernels, const ChunkConstants& constants, const Chunk<Sample>& chunk,
                  double envelope, const SidechainState& filter);

/// Audio thread; no allocation. The outputs as the kernel would have left them when restsThrough holds.
template <typename Sample> void passAtRest(const Chunk<Sample>& chunk);
} // namespace qm07
