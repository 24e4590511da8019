// Pixel helpers of the bitmap and the off-screen buffer: DIB headers, source clipping, blend, colour key.
#pragma once

#include <windows.h>

#include <cstdint>

namespace VSTGUI::win32
{

struct BlitArea
{
    int destX = 0;
    int destY = 0;
    int srcX = 0;
    int srcY = 0;
    int width = 0;
    int height = 0;
};

/// Header of an uncompressed 32-bit DIB; a positive height stores the rows bottom-up, a negative one
/// top-down.
BITMAPINFO dibInfo32(int width, int height);

/// Shrinks the area to the part whose source lies inside a width × height image (AlphaBlend refuses any
/// source outside it); false when nothing is left.
bool clipToSource(BlitArea& area, int sourceWidth, int sourceHeight);

/// Source-over blend done in memory: reads the destination's pixels, blends, writes them back (the
/// destination's clip region still applies). `source` holds bottom-up rows of `sourceWidth` pixels.
void softwareAlphaBlend(HDC dest, const BlitArea& area, const std::uint32_t* source, int sourceWidth,
                        int sourceHeight, std::uint8_t constantAlpha);

/// Colour-keyed copy through a one-bit mask: pixels of `key` in the image leave the destination unchanged.
void maskedColorKeyBlt(HDC dest, const BlitArea& area, HDC image, COLORREF key);

} // namespace VSTGUI::win32
