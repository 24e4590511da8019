// Drawing state: a back end is asked to make pens, brushes and fonts only when the state really changes.
#include "CDrawContext.h"

#include "CFrame.h"
#include "PlatformFrame.h"

namespace VSTGUI
{

namespace
{

/// Takes `value` into `field`; true when that changed it.
template <typename T> bool changeTo(T& field, const T& value)
{
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace

CDrawContext::CDrawContext(CFrame* frameIn, void* systemContextIn, void* windowIn)
    : systemContext(systemContextIn), window(windowIn), frame(frameIn), clipRect(0, 0, 1000, 1000)
{
    if (frame) frame->getViewSize(clipRect);
    openDevice();
    if (window) offsetScreen = platform::getWindowScreenOrigin(window);
    applyDefaults();
}

CDrawContext::~CDrawContext()
{
    closeDevice();
}

void CDrawContext::applyDefaults()
{
    setFrameColor(kWhiteCColor);
    setLineStyle(kLineSolid);
    setLineWidth(1);
    setFillColor(kBlackCColor);
    setFontColor(kWhiteCColor);
    setFont(kSystemFont, 0, 0);
    setDrawMode(kCopyMode);
}

void CDrawContext::setFrameColor(const CColor& color)
{
    if (changeTo(frameColor, color)) applyPen();
}

void CDrawContext::setLineStyle(std::int32_t style)
{
    if (changeTo(lineStyle, style)) applyPen();
}

void CDrawContext::setLineWidth(std::int32_t width)
{
    if (changeTo(frameWidth, width)) applyPen();
}

void CDrawContext::setFillColor(const CColor& color)
{
    if (changeTo(fillColor, color)) applyFill();
}

void CDrawContext::setFontColor(const CColor& color)
{
    fontColor = color;
    applyFontColor();
}

void CDrawContext::setDrawMode(std::int32_t mode)
{
    if (changeTo(drawMode, mode)) applyDrawMode();
}

void CDrawContext::setFont(std::int32_t id, std::int32_t /*size*/, std::int32_t style)
{
    id = normalizeFontId(id);
    const std::int32_t size = kStandardFonts[id].size;
    if (id == fontId && size == fontSize && style == fontStyle) return;
    fontStyle = style;
    fontId = id;
    fontSize = size;
    applyFont();
}

void CDrawContext::moveTo(const CPoint& point)
{
    penLocation = point;
}

void CDrawContext::lineTo(const CPoint& point)
{
    if (systemContext)
        paintLine(CPoint(penLocation.h + offset.h, penLocation.v + offset.v),
                  CPoint(point.h + offset.h, point.v + offset.v));
    penLocation = point;
}

void CDrawContext::fillRect(const CRect& rect)
{
    if (!systemContext) return;
    CRect area = rect;
    area.offset(offset.h, offset.v);
    area.left += 1;
    area.top += 1;
    paintFill(area);
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
    applyClip();
}

std::int32_t CDrawContext::getMouseButtons()
{
    return platform::getMouseButtons();
}

} // namespace VSTGUI
