// Drawing state and primitives of the software back end, mirroring what the GDI context draws.
#include "CDrawContext.h"

#include "CFrame.h"
#include "SoftPlatform.h"
#include "Surface.h"

#include <cstdlib>

namespace VSTGUI
{

namespace
{

// A cosmetic dashed pen: 18 pixels drawn, 6 left out.
constexpr std::int32_t kDashOn = 18;
constexpr std::int32_t kDashPeriod = 24;

} // namespace

CDrawContext::CDrawContext(CFrame* owner, void* systemContext, void* nativeWindow)
    : window(nativeWindow), frame(owner), clipRect(0, 0, 1000, 1000)
{
    if (frame) frame->getViewSize(clipRect);
    auto* softWindow = static_cast<soft::Window*>(nativeWindow);
    if (systemContext)
    {
        surface = static_cast<soft::Surface*>(systemContext);
    }
    else if (softWindow)
    {
        ownedWindow = softWindow;
        surface = softWindow->surface.get();
        ++softWindow->contextsOut;
    }
    if (softWindow) offsetScreen = softWindow->screenOrigin;

    setFrameColor(kWhiteCColor);
    setLineStyle(kLineSolid);
    setLineWidth(1);
    setFillColor(kBlackCColor);
    setFontColor(kWhiteCColor);
    setFont(kSystemFont, 0, 0);
    setDrawMode(kCopyMode);
}

CDrawContext::~CDrawContext()
{
    if (ownedWindow) --ownedWindow->contextsOut;
}

void CDrawContext::createPen()
{
    penColor = frameColor;
    penWidth = frameWidth;
    penDashed = lineStyle == kLineOnOffDash;
    ++created.pens;
}

void CDrawContext::setFrameColor(const CColor& color)
{
    if (color == frameColor) return;
    frameColor = color;
    createPen();
}

void CDrawContext::setLineStyle(std::int32_t style)
{
    if (style == lineStyle) return;
    lineStyle = style;
    createPen();
}

void CDrawContext::setLineWidth(std::int32_t width)
{
    if (width == frameWidth) return;
    frameWidth = width;
    createPen();
}

void CDrawContext::setFillColor(const CColor& color)
{
    if (color == fillColor) return;
    fillColor = color;
    ++created.brushes;
}

void CDrawContext::setFontColor(const CColor& color)
{
    fontColor = color;
}

void CDrawContext::setDrawMode(std::int32_t mode)
{
    if (mode == drawMode) return;
    drawMode = mode;
}

void CDrawContext::setFont(std::int32_t id, std::int32_t, std::int32_t style)
{
    const std::int32_t chosen = normalizeFontId(id);
    const std::int32_t standardSize = kStandardFonts[chosen].size;
    if (chosen == fontId && standardSize == fontSize && style == fontStyle) return;
    fontStyle = style;
    fontId = chosen;
    fontSize = standardSize;
    font.height = -standardSize;
    font.weight = fontWeight(chosen, style);
    font.italic = (style & kItalicFace) != 0;
    font.underline = (style & kUnderlineFace) != 0;
    font.face = kStandardFonts[chosen].face;
    ++created.fonts;
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = clipRect;
    clip.offset(-offset.h, -offset.v);
    return clip;
}

void CDrawContext::setClipRect(const CRect& clip)
{
    clipRect = clip;
    clipRect.offset(offset.h, offset.v);
}

std::int32_t CDrawContext::getMouseButtons()
{
    return soft::environment().buttons;
}

void CDrawContext::moveTo(const CPoint& point)
{
    penLocation = point;
}

void CDrawContext::stamp(std::int32_t x, std::int32_t y, std::int32_t step)
{
    if (penDashed && penWidth <= 1 && step % kDashPeriod >= kDashOn) return;
    const std::uint32_t value = soft::opaquePixel(penColor);
    if (penWidth <= 1)
    {
        surface->plot(x, y, value, clipRect);
        return;
    }
    const std::int32_t half = penWidth / 2;
    CRect dot(x - half, y - half, x - half + penWidth, y - half + penWidth);
    surface->fill(dot, value, clipRect);
}

void CDrawContext::lineTo(const CPoint& point)
{
    if (surface)
    {
        // Bresenham from the pen position; like GDI's LineTo the last pixel is left out.
        std::int32_t x = penLocation.h + offset.h;
        std::int32_t y = penLocation.v + offset.v;
        const std::int32_t x1 = point.h + offset.h;
        const std::int32_t y1 = point.v + offset.v;
        const std::int32_t dx = std::abs(x1 - x);
        const std::int32_t dy = -std::abs(y1 - y);
        const std::int32_t sx = x < x1 ? 1 : -1;
        const std::int32_t sy = y < y1 ? 1 : -1;
        std::int32_t error = dx + dy;
        for (std::int32_t step = 0; x != x1 || y != y1; ++step)
        {
            stamp(x, y, step);
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
    penLocation = point;
}

void CDrawContext::fillRect(const CRect& rect)
{
    if (!surface) return;
    CRect area = rect;
    area.offset(offset.h, offset.v);
    area.left += 1;
    area.top += 1;
    surface->fill(area, soft::opaquePixel(fillColor), clipRect);
}

} // namespace VSTGUI
