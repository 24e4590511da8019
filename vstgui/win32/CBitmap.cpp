// Bitmaps: PNG resources decoded once into premultiplied 32-bit DIB sections, so each draw is one blend.
#include "CBitmap.h"

#include "BlitHelpers.h"
#include "CDrawContext.h"
#include "PngImage.h"
#include "ResourceLookup.h"
#include "Win32Shared.h"

#include <windows.h>

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
    ImageContext(HDC dest, void* image) : context(CreateCompatibleDC(dest))
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

win32::BlitArea areaFor(const CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    return {rect.left + context->offset.h,
            rect.top + context->offset.v,
            offset.h,
            offset.v,
            rect.getWidth(),
            rect.getHeight()};
}

// Bottom-up 0xAARRGGBB rows with alpha 255, for blending a bitmap resource without msimg32.
std::vector<std::uint32_t> opaquePixelsOf(HDC compatible, void* image, int width, int height)
{
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BITMAPINFO info = win32::dibInfo32(width, height);
    GetDIBits(compatible, static_cast<HBITMAP>(image), 0, static_cast<UINT>(height), rows.data(), &info,
              DIB_RGB_COLORS);
    for (std::uint32_t& pixel : rows)
        pixel |= 0xFF000000u;
    return rows;
}

} // namespace

CBitmap::CBitmap(std::int32_t id)
{
    loadFromResource(id);
}

CBitmap::~CBitmap()
{
    dispose();
}

void CBitmap::dispose()
{
    if (image) DeleteObject(image);
    image = nullptr;
    pixels = nullptr;
    width = 0;
    height = 0;
    noAlpha = false;
}

bool CBitmap::loadFromResource(std::int32_t id)
{
    dispose();
    resourceID = id;
    auto identifier = static_cast<std::uint16_t>(id & 0xFFFF);
    qm07::ResourceBytes png = qm07::findResource(identifier, "PNG");
    if (png.data && loadPng(png.data, png.size)) return true;
    return loadBmp(identifier);
}

bool CBitmap::loadPng(const unsigned char* bytes, std::size_t size)
{
    DecodedImage decoded;
    if (!decodeResourceImage(bytes, size, decoded)) return false;
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
    image = section;
    pixels = rows;
    width = decoded.width;
    height = decoded.height;
    noAlpha = false;
    return true;
}

bool CBitmap::loadBmp(std::uint16_t id)
{
    HBITMAP bitmap = LoadBitmapA(win32::moduleInstance(), MAKEINTRESOURCEA(id));
    if (!bitmap) return false;
    BITMAP description = {};
    if (!GetObjectA(bitmap, sizeof(description), &description))
    {
        DeleteObject(bitmap);
        return false;
    }
    image = bitmap;
    width = description.bmWidth;
    height = description.bmHeight;
    noAlpha = true;
    return true;
}

bool CBitmap::loadFromPath(const void* /*platformPath*/)
{
    dispose();
    return false;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    if (!noAlpha)
    {
        drawAlphaBlend(context, rect, offset, 255);
        return;
    }
    win32::BlitArea area = areaFor(context, rect, offset);
    if (!image || !context->getSystemContext() || !win32::clipToSource(area, width, height)) return;
    HDC dest = static_cast<HDC>(context->getSystemContext());
    ImageContext source(dest, image);
    BitBlt(dest, area.destX, area.destY, area.width, area.height, source.context, area.srcX, area.srcY,
           SRCCOPY);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    if (!noAlpha)
        drawAlphaBlend(context, rect, offset, 255);
    else
        drawColorKeyed(context, rect, offset);
}

void CBitmap::drawColorKeyed(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    win32::BlitArea area = areaFor(context, rect, offset);
    if (!image || !context->getSystemContext() || !win32::clipToSource(area, width, height)) return;
    HDC dest = static_cast<HDC>(context->getSystemContext());
    ImageContext source(dest, image);
    COLORREF key = RGB(transparentColor.red, transparentColor.green, transparentColor.blue);
    if (win32::shared().transparentBlt)
        win32::shared().transparentBlt(dest, area.destX, area.destY, area.width, area.height, source.context,
                                       area.srcX, area.srcY, area.width, area.height, key);
    else
        win32::maskedColorKeyBlt(dest, area, source.context, key);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset,
                             std::uint8_t alpha)
{
    win32::BlitArea area = areaFor(context, rect, offset);
    if (!image || !context->getSystemContext() || !win32::clipToSource(area, width, height)) return;
    HDC dest = static_cast<HDC>(context->getSystemContext());
    if (!win32::shared().alphaBlend)
    {
        if (pixels)
            win32::softwareAlphaBlend(dest, area, pixels, width, height, alpha);
        else
            win32::softwareAlphaBlend(dest, area, opaquePixelsOf(dest, image, width, height).data(), width,
                                      height, alpha);
        return;
    }
    ImageContext source(dest, image);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, static_cast<BYTE>(noAlpha ? 0 : AC_SRC_ALPHA)};
    win32::shared().alphaBlend(dest, area.destX, area.destY, area.width, area.height, source.context,
                               area.srcX, area.srcY, area.width, area.height, blend);
}

} // namespace VSTGUI
