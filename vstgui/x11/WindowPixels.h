// The pixels behind a window, and which of them the X server has not been sent yet.
#pragma once

#include "CRect.h"
#include "Surface.h"

#include <cstdint>

namespace VSTGUI::x11
{

/// Drawing contexts on the window draw into `surface`; a copy of what the server was last sent finds the
/// pixels that really changed, so a whole-frame copy into the window sends only what differs.
class WindowPixels
{
public:
    WindowPixels(std::int32_t width, std::int32_t height);

    raster::Surface& surface() { return current; }
    const raster::Surface& surface() const { return current; }
    /// The server lost `rect` (exposed): it goes out with the next changes even if no pixel differs.
    void resend(const CRect& rect);
    /// The smallest rectangle holding every changed pixel and every area to resend, now counted as sent.
    CRect takeChanges();

private:
    CRect changedArea() const;

    raster::Surface current;
    raster::Surface sent;
    CRect lost;
};

} // namespace VSTGUI::x11
