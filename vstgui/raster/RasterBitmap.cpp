// Bitmaps in the software renderer: the decoded pixels as a surface, copied, colour-keyed or blended.
#include "PngImage.h"
#include "RasterState.h"
#include "ResourceLookup.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace VSTGUI
{

namespace
{

/// Where a draw of `rect` lands on the context's surface, and the clip there.
struct Placement
{
    raster::Surface& target;
    CRect dest;
    CRect clip;
};

Placement place(CDrawContext& context, const CRect& rect)
{
    Placement placement{*raster::surfaceOf(&context), rect, CRect()};
    placement.dest.offset(context.offset.h, context.offset.v);
    context.getClipRect(placement.clip);
    placement.clip.offset(context.offset.h, context.offset.v);
    return placement;
}

std::shared_ptr<const raster::Surface> surfaceFrom(const DecodedImage& decoded)
{
    auto surface = std::make_shared<raster::Surface>(decoded.width, decoded.height);
    for (std::int32_t y = 0; y < decoded.height; ++y)
        std::copy_n(decoded.pixels.data() + static_cast<std::size_t>(y) * decoded.width, decoded.width,
                    surface->row(y));
    return surface;
}

/// Resource bytes stay in place for the life of the module, so their address names the image. Every
/// editor opened in the process then shares one copy of each image instead of decoding its own.
std::shared_ptr<const raster::Surface> resourceSurface(const unsigned char* data, std::size_t size)
{
    static std::mutex guard;
    static std::map<const unsigned char*, std::shared_ptr<const raster::Surface>> surfaces;
    const std::lock_guard<std::mutex> lock(guard);
    auto& surface = surfaces[data];
    DecodedImage decoded;
    if (!surface && decodeImage(data, size, decoded)) surface = surfaceFrom(decoded);
    return surface;
}

} // namespace

bool CBitmap::adoptImage(const DecodedImage& decoded)
{
    image = new Image{surfaceFrom(decoded)};
    width = decoded.width;
    height = decoded.height;
    return true;
}

bool CBitmap::adoptResourceImage(const unsigned char* data, std::size_t size)
{
    std::shared_ptr<const raster::Surface> pixels = resourceSurface(data, size);
    if (!pixels) return false;
    width = pixels->getWidth();
    height = pixels->getHeight();
    image = new Image{std::move(pixels)};
    return true;
}

bool CBitmap::loadBitmapResource(std::uint16_t id)
{
    const qm07::ResourceBytes bytes = qm07::findResource(id, "BMP");
    if (!bytes.data || !adoptResourceImage(bytes.data, bytes.size)) return false;
    noAlpha = true;
    return true;
}

void CBitmap::releaseImage()
{
    delete image;
    image = nullptr;
}

void CBitmap::copyImage(CDrawContext& context, const CRect& rect, const CPoint& offset)
{
    const Placement at = place(context, rect);
    at.target.copy(*image->pixels, offset, at.dest, at.clip);
}

void CBitmap::copyImageKeyed(CDrawContext& context, const CRect& rect, const CPoint& offset)
{
    const Placement at = place(context, rect);
    at.target.copyKeyed(*image->pixels, offset, at.dest, raster::opaquePixel(transparentColor), at.clip);
}

void CBitmap::blendImage(CDrawContext& context, const CRect& rect, const CPoint& offset, std::uint8_t alpha)
{
    const Placement at = place(context, rect);
    at.target.blend(*image->pixels, offset, at.dest, alpha, at.clip);
}

} // namespace VSTGUI
