// The frame's child window on X11: a server connection of its own, events read at the host's idle,
// pixels sent as images.
#pragma once

#include "InputTranslation.h"
#include "PixelFormat.h"
#include "WindowPixels.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <vector>

namespace VSTGUI
{
class CFrame;
}

namespace VSTGUI::x11
{

struct FreeEvent
{
    void operator()(xcb_generic_event_t* event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, FreeEvent>;

/// The window's handle as the toolkit passes windows around.
inline void* handleOf(xcb_window_t window)
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

inline xcb_window_t windowOf(void* handle)
{
    return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(handle));
}

/// Everything here runs on the host's user-interface thread. A server error never ends the process: it
/// arrives as an event and is counted.
class FrameWindow
{
public:
    /// Connects to the display that DISPLAY names and maps a child of `parent` at (0, 0) for `frame`; null
    /// without a display, when the parent is no window there, or when its visual cannot be drawn.
    static std::unique_ptr<FrameWindow> create(CFrame& frame, xcb_window_t parent, std::int32_t width,
                                               std::int32_t height);
    ~FrameWindow();

    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    xcb_window_t id() const { return window; }
    xcb_window_t rootId() const { return root; }
    xcb_connection_t* connection() const { return link; }

    /// Reads what the server sent: exposed areas are painted now, input waits for `handleEvents`.
    void paintExposures();
    /// The host's idle: exposures, then presses, wheel turns and keys in the order they came. Inside a
    /// control's tracking loop, where input is being handled already, only exposures are painted.
    void handleEvents();

    raster::Surface* borrowSurface();
    /// When the last borrower is done, the pixels that changed go to the server.
    void returnSurface();
    void resize(std::int32_t width, std::int32_t height);
    void setMapped(bool mapped);
    /// The connection's socket, readable when events arrive.
    int descriptor() const { return xcb_get_file_descriptor(link); }
    /// A glyph of the standard cursor font, or the parent's cursor for `kParentCursor`.
    void showCursor(std::uint16_t glyph);
    static constexpr std::uint16_t kParentCursor = 0xFFFF;

private:
    struct Visual;
    FrameWindow(CFrame& frame, xcb_connection_t* link, const Visual& visual, xcb_window_t parent,
                std::int32_t width, std::int32_t height);

    void readEvents();
    void dispatch(const xcb_generic_event_t& event);
    void press(const xcb_button_press_event_t& event);
    void key(const xcb_key_press_event_t& event, bool pressed);
    void present();

    CFrame& frame;
    xcb_connection_t* link;
    xcb_window_t parent;
    xcb_window_t root = 0;
    xcb_window_t window = 0;
    xcb_gcontext_t graphics = 0;
    xcb_colormap_t colormap = 0; ///< made only when the parent's visual is not ours
    PixelFormat format;
    std::size_t maxRequestBytes = 0;
    WindowPixels pixels;
    std::vector<std::uint8_t> packed;
    std::int32_t borrowers = 0;
    std::deque<Event> input;
    CRect exposed;
    bool handlingInput = false;
    bool gone = false; ///< the server destroyed the window together with its parent
    KeyboardMapping keyboard;
};

/// Protocol errors that the server reported to any frame window's connection in this process.
std::uint64_t protocolErrors();

} // namespace VSTGUI::x11
