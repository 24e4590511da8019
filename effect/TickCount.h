// Milliseconds since the system started, wrapping at 2³²: the seed of each instance's noise generator.
#pragma once

#include <cstdint>

/// Any thread, never allocates.
std::uint32_t tickCount();
