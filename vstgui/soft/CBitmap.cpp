// Images of the software back end: decoded once from the embedded resources, then copied or blended.
#include "CBitmap.h"

#include "CDrawContext.h"
#include "PngImage.h"
#include "ResourceLookup.h"
#include "Surface.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace VSTGUI
{

namespace
{

/// Where a draw of `rect` lands on the context's surface, with its clip there.
struct Placement
{
    soft::Surface* target;
    CRect dest;
    CRect clip;
};

Placement place(CDrawContext* context, const CRect& rect)
{
    Placement placement{context ? context->getSurface() : nullptr, rect, CRect()};
    if (!placement.target) return placement;
    placement.dest.offset(context->offset.h, context->offset.v);
    context->getClipRect(placement.clip);
    placement.clip.offset(context->offset.h, context->offset.v);
    return placement;
}

/// Pixels of an image, built once; bitmaps of the same resource share them, read-only.
std::shared_ptr<const soft::Surface> surfaceOf(const DecodedImage& decoded)
{
    auto surface = std::make_shared<soft::Surface>(decoded.width, decoded.height);
    for (std::int32_t y = 0; y < decoded.height; ++y)
        std::copy_n(decoded.pixels.data() + static_cast<std::size_t>(y) * decoded.width, decoded.width,
                    surface->row(y));
    return surface;
}

/// Resource bytes stay in place for the life of the module, so their address names the image. Every
/// editor opened in the process then shares one copy of each image instead of decoding its own.
std::shared_ptr<const soft::Surface> resourceSurface(const unsigned char* data, std::size_t size)
{
    static std::mutex guard;
    static std::map<const unsigned char*, std::shared_ptr<const soft::Surface>> surfaces;
    const std::lock_guard<std::mutex> lock(guard);
    auto& surface = surfaces[data];
    DecodedImage decoded;
    if (!surface && decodeImage(data, size, decoded)) surface = surfaceOf(decoded);
    return surface;
}

} // namespace

CBitmap::CBitmap(std::int32_t resourceId)
{
    loadFromResource(resourceId);
    transparentColor = CColor{255, 255, 255, 0};
}

CBitmap::~CBitmap() = default;

void CBitmap::dispose()
{
    image.reset();
    width = 0;
    height = 0;
    noAlpha = false;
}

bool CBitmap::loadFromResource(std::int32_t resourceId)
{
    dispose();
    resourceID = resourceId;
    const int id = resourceId & 0xFFFF;
    qm07::ResourceBytes bytes = qm07::findResource(id, "PNG");
    if (!bytes.data) bytes = qm07::findResource(id, "BMP");
    return bytes.data && adopt(resourceSurface(bytes.data, bytes.size), !isPng(bytes.data, bytes.size));
}

bool CBitmap::loadFromPath(const void*)
{
    dispose();
    return false;
}

bool CBitmap::loadFromMemory(const unsigned char* data, std::size_t size)
{
    dispose();
    DecodedImage decoded;
    return decodeImage(data, size, decoded) && adopt(surfaceOf(decoded), !isPng(data, size));
}

bool CBitmap::adopt(std::shared_ptr<const soft::Surface> pixels, bool opaque)
{
    if (!pixels) return false;
    image = std::move(pixels);
    width = image->getWidth();
    height = image->getHeight();
    noAlpha = opaque;
    return true;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    if (!noAlpha)
    {
        drawAlphaBlend(context, rect, offset, 255);
        return;
    }
    const Placement placement = place(context, rect);
    if (image && placement.target) placement.target->copy(*image, offset, placement.dest, placement.clip);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset)
{
    if (!noAlpha)
    {
        drawAlphaBlend(context, rect, offset, 255);
        return;
    }
    const Placement placement = place(context, rect);
    if (image && placement.target)
        placement.target->copyKeyed(*image, offset, placement.dest, soft::opaquePixel(transparentColor),
                                    placement.clip);
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset,
                             std::uint8_t alpha)
{
    const Placement placement = place(context, rect);
    if (image && placement.target)
        placement.target->blend(*image, offset, placement.dest, alpha, placement.clip);
}

} // namespace VSTGUI
