// Raster operations on premultiplied 32-bit pixels, clipped to the surface and a clip rectangle.
#include "Surface.h"

#include "PremultipliedBlend.h"

#include <algorithm>

namespace VSTGUI::raster
{

namespace
{

CRect intersection(CRect a, const CRect& b)
{
    a.bound(b);
    return a;
}

/// The part of `dest` on `target` that is inside the clip, the target and the source.
CRect visiblePart(const Surface& target, const Surface& source, const CPoint& sourceOrigin, const CRect& dest,
                  const CRect& clip)
{
    // Source pixels outside the source image have no defined colour, so those destinations are left alone.
    CRect sourceArea = source.bounds();
    sourceArea.offset(dest.left - sourceOrigin.h, dest.top - sourceOrigin.v);
    return intersection(intersection(intersection(dest, clip), target.bounds()), sourceArea);
}

/// Calls `combine(targetPixel, sourcePixel)` for every visible pixel of `dest`.
template <typename Combine>
void combinePixels(Surface& target, const Surface& source, const CPoint& sourceOrigin, const CRect& dest,
                   const CRect& clip, Combine combine)
{
    const CRect area = visiblePart(target, source, sourceOrigin, dest, clip);
    const std::int32_t dx = sourceOrigin.h - dest.left;
    const std::int32_t dy = sourceOrigin.v - dest.top;
    for (std::int32_t y = area.top; y < area.bottom; ++y)
    {
        const std::uint32_t* from = source.row(y + dy) + area.left + dx;
        std::uint32_t* to = target.row(y) + area.left;
        for (std::int32_t x = 0; x < area.getWidth(); ++x)
            combine(to[x], from[x]);
    }
}

} // namespace

Surface::Surface(std::int32_t w, std::int32_t h, std::uint32_t initial)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), initial)
{
}

std::uint32_t Surface::pixel(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return row(y)[x];
}

void Surface::setPixel(std::int32_t x, std::int32_t y, std::uint32_t value)
{
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    row(y)[x] = value;
}

void Surface::fill(const CRect& rect, std::uint32_t value, const CRect& clip)
{
    const CRect area = intersection(intersection(rect, clip), bounds());
    for (std::int32_t y = area.top; y < area.bottom; ++y)
        std::fill(row(y) + area.left, row(y) + area.right, value);
}

void Surface::plot(std::int32_t x, std::int32_t y, std::uint32_t value, const CRect& clip)
{
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
    setPixel(x, y, value);
}

void Surface::copy(const Surface& source, const CPoint& sourceOrigin, const CRect& dest, const CRect& clip)
{
    const CRect area = visiblePart(*this, source, sourceOrigin, dest, clip);
    const std::int32_t dx = sourceOrigin.h - dest.left;
    const std::int32_t dy = sourceOrigin.v - dest.top;
    for (std::int32_t y = area.top; y < area.bottom; ++y)
    {
        const std::uint32_t* from = source.row(y + dy) + area.left + dx;
        std::copy(from, from + area.getWidth(), row(y) + area.left);
    }
}

void Surface::blend(const Surface& source, const CPoint& sourceOrigin, const CRect& dest, std::uint8_t alpha,
                    const CRect& clip)
{
    combinePixels(*this, source, sourceOrigin, dest, clip,
                  [alpha](std::uint32_t& to, std::uint32_t from)
                  { to = blendPremultiplied(to, from, alpha); });
}

void Surface::copyKeyed(const Surface& source, const CPoint& sourceOrigin, const CRect& dest,
                        std::uint32_t key, const CRect& clip)
{
    combinePixels(*this, source, sourceOrigin, dest, clip,
                  [key](std::uint32_t& to, std::uint32_t from)
                  {
                      if ((from & 0x00FFFFFFu) != (key & 0x00FFFFFFu)) to = from;
                  });
}

} // namespace VSTGUI::raster
