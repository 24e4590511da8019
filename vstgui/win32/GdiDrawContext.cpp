// The drawing context's target on Win32: a GDI device context with the pen, brush and font of the state.
#include "GdiState.h"

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

// Selects `object` and deletes the one it replaces as the context's own.
void replaceOwn(HDC context, HGDIOBJ& own, HGDIOBJ object)
{
    SelectObject(context, object);
    if (own) DeleteObject(own);
    own = object;
}

} // namespace

void CDrawContext::openDevice()
{
    device = new Device;
    if (!systemContext && window)
    {
        device->ownedContext = GetDC(static_cast<HWND>(window));
        systemContext = device->ownedContext;
    }
    if (!systemContext) return;
    device->oldBrush = GetCurrentObject(dc(systemContext), OBJ_BRUSH);
    device->oldPen = GetCurrentObject(dc(systemContext), OBJ_PEN);
    device->oldFont = GetCurrentObject(dc(systemContext), OBJ_FONT);
    SetBkMode(dc(systemContext), TRANSPARENT);
}

void CDrawContext::closeDevice()
{
    if (!device) return;
    if (systemContext)
    {
        if (device->oldBrush) SelectObject(dc(systemContext), device->oldBrush);
        if (device->oldPen) SelectObject(dc(systemContext), device->oldPen);
        if (device->oldFont) SelectObject(dc(systemContext), device->oldFont);
        // A borrowed device context must not keep the clip of a drawing that has ended.
        if (device->clipSelected) SelectClipRgn(dc(systemContext), nullptr);
    }
    if (device->ownBrush) DeleteObject(device->ownBrush);
    if (device->ownPen) DeleteObject(device->ownPen);
    if (device->ownFont) DeleteObject(device->ownFont);
    if (device->ownedContext) ReleaseDC(static_cast<HWND>(window), device->ownedContext);
    delete device;
    device = nullptr;
}

void CDrawContext::applyPen()
{
    if (!systemContext) return;
    const UINT style = lineStyle == kLineSolid ? PS_SOLID : PS_DASH;
    LOGPEN description = {style, {frameWidth, frameWidth}, toColorRef(frameColor)};
    if (HPEN pen = CreatePenIndirect(&description)) replaceOwn(dc(systemContext), device->ownPen, pen);
}

void CDrawContext::applyFill()
{
    if (!systemContext) return;
    SetBkColor(dc(systemContext), toColorRef(fillColor));
    LOGBRUSH description = {BS_SOLID, toColorRef(fillColor), 0};
    // A brush that cannot be made leaves the previous one in use.
    if (HBRUSH brush = CreateBrushIndirect(&description))
        replaceOwn(dc(systemContext), device->ownBrush, brush);
}

void CDrawContext::applyFontColor()
{
    if (systemContext) SetTextColor(dc(systemContext), toColorRef(fontColor));
}

void CDrawContext::applyFont()
{
    if (!systemContext) return;
    const StandardFont& entry = kStandardFonts[fontId];
    LOGFONTA description = {};
    description.lfHeight = -entry.size;
    description.lfWeight = fontWeight(fontId, fontStyle);
    description.lfItalic = (fontStyle & kItalicFace) ? TRUE : FALSE;
    description.lfUnderline = (fontStyle & kUnderlineFace) ? TRUE : FALSE;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | (fontId == kSymbolFont ? FF_DECORATIVE : FF_SWISS);
    std::strncpy(description.lfFaceName, entry.face, LF_FACESIZE - 1);
    if (HFONT font = CreateFontIndirectA(&description)) replaceOwn(dc(systemContext), device->ownFont, font);
}

void CDrawContext::applyDrawMode()
{
    if (systemContext) SetROP2(dc(systemContext), R2_COPYPEN);
}

void CDrawContext::applyClip()
{
    if (!systemContext) return;
    HRGN region = CreateRectRgn(clipRect.left, clipRect.top, clipRect.right, clipRect.bottom);
    SelectClipRgn(dc(systemContext), region);
    DeleteObject(region);
    device->clipSelected = true;
}

void CDrawContext::paintFill(const CRect& area)
{
    RECT fill = {area.left, area.top, area.right, area.bottom};
    // The selected brush, so that a brush that could not be made leaves the previous one in use.
    FillRect(dc(systemContext), &fill, static_cast<HBRUSH>(GetCurrentObject(dc(systemContext), OBJ_BRUSH)));
}

void CDrawContext::paintLine(const CPoint& from, const CPoint& to)
{
    MoveToEx(dc(systemContext), from.h, from.v, nullptr);
    LineTo(dc(systemContext), to.h, to.v);
}

void CDrawContext::copyPixels(const CRect& area, const CDrawContext& source, const CPoint& sourceOrigin)
{
    BitBlt(dc(systemContext), area.left, area.top, area.getWidth(), area.getHeight(),
           dc(source.systemContext), sourceOrigin.h, sourceOrigin.v, SRCCOPY);
}

} // namespace VSTGUI
