// GDI drawing context: GDI objects are made only when the requested state differs from the current one.
#include "CDrawContext.h"

#include "CFrame.h"
#include "MouseButtons.h"
#include "Win32Shared.h"

#include <cstring>

namespace VSTGUI
{

namespace
{

COLORREF toColorRef(const CColor& color)
{
    return RGB(color.red, color.green, color.blue);
}

HDC dc(void* context)
{
    return static_cast<HDC>(context);
}

bool keyDown(int virtualKey)
{
    return GetAsyncKeyState(virtualKey) < 0;
}

} // namespace

std::int32_t mouseButtonsFromKeys(bool left, bool middle, bool right, bool shift, bool control, bool alt,
                                  bool swapped)
{
    std::int32_t buttons = 0;
    if (left) buttons |= swapped ? kRButton : kLButton;
    if (middle) buttons |= kMButton;
    if (right) buttons |= swapped ? kLButton : kRButton;
    if (shift) buttons |= kShift;
    if (control) buttons |= kControl;
    if (alt) buttons |= kAlt;
    return buttons;
}

CDrawContext::CDrawContext(CFrame* frameIn, void* systemContextIn, void* windowIn)
    : systemContext(systemContextIn), window(windowIn), frame(frameIn), penStyle(PS_SOLID)
{
    if (frame)
        frame->getViewSize(clipRect);
    else
        clipRect = CRect(0, 0, 1000, 1000);

    if (!systemContext && window)
    {
        ownedContext = GetDC(static_cast<HWND>(window));
        systemContext = ownedContext;
    }
    if (systemContext)
    {
        oldBrush = GetCurrentObject(dc(systemContext), OBJ_BRUSH);
        oldPen = GetCurrentObject(dc(systemContext), OBJ_PEN);
        oldFont = GetCurrentObject(dc(systemContext), OBJ_FONT);
        SetBkMode(dc(systemContext), TRANSPARENT);
    }
    if (window)
    {
        RECT windowRect;
        GetWindowRect(static_cast<HWND>(window), &windowRect);
        offsetScreen = CPoint(windowRect.left, windowRect.top);
    }
    applyDefaults();
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

CDrawContext::~CDrawContext()
{
    if (systemContext)
    {
        if (oldBrush) SelectObject(dc(systemContext), oldBrush);
        if (oldPen) SelectObject(dc(systemContext), oldPen);
        if (oldFont) SelectObject(dc(systemContext), oldFont);
        // A borrowed device context must not keep the clip of a drawing that has ended.
        if (clipSelected) SelectClipRgn(dc(systemContext), nullptr);
    }
    if (ownBrush) DeleteObject(ownBrush);
    if (ownPen) DeleteObject(ownPen);
    if (ownFont) DeleteObject(ownFont);
    if (ownedContext) ReleaseDC(static_cast<HWND>(window), dc(ownedContext));
    if (ownsSystemContext && systemContext) DeleteDC(dc(systemContext));
}

void CDrawContext::recreatePen()
{
    if (!systemContext) return;
    LOGPEN description = {static_cast<UINT>(penStyle), {frameWidth, frameWidth}, toColorRef(frameColor)};
    HPEN pen = CreatePenIndirect(&description);
    if (!pen) return;
    SelectObject(dc(systemContext), pen);
    if (ownPen) DeleteObject(ownPen);
    ownPen = pen;
}

void CDrawContext::setFrameColor(const CColor& color)
{
    if (color == frameColor) return;
    frameColor = color;
    recreatePen();
}

void CDrawContext::setLineStyle(std::int32_t style)
{
    if (style == lineStyle) return;
    lineStyle = style;
    penStyle = style == kLineSolid ? PS_SOLID : PS_DASH;
    recreatePen();
}

void CDrawContext::setLineWidth(std::int32_t width)
{
    if (width == frameWidth) return;
    frameWidth = width;
    recreatePen();
}

void CDrawContext::setFillColor(const CColor& color)
{
    if (color == fillColor) return;
    fillColor = color;
    if (!systemContext) return;
    SetBkColor(dc(systemContext), toColorRef(color));
    LOGBRUSH description = {BS_SOLID, toColorRef(color), 0};
    HBRUSH brush = CreateBrushIndirect(&description);
    if (!brush) return;
    SelectObject(dc(systemContext), brush);
    if (ownBrush) DeleteObject(ownBrush);
    ownBrush = brush;
}

void CDrawContext::setFontColor(const CColor& color)
{
    fontColor = color;
    if (systemContext) SetTextColor(dc(systemContext), toColorRef(color));
}

void CDrawContext::setDrawMode(std::int32_t mode)
{
    if (mode == drawMode) return;
    drawMode = mode;
    if (systemContext) SetROP2(dc(systemContext), R2_COPYPEN);
}

void CDrawContext::setFont(std::int32_t id, std::int32_t /*size*/, std::int32_t style)
{
    id = normalizeFontId(id);
    const StandardFont& entry = kStandardFonts[id];
    if (id == fontId && entry.size == fontSize && style == fontStyle) return;
    fontStyle = style;
    fontId = id;
    fontSize = entry.size;

    LOGFONTA description = {};
    description.lfHeight = -entry.size;
    description.lfWeight = fontWeight(id, style);
    description.lfItalic = (style & kItalicFace) ? TRUE : FALSE;
    description.lfUnderline = (style & kUnderlineFace) ? TRUE : FALSE;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | (id == kSymbolFont ? FF_DECORATIVE : FF_SWISS);
    std::strncpy(description.lfFaceName, entry.face, LF_FACESIZE - 1);
    if (!systemContext) return;
    HFONT font = CreateFontIndirectA(&description);
    if (!font) return;
    SelectObject(dc(systemContext), font);
    if (ownFont) DeleteObject(ownFont);
    ownFont = font;
}

void CDrawContext::fillRect(const CRect& rect)
{
    if (!systemContext) return;
    RECT area = {rect.left + offset.h + 1, rect.top + offset.v + 1, rect.right + offset.h,
                 rect.bottom + offset.v};
    // The selected brush, so that a brush that could not be made leaves the previous one in use.
    FillRect(dc(systemContext), &area, static_cast<HBRUSH>(GetCurrentObject(dc(systemContext), OBJ_BRUSH)));
}

void CDrawContext::moveTo(const CPoint& point)
{
    penLocation = point;
    if (systemContext) MoveToEx(dc(systemContext), point.h + offset.h, point.v + offset.v, nullptr);
}

void CDrawContext::lineTo(const CPoint& point)
{
    if (systemContext)
    {
        MoveToEx(dc(systemContext), penLocation.h + offset.h, penLocation.v + offset.v, nullptr);
        LineTo(dc(systemContext), point.h + offset.h, point.v + offset.v);
    }
    penLocation = point;
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
    if (!systemContext) return;
    HRGN region = CreateRectRgn(clipRect.left, clipRect.top, clipRect.right, clipRect.bottom);
    SelectClipRgn(dc(systemContext), region);
    DeleteObject(region);
    clipSelected = true;
}

std::int32_t CDrawContext::getMouseButtons()
{
    return mouseButtonsFromKeys(keyDown(VK_LBUTTON), keyDown(VK_MBUTTON), keyDown(VK_RBUTTON),
                                keyDown(VK_SHIFT), keyDown(VK_CONTROL), keyDown(VK_MENU),
                                win32::shared().swapButtons);
}

} // namespace VSTGUI
