// How the X server stores a visual's pixels in an image, and the window's pixels packed that way.
#pragma once

#include "CRect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VSTGUI::raster
{
class Surface;
}

namespace VSTGUI::x11
{

/// A TrueColor visual's Z-format image layout, as the server announced it.
struct PixelFormat
{
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint8_t depth = 0;
    std::uint8_t bitsPerPixel = 0; ///< 24 or 32; other sizes are not packed
    std::uint8_t scanlinePad = 32; ///< bits each row is padded to
    bool mostSignificantFirst = false;
};

/// Whether `packPixels` can serve the format: 24 or 32 bits per pixel and a depth of at least 24.
bool canPack(const PixelFormat& format);
/// Bytes of one image row of `width` pixels, padding included.
std::size_t rowBytes(const PixelFormat& format, std::int32_t width);
/// `area` of `source` in the server's layout. The surface's pixels are opaque; depth bits outside the
/// colour masks (the alpha of a 32-bit visual) are all set, so a compositor shows them opaque too.
void packPixels(const raster::Surface& source, const CRect& area, const PixelFormat& format,
                std::vector<std::uint8_t>& bytes);

} // namespace VSTGUI::x11
