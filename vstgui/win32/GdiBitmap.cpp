// Bitmaps on Win32: decoded images as premultiplied 32-bit DIB sections, so each draw is one blend.
#include "GdiState.h"

#include "BlitHelpers.h"
#include "PngImage.h"
#include "Win32Shared.h"

#include <algorithm>
#include <vector>

namespace VSTGUI
{

namespace
{

// The image selected into a memory context compatible with the destination, for one draw.
class ImageContext
{
public:
    ImageContext(HDC dest, HBITMAP image) : context(CreateCompatibleDC(dest))
    {
        if (context) previous = SelectObject(context, image);
    }
    ~ImageContext()
    {
        if (!context) return;
        SelectObject(context, previous);
        DeleteDC(context);
    }
    ImageContext(const ImageContext&) = delete;
    ImageContext& operator=(const ImageContext&) = delete;

    HDC context;

private:
    HGDIOBJ previous = nullptr;
};

HDC targetOf(const CDrawContext& context)
{
    return static_cast<HDC>(context.getSystemContext());
}

win32::BlitArea areaFor(const CDrawContext& context, const CRect& rect, const CPoint& offset)
{
    return {rect.left + context.offset.h,
            rect.top + context.offset.v,
            offset.h,
            offset.v,
            rect.getWidth(),
            rect.getHeight()};
}

// Bottom-up 0xAARRGGBB rows with alpha 255, for blending a bitmap resource without msimg32.
std::vector<std::uint32_t> opaquePixelsOf(HDC compatible, HBITMAP image, int width, int height)
{
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BITMAPINFO info = win32::dibInfo32(width, height);
    GetDIBits(compatible, image, 0, static_cast<UINT>(height), rows.data(), &info, DIB_RGB_COLORS);
    for (std::uint32_t& pixel : rows)
        pixel |= 0xFF000000u;
    return rows;
}

} // namespace

bool CBitmap::adoptImage(const DecodedImage& decoded)
{
    BITMAPINFO info = win32::dibInfo32(decoded.width, decoded.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return false;
    // The section is bottom-up: the image's last row is stored first.
    auto* rows = static_cast<std::uint32_t*>(bits);
    const auto rowLength = static_cast<std::size_t>(decoded.width);
    for (std::int32_t row = 0; row < decoded.height; ++row)
        std::copy_n(decoded.pixels.data() + static_cast<std::size_t>(row) * rowLength, rowLength,
                    rows + static_cast<std::size_t>(decoded.height - 1 - row) * rowLength);
    image = new Image{section, rows};
    width = decoded.width;
    height = decoded.height;
    return true;
}

bool CBitmap::adoptResourceImage(const unsigned char* data, std::size_t size)
{
    DecodedImage decoded;
    return decodeResourceImage(data, size, decoded) && adoptImage(decoded);
}

bool CBitmap::loadBitmapResource(std::uint16_t id)
{
    HBITMAP bitmap = LoadBitmapA(win32::moduleInstance(), MAKEINTRESOURCEA(id));
    if (!bitmap) return false;
    BITMAP description = {};
    if (!GetObjectA(bitmap, sizeof(description), &description))
    {
        DeleteObject(bitmap);
        return false;
    }
    image = new Image{bitmap, nullptr};
    width = description.bmWidth;
    height = description.bmHeight;
    noAlpha = true;
    return true;
}

void CBitmap::releaseImage()
{
    if (image) DeleteObject(image->handle);
    delete image;
    image = nullptr;
}

void CBitmap::copyImage(CDrawContext& context, const CRect& rect, const CPoint& offset)
{
    win32::BlitArea area = areaFor(context, rect, offset);
    if (!win32::clipToSource(area, width, height)) return;
    HDC dest = targetOf(context);
    ImageContext source(dest, image->handle);
    BitBlt(dest, area.destX, area.destY, area.width, area.height, source.context, area.srcX, area.srcY,
           SRCCOPY);
}

void CBitmap::copyImageKeyed(CDrawContext& context, const CRect& rect, const CPoint& offset)
{
    win32::BlitArea area = areaFor(context, rect, offset);
    if (!win32::clipToSource(area, width, height)) return;
    HDC dest = targetOf(context);
    ImageContext source(dest, image->handle);
    COLORREF key = RGB(transparentColor.red, transparentColor.green, transparentColor.blue);
    if (win32::shared().transparentBlt)
        win32::shared().transparentBlt(dest, area.destX, area.destY, area.width, area.height, source.context,
                                       area.srcX, area.srcY, area.width, area.height, key);
    else
        win32::maskedColorKeyBlt(dest, area, source.context, key);
}

void CBitmap::blendImage(CDrawContext& context, const CRect& rect, const CPoint& offset, std::uint8_t alpha)
{
    win32::BlitArea area = areaFor(context, rect, offset);
    if (!win32::clipToSource(area, width, height)) return;
    HDC dest = targetOf(context);
    if (!win32::shared().alphaBlend)
    {
        if (image->pixels)
            win32::softwareAlphaBlend(dest, area, image->pixels, width, height, alpha);
        else
            win32::softwareAlphaBlend(dest, area, opaquePixelsOf(dest, image->handle, width, height).data(),
                                      width, height, alpha);
        return;
    }
    ImageContext source(dest, image->handle);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, static_cast<BYTE>(noAlpha ? 0 : AC_SRC_ALPHA)};
    win32::shared().alphaBlend(dest, area.destX, area.destY, area.width, area.height, source.context,
                               area.srcX, area.srcY, area.width, area.height, blend);
}

} // namespace VSTGUI
