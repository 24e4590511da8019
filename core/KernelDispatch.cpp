// The choice of kernels, made once while the library loads.
#include "KernelDispatch.h"

namespace qm07
{
namespace
{
/// GCC's check includes the operating system's consent (XGETBV) to save the 256-bit registers.
bool cpuRunsAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

const bool gAvx2 = cpuRunsAvx2();
} // namespace

const EngineKernels& chosenKernels()
{
    return gAvx2 ? kAvx2Kernels : kSse2Kernels;
}

std::vector<const EngineKernels*> runnableKernels()
{
    std::vector<const EngineKernels*> sets{&kSse2Kernels};
    if (gAvx2) sets.push_back(&kAvx2Kernels);
    return sets;
}
} // namespace qm07
