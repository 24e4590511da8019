// Which table of kernels the engine runs: chosen once from the CPU's features when the library loads.
#pragma once

#include "EngineKernels.h"

#include <vector>

namespace qm07
{
extern const EngineKernels kSse2Kernels;
/// Needs AVX2 and an operating system that saves the 256-bit registers.
extern const EngineKernels kAvx2Kernels;

/// Any thread, no allocation: the widest set this CPU runs, decided at load.
const EngineKernels& chosenKernels();
/// Allocates: every set this CPU runs, narrowest first (tests and benchmarks compare them).
std::vector<const EngineKernels*> runnableKernels();
} // namespace qm07
