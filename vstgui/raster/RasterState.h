// The software renderer's part behind the drawing context, the off-screen context and the bitmap.
#pragma once

#include "CBitmap.h"
#include "CDrawContext.h"
#include "COffscreenContext.h"
#include "Surface.h"

#include <cstdint>
#include <memory>

namespace VSTGUI
{

namespace raster
{

/// The pen as it was made: later state changes do not alter it until the next one is made.
struct Pen
{
    std::uint32_t pixel = 0;
    std::int32_t width = 0;
    bool dashed = false;
};

/// How many pens, brushes and fonts a context made; unchanged state must make none.
struct ObjectCounts
{
    std::int32_t pens = 0;
    std::int32_t brushes = 0;
    std::int32_t fonts = 0;
};

/// The surface a context draws into, or null.
inline Surface* surfaceOf(const CDrawContext* context)
{
    return context ? static_cast<Surface*>(context->getSystemContext()) : nullptr;
}

} // namespace raster

struct CDrawContext::Device
{
    void* borrowedWindow = nullptr; ///< the window whose surface is drawn into, given back at the end
    raster::Pen pen;
    std::uint32_t brush = 0;
    raster::ObjectCounts made;
};

struct COffscreenContext::Buffer
{
    raster::Surface surface;
};

/// Bitmaps of the same resource share one copy of its pixels, read-only.
struct CBitmap::Image
{
    std::shared_ptr<const raster::Surface> pixels;
};

} // namespace VSTGUI
