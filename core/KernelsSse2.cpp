// The engine's kernels on two lanes: the baseline every x86-64 CPU runs.
#include "CompressorKernel.h"
#include "KernelDispatch.h"
#include "Sse2Lanes.h"

namespace qm07
{
constexpr EngineKernels kSse2Kernels = kernel::kernelsFor<Sse2Lane, Sse2Lane>("SSE2");
} // namespace qm07
