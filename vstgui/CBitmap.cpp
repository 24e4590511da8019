// Bitmaps: resources found by number, decoded once into premultiplied pixels, drawn by the back end.
#include "CBitmap.h"

#include "CDrawContext.h"
#include "PngImage.h"
#include "ResourceLookup.h"

namespace VSTGUI
{

namespace
{

bool canDrawInto(const CDrawContext* context)
{
    return context && context->getSystemContext();
}

} // namespace

CBitmap::CBitmap(std::int32_t resourceId)
{
    loadFromResource(resourceId);
    transparentColor = CColor{255, 255, 255, 0};
}

CBitmap::~CBitmap()
{
    releaseImage();
}

void CBitmap::dispose()
{
    releaseImage();
    width = 0;
    height = 0;
    noAlpha = false;
}

bool CBitmap::loadFromResource(std::int32_t resourceId)
{
    dispose();
    resourceID = resourceId;
    const auto id = static_cast<std::uint16_t>(resourceId & 0xFFFF);
    const qm07::ResourceBytes png = qm07::findResource(id, "PNG");
    if (png.data && adoptResourceImage(png.data, png.size))
    {
        noAlpha = !isPng(png.data, png.size);
        return true;
    }
    return loadBitmapResource(id);
}

bool CBitmap::loadFromPath(const void* /*platformPath*/)
{
    dispose();
    return false;
}

bool CBitmap::loadFromMemory(const unsigned char* data, std::size_t size)
{
    dispose();
    DecodedImage decoded;
    if (!decodeImage(data, size, decoded) || !adoptImage(decoded)) return false;
    noAlpha = !isPng(data, size);
    return true;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    if (!noAlpha)
        drawAlphaBlend(context, rect, offset, 255);
    else if (image && canDrawInto(context))
        copyImage(*context, rect, offset);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    if (!noAlpha)
        drawAlphaBlend(context, rect, offset, 255);
    else if (image && canDrawInto(context))
        copyImageKeyed(*context, rect, offset);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset,
                             std::uint8_t alpha)
{
    if (image && canDrawInto(context)) blendImage(*context, rect, offset, alpha);
}

} // namespace VSTGUI
