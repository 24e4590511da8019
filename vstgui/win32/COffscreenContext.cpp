// Off-screen buffer as a 32-bit DIB section, so its pixels stay exact whatever the screen depth.
#include "COffscreenContext.h"

#include "BlitHelpers.h"
#include "CFrame.h"

#include <windows.h>

#include <algorithm>

namespace VSTGUI
{

namespace
{

// The memory context must be compatible with the frame's window, or with the screen without one.
HDC createMemoryContext(CFrame* frame)
{
    HWND window = frame ? static_cast<HWND>(frame->getWindow()) : nullptr;
    HDC windowContext = GetDC(window);
    HDC memory = CreateCompatibleDC(windowContext);
    ReleaseDC(window, windowContext);
    return memory;
}

} // namespace

COffscreenContext::COffscreenContext(CFrame* frameIn, std::int32_t widthIn, std::int32_t heightIn,
                                     const CColor& background)
    : CDrawContext(frameIn, createMemoryContext(frameIn), nullptr), height(heightIn), width(widthIn),
      backgroundColor(background)
{
    ownsSystemContext = true;
    setClipRect(CRect(0, 0, std::max(width, 0), std::max(height, 0)));
    HDC memory = static_cast<HDC>(getSystemContext());
    if (!memory || width <= 0 || height <= 0) return;

    BITMAPINFO info = win32::dibInfo32(width, -height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    memoryBitmap = bitmap;
    pixels = static_cast<std::uint32_t*>(bits);
    oldBitmap = SelectObject(memory, bitmap);

    setFillColor(backgroundColor);
    setFrameColor(backgroundColor);
    fillRect(CRect(0, 0, width, height));
    moveTo(CPoint(0, 0));
    lineTo(CPoint(width - 1, 0));
    lineTo(CPoint(width - 1, height - 1));
    lineTo(CPoint(0, height - 1));
    lineTo(CPoint(0, 0));
}

COffscreenContext::~COffscreenContext()
{
    // The base destructor restores the GDI objects and deletes the memory context afterwards.
    if (memoryBitmap)
    {
        SelectObject(static_cast<HDC>(getSystemContext()), oldBitmap);
        DeleteObject(memoryBitmap);
    }
}

void COffscreenContext::copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& sourceOffset)
{
    if (!dest || !dest->getSystemContext() || !getSystemContext()) return;
    BitBlt(static_cast<HDC>(dest->getSystemContext()), destRect.left + dest->offset.h,
           destRect.top + dest->offset.v, destRect.getWidth(), destRect.getHeight(),
           static_cast<HDC>(getSystemContext()), sourceOffset.h, sourceOffset.v, SRCCOPY);
}

void COffscreenContext::copyTo(CDrawContext* source, const CRect& sourceRect, const CPoint& destOffset)
{
    if (!source || !source->getSystemContext() || !getSystemContext()) return;
    BitBlt(static_cast<HDC>(getSystemContext()), destOffset.h, destOffset.v, sourceRect.getWidth(),
           sourceRect.getHeight(), static_cast<HDC>(source->getSystemContext()),
           sourceRect.left + source->offset.h, sourceRect.top + source->offset.v, SRCCOPY);
}

} // namespace VSTGUI
