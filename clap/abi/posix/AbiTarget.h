// What differs in the ABI on 64-bit Linux (LP64): chosen by the build for posix targets.
#pragma once

#include <cstddef>

namespace qm07::clap
{
constexpr std::size_t kUnsignedLongBytes = 8;
} // namespace qm07::clap
