// What differs in the ABI on 64-bit Windows (LLP64): chosen by the build for Windows targets.
#pragma once

#include <cstddef>

namespace qm07::clap
{
constexpr std::size_t kUnsignedLongBytes = 4;
} // namespace qm07::clap
