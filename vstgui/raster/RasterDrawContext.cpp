// The drawing context's target in the software renderer: a pixel surface, drawn the way GDI draws.
#include "RasterState.h"
#include "WindowSurface.h"

#include <cstdlib>

namespace VSTGUI
{

namespace
{

// A cosmetic dashed pen: 18 pixels drawn, 6 left out.
constexpr std::int32_t kDashOn = 18;
constexpr std::int32_t kDashPeriod = 24;

} // namespace

void CDrawContext::openDevice()
{
    device = new Device;
    if (systemContext || !window) return;
    systemContext = platform::acquireWindowSurface(window);
    device->borrowedWindow = window;
}

void CDrawContext::closeDevice()
{
    if (!device) return;
    if (device->borrowedWindow) platform::releaseWindowSurface(device->borrowedWindow);
    delete device;
    device = nullptr;
}

void CDrawContext::applyPen()
{
    device->pen = raster::Pen{raster::opaquePixel(frameColor), frameWidth, lineStyle == kLineOnOffDash};
    ++device->made.pens;
}

void CDrawContext::applyFill()
{
    device->brush = raster::opaquePixel(fillColor);
    ++device->made.brushes;
}

void CDrawContext::applyFontColor() {}

void CDrawContext::applyFont()
{
    // No text is drawn; the font only has to exist, as on GDI.
    ++device->made.fonts;
}

void CDrawContext::applyDrawMode() {}

void CDrawContext::applyClip() {}

void CDrawContext::paintFill(const CRect& area)
{
    raster::surfaceOf(this)->fill(area, device->brush, clipRect);
}

void CDrawContext::paintLine(const CPoint& from, const CPoint& to)
{
    raster::Surface& surface = *raster::surfaceOf(this);
    const raster::Pen& pen = device->pen;
    // Bresenham; like GDI's LineTo the last pixel is left out.
    std::int32_t x = from.h;
    std::int32_t y = from.v;
    const std::int32_t dx = std::abs(to.h - x);
    const std::int32_t dy = -std::abs(to.v - y);
    const std::int32_t sx = x < to.h ? 1 : -1;
    const std::int32_t sy = y < to.v ? 1 : -1;
    std::int32_t error = dx + dy;
    for (std::int32_t step = 0; x != to.h || y != to.v; ++step)
    {
        if (pen.width <= 1)
        {
            if (!pen.dashed || step % kDashPeriod < kDashOn) surface.plot(x, y, pen.pixel, clipRect);
        }
        else
        {
            const std::int32_t half = pen.width / 2;
            surface.fill(CRect(x - half, y - half, x - half + pen.width, y - half + pen.width), pen.pixel,
                         clipRect);
        }
        const std::int32_t twice = 2 * error;
        if (twice >= dy)
        {
            error += dy;
            x += sx;
        }
        if (twice <= dx)
        {
            error += dx;
            y += sy;
        }
    }
}

void CDrawContext::copyPixels(const CRect& area, const CDrawContext& source, const CPoint& sourceOrigin)
{
    raster::surfaceOf(this)->copy(*raster::surfaceOf(&source), sourceOrigin, area, clipRect);
}

} // namespace VSTGUI
