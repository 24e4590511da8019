// What a platform drawing with the software renderer provides: the pixels behind each of its windows.
#pragma once

namespace VSTGUI
{

namespace raster
{
class Surface;
}

namespace platform
{

/// The surface that stands for the window's pixels, lent to a drawing context on the window; null for a
/// window that has none (one of another program, or none at all).
raster::Surface* acquireWindowSurface(void* window);
/// The context is done with the surface it borrowed; what it drew may now reach the screen.
void releaseWindowSurface(void* window);

} // namespace platform
} // namespace VSTGUI
