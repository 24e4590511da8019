// The engine's kernels on four lanes. Built with AVX2 enabled and nothing more, so no fused multiply-add
// can change a rounding; the side-chain filter and the envelope keep their two-lane pairs.
#include "Avx2Lanes.h"
#include "CompressorKernel.h"
#include "KernelDispatch.h"
#include "Sse2Lanes.h"

namespace qm07
{
constexpr EngineKernels kAvx2Kernels = kernel::kernelsFor<Avx2Lane, TwoLanes<true>>("AVX2");
} // namespace qm07
