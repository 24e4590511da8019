// The product's state: ten little-endian floats in index order, no header.
#pragma once

#include "Parameters.h"

#include <array>
#include <cstddef>

namespace qm07
{
constexpr std::size_t kStateBytes = 40;
using StateBytes = std::array<unsigned char, kStateBytes>;

/// Any thread, no allocation.
StateBytes writeState(const ParameterValues& values);
/// Any thread, no allocation. false (values untouched) for null data or fewer than 40 bytes; bytes beyond
/// 40 ignored; NaN entries leave that value unchanged; others clamped to 0..1.
bool readState(const void* data, std::size_t size, ParameterValues& values);
} // namespace qm07
