// The off-screen context's buffer in the software renderer: a surface of its own.
#include "RasterState.h"

namespace VSTGUI
{

COffscreenContext::Buffer* COffscreenContext::createBuffer(CFrame*, std::int32_t width, std::int32_t height)
{
    return new Buffer{raster::Surface(width, height)};
}

void* COffscreenContext::targetOf(const Buffer& buffer)
{
    return const_cast<raster::Surface*>(&buffer.surface);
}

void COffscreenContext::destroyBuffer(Buffer* buffer)
{
    delete buffer;
}

} // namespace VSTGUI
