// Source-over blending of premultiplied pixels, one rule for every back end so that their images agree.
#pragma once

#include <cstdint>

namespace VSTGUI
{

/// 0xAARRGGBB pixels: `source` scaled by `constantAlpha`, then over `dest`. Every product of two 8-bit
/// values is divided by 255 and rounded to nearest; a sum above 255 saturates.
constexpr std::uint32_t blendPremultiplied(std::uint32_t dest, std::uint32_t source,
                                           std::uint8_t constantAlpha)
{
    auto scale = [](std::uint32_t x, std::uint32_t y) { return (x * y + 127u) / 255u; };
    const std::uint32_t sourceAlpha = scale(source >> 24, constantAlpha);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const std::uint32_t s = shift == 24 ? sourceAlpha : scale((source >> shift) & 0xFFu, constantAlpha);
        const std::uint32_t sum = s + scale((dest >> shift) & 0xFFu, 255u - sourceAlpha);
        result |= (sum > 255u ? 255u : sum) << shift;
    }
    return result;
}

} // namespace VSTGUI
