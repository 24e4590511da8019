// Pixel helpers: DIB headers, source clipping, the blend fallback and the colour-key mask.
#include "BlitHelpers.h"

#include "PremultipliedBlend.h"

#include <algorithm>
#include <vector>

namespace VSTGUI::win32
{

namespace
{

// Top-down 32-bit DIB section selected into its own memory context, released on scope exit.
class PixelBuffer
{
public:
    PixelBuffer(HDC compatible, int width, int height)
    {
        BITMAPINFO info = dibInfo32(width, -height);
        context = CreateCompatibleDC(compatible);
        void* bits = nullptr;
        bitmap = context ? CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        if (bitmap) previous = SelectObject(context, bitmap);
        pixels = static_cast<std::uint32_t*>(bits);
    }
    ~PixelBuffer()
    {
        if (bitmap)
        {
            SelectObject(context, previous);
            DeleteObject(bitmap);
        }
        if (context) DeleteDC(context);
    }
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    HDC context = nullptr;
    std::uint32_t* pixels = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

} // namespace

BITMAPINFO dibInfo32(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool clipToSource(BlitArea& area, int sourceWidth, int sourceHeight)
{
    int left = std::max(area.srcX, 0);
    int top = std::max(area.srcY, 0);
    int right = std::min(area.srcX + area.width, sourceWidth);
    int bottom = std::min(area.srcY + area.height, sourceHeight);
    if (right <= left || bottom <= top) return false;
    area.destX += left - area.srcX;
    area.destY += top - area.srcY;
    area.srcX = left;
    area.srcY = top;
    area.width = right - left;
    area.height = bottom - top;
    return true;
}

void softwareAlphaBlend(HDC dest, const BlitArea& area, const std::uint32_t* source, int sourceWidth,
                        int sourceHeight, std::uint8_t constantAlpha)
{
    PixelBuffer buffer(dest, area.width, area.height);
    if (!buffer.pixels) return;
    BitBlt(buffer.context, 0, 0, area.width, area.height, dest, area.destX, area.destY, SRCCOPY);
    GdiFlush();
    for (int y = 0; y < area.height; ++y)
    {
        const std::uint32_t* sourceRow = source + (sourceHeight - 1 - (area.srcY + y)) * sourceWidth;
        std::uint32_t* destRow = buffer.pixels + y * area.width;
        for (int x = 0; x < area.width; ++x)
            destRow[x] = blendPremultiplied(destRow[x], sourceRow[area.srcX + x], constantAlpha);
    }
    BitBlt(dest, area.destX, area.destY, area.width, area.height, buffer.context, 0, 0, SRCCOPY);
}

void maskedColorKeyBlt(HDC dest, const BlitArea& area, HDC image, COLORREF key)
{
    HDC maskContext = CreateCompatibleDC(dest);
    HBITMAP mask = CreateBitmap(area.width, area.height, 1, 1, nullptr);
    if (!maskContext || !mask)
    {
        if (mask) DeleteObject(mask);
        if (maskContext) DeleteDC(maskContext);
        return;
    }
    HGDIOBJ previousMask = SelectObject(maskContext, mask);
    // Copying to one bit sets the pixels that match the image context's background colour.
    COLORREF imageBackground = SetBkColor(image, key);
    BitBlt(maskContext, 0, 0, area.width, area.height, image, area.srcX, area.srcY, SRCCOPY);
    SetBkColor(image, imageBackground);

    COLORREF destBackground = SetBkColor(dest, RGB(255, 255, 255));
    COLORREF destText = SetTextColor(dest, RGB(0, 0, 0));
    BitBlt(dest, area.destX, area.destY, area.width, area.height, image, area.srcX, area.srcY, SRCINVERT);
    BitBlt(dest, area.destX, area.destY, area.width, area.height, maskContext, 0, 0, SRCAND);
    BitBlt(dest, area.destX, area.destY, area.width, area.height, image, area.srcX, area.srcY, SRCINVERT);
    SetBkColor(dest, destBackground);
    SetTextColor(dest, destText);

    SelectObject(maskContext, previousMask);
    DeleteObject(mask);
    DeleteDC(maskContext);
}

} // namespace VSTGUI::win32
