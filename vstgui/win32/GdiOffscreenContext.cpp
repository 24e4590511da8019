// The off-screen context's buffer on Win32: a 32-bit DIB section in a memory device context.
#include "GdiState.h"

#include "BlitHelpers.h"
#include "CFrame.h"

namespace VSTGUI
{

COffscreenContext::Buffer* COffscreenContext::createBuffer(CFrame* owner, std::int32_t width,
                                                           std::int32_t height)
{
    auto* buffer = new Buffer;
    if (width <= 0 || height <= 0) return buffer;
    // Compatible with the frame's window, or with the screen without one.
    HWND window = owner ? static_cast<HWND>(owner->getWindow()) : nullptr;
    HDC windowContext = GetDC(window);
    HDC memory = CreateCompatibleDC(windowContext);
    ReleaseDC(window, windowContext);
    if (!memory) return buffer;
    BITMAPINFO info = win32::dibInfo32(width, -height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
    {
        DeleteDC(memory);
        return buffer;
    }
    *buffer = Buffer{memory, bitmap, SelectObject(memory, bitmap), static_cast<std::uint32_t*>(bits)};
    return buffer;
}

void* COffscreenContext::targetOf(const Buffer& buffer)
{
    return buffer.context;
}

void COffscreenContext::destroyBuffer(Buffer* buffer)
{
    if (buffer->context)
    {
        SelectObject(buffer->context, buffer->previous);
        DeleteObject(buffer->bitmap);
        DeleteDC(buffer->context);
    }
    delete buffer;
}

} // namespace VSTGUI
