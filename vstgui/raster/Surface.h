// Premultiplied 32-bit pixel buffer and the raster operations of the software renderer.
#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"

#include <cstdint>
#include <vector>

namespace VSTGUI::raster
{

/// Pixels are 0xAARRGGBB words (bytes blue, green, red, alpha in memory, as in a 32-bit DIB), rows
/// top-down, colours premultiplied by alpha. Every operation clips to the surface and to `clip`
/// (exclusive right and bottom, surface coordinates).
class Surface
{
public:
    Surface(std::int32_t width, std::int32_t height, std::uint32_t initial = 0);

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    CRect bounds() const { return {0, 0, width, height}; }
    std::uint32_t pixel(std::int32_t x, std::int32_t y) const;
    void setPixel(std::int32_t x, std::int32_t y, std::uint32_t value);
    std::uint32_t* row(std::int32_t y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const std::uint32_t* row(std::int32_t y) const
    {
        return pixels.data() + static_cast<std::size_t>(y) * width;
    }

    void fill(const CRect& rect, std::uint32_t value, const CRect& clip);
    void plot(std::int32_t x, std::int32_t y, std::uint32_t value, const CRect& clip);
    /// Plain block copy of `dest`'s size from `source` at `sourceOrigin`.
    void copy(const Surface& source, const CPoint& sourceOrigin, const CRect& dest, const CRect& clip);
    /// Premultiplied source-over with a constant alpha applied to the source first.
    void blend(const Surface& source, const CPoint& sourceOrigin, const CRect& dest, std::uint8_t alpha,
               const CRect& clip);
    /// Copies every pixel whose colour differs from `key` (alpha ignored).
    void copyKeyed(const Surface& source, const CPoint& sourceOrigin, const CRect& dest, std::uint32_t key,
                   const CRect& clip);

private:
    std::int32_t width;
    std::int32_t height;
    std::vector<std::uint32_t> pixels;
};

/// An opaque pixel of the colour; drawing colours carry no alpha, as on GDI.
constexpr std::uint32_t opaquePixel(const CColor& color)
{
    return 0xFF000000u | (std::uint32_t{color.red} << 16) | (std::uint32_t{color.green} << 8) | color.blue;
}

} // namespace VSTGUI::raster
