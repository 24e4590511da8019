// The GDI part behind the drawing context, the off-screen context and the bitmap.
#pragma once

#include "CBitmap.h"
#include "CDrawContext.h"
#include "COffscreenContext.h"

#include <windows.h>

#include <cstdint>

namespace VSTGUI
{

struct CDrawContext::Device
{
    HDC ownedContext = nullptr; ///< obtained from the window, released at the end
    HGDIOBJ ownBrush = nullptr;
    HGDIOBJ ownPen = nullptr;
    HGDIOBJ ownFont = nullptr;
    HGDIOBJ oldBrush = nullptr; ///< what was selected before, put back at the end
    HGDIOBJ oldPen = nullptr;
    HGDIOBJ oldFont = nullptr;
    bool clipSelected = false;
};

/// A 32-bit DIB section, so the pixels stay exact whatever the screen depth.
struct COffscreenContext::Buffer
{
    HDC context = nullptr; ///< null when the pixels could not be made
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* pixels = nullptr; ///< top-down 0xAARRGGBB rows; call GdiFlush before reading
};

struct CBitmap::Image
{
    HBITMAP handle = nullptr;
    const std::uint32_t* pixels = nullptr; ///< bottom-up premultiplied rows of a decoded image, else null
};

} // namespace VSTGUI
