// The Push noise seed of a new instance.
#pragma once

#include <cstdint>

namespace qm07
{
/// Loader thread; no allocation. The steady clock, mixed with a count of instances and the instance's
/// address, so that instances created within one clock tick (a host loading a session) jitter differently.
std::uint32_t freshNoiseSeed(const void* instance);
} // namespace qm07
