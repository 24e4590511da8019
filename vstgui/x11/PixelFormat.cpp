// Software-rendered pixels converted to the visual's masks, depth and byte order.
#include "PixelFormat.h"

#include "Surface.h"

#include <array>

namespace VSTGUI::x11
{

namespace
{

/// The 8-bit channel value scaled to the mask's width and moved to its place, for each of 256 values.
std::array<std::uint32_t, 256> channelTable(std::uint32_t mask)
{
    std::array<std::uint32_t, 256> table{};
    if (mask == 0) return table;
    int shift = 0;
    while (!((mask >> shift) & 1u))
        ++shift;
    const std::uint64_t top = mask >> shift;
    for (std::uint32_t value = 0; value < 256; ++value)
        table[value] = static_cast<std::uint32_t>(((value * top + 127) / 255) << shift);
    return table;
}

std::uint32_t depthMask(std::uint8_t depth)
{
    return depth >= 32 ? 0xFFFFFFFFu : (1u << depth) - 1u;
}

} // namespace

bool canPack(const PixelFormat& format)
{
    return format.depth >= 24 && (format.bitsPerPixel == 24 || format.bitsPerPixel == 32);
}

std::size_t rowBytes(const PixelFormat& format, std::int32_t width)
{
    const std::size_t bits = static_cast<std::size_t>(width) * format.bitsPerPixel;
    const std::size_t pad = format.scanlinePad ? format.scanlinePad : 8;
    return (bits + pad - 1) / pad * pad / 8;
}

void packPixels(const raster::Surface& source, const CRect& area, const PixelFormat& format,
                std::vector<std::uint8_t>& bytes)
{
    const auto red = channelTable(format.redMask);
    const auto green = channelTable(format.greenMask);
    const auto blue = channelTable(format.blueMask);
    const std::uint32_t unused =
        depthMask(format.depth) & ~(format.redMask | format.greenMask | format.blueMask);
    const std::size_t stride = rowBytes(format, area.getWidth());
    const int pixelBytes = format.bitsPerPixel / 8;
    bytes.assign(stride * static_cast<std::size_t>(area.getHeight()), 0);
    for (std::int32_t y = area.top; y < area.bottom; ++y)
    {
        const std::uint32_t* in = source.row(y) + area.left;
        std::uint8_t* out = bytes.data() + stride * static_cast<std::size_t>(y - area.top);
        for (std::int32_t x = 0; x < area.getWidth(); ++x, out += pixelBytes)
        {
            const std::uint32_t pixel = in[x];
            const std::uint32_t value =
                red[(pixel >> 16) & 0xFF] | green[(pixel >> 8) & 0xFF] | blue[pixel & 0xFF] | unused;
            for (int i = 0; i < pixelBytes; ++i)
            {
                const int byte = format.mostSignificantFirst ? pixelBytes - 1 - i : i;
                out[i] = static_cast<std::uint8_t>(value >> (8 * byte));
            }
        }
    }
}

} // namespace VSTGUI::x11
