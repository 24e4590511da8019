// Block-copy helpers of the bitmap: source clipping and the blends used when msimg32 is missing.
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
