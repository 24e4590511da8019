// The Push noise seed of a new instance.
#pragma once

#include <cstdint>

/// Loader thread; no allocation. The clock, mixed with a count of instances and the instance's address,
/// so that instances created within one millisecond (a host loading a session) jitter differently.
std::uint32_t freshNoiseSeed(const void* instance);
