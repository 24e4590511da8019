// The platform API on X11: each frame's window on a connection of its own, events read at the host's idle,
// the pointer and buttons asked of the server, drawing with the software renderer.
#include "PlatformFrame.h"

#include "CFrame.h"
#include "FrameWindow.h"
#include "WindowSurface.h"
#include "XcbReply.h"

#include <X11/cursorfont.h>
#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace VSTGUI::platform
{

struct PlatformFrame
{
    std::unique_ptr<x11::FrameWindow> window;
};

namespace
{

/// The frames' windows of the process, oldest first; all on the user-interface thread.
std::vector<x11::FrameWindow*>& liveWindows()
{
    static std::vector<x11::FrameWindow*> windows;
    return windows;
}

x11::FrameWindow* findWindow(void* handle)
{
    for (x11::FrameWindow* window : liveWindows())
        if (x11::handleOf(window->id()) == handle) return window;
    return nullptr;
}

/// A connection to ask about the pointer or a window that is not ours: any frame's serves.
x11::FrameWindow* anyWindow()
{
    return liveWindows().empty() ? nullptr : liveWindows().front();
}

struct Geometry
{
    CRect rect; ///< in the parent's coordinates
    xcb_window_t parent = 0;
    xcb_window_t root = 0;
};

bool measure(xcb_connection_t* link, xcb_window_t window, Geometry& geometry)
{
    auto size =
        x11::ask<xcb_get_geometry_reply_t>(link, xcb_get_geometry(link, window), xcb_get_geometry_reply);
    auto tree = x11::ask<xcb_query_tree_reply_t>(link, xcb_query_tree(link, window), xcb_query_tree_reply);
    if (!size || !tree) return false;
    geometry.rect = CRect(size->x, size->y, size->x + size->width, size->y + size->height);
    geometry.parent = tree->parent;
    geometry.root = tree->root;
    return true;
}

x11::Reply<xcb_query_pointer_reply_t> queryPointer()
{
    x11::FrameWindow* window = anyWindow();
    if (!window) return nullptr;
    xcb_connection_t* link = window->connection();
    return x11::ask<xcb_query_pointer_reply_t>(link, xcb_query_pointer(link, window->rootId()),
                                               xcb_query_pointer_reply);
}

std::uint16_t cursorGlyph(std::int32_t cursorType)
{
    switch (cursorType)
    {
    case kCursorWait:
        return XC_watch;
    case kCursorHSize:
        return XC_sb_h_double_arrow;
    case kCursorVSize:
        return XC_sb_v_double_arrow;
    case kCursorSizeAll:
        return XC_fleur;
    case kCursorNESWSize:
        return XC_bottom_left_corner;
    case kCursorNWSESize:
        return XC_bottom_right_corner;
    case kCursorNotAllowed:
        return XC_circle;
    case kCursorHand:
        return XC_hand2;
    default:
        return x11::FrameWindow::kParentCursor; // also for kCursorCopy: the cursor font has none
    }
}

} // namespace

PlatformFrame* createPlatformFrame(CFrame& frame, void* parentWindow)
{
    auto* platformFrame = new PlatformFrame;
    if (!parentWindow) return platformFrame;
    CRect size;
    frame.getViewSize(size);
    platformFrame->window =
        x11::FrameWindow::create(frame, x11::windowOf(parentWindow), size.getWidth(), size.getHeight());
    if (platformFrame->window) liveWindows().push_back(platformFrame->window.get());
    return platformFrame;
}

void destroyPlatformFrame(PlatformFrame* platformFrame)
{
    if (!platformFrame) return;
    auto& windows = liveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), platformFrame->window.get()), windows.end());
    delete platformFrame;
}

void* getWindow(const PlatformFrame& platformFrame)
{
    return platformFrame.window ? x11::handleOf(platformFrame.window->id()) : nullptr;
}

void handleWindowEvents(PlatformFrame& platformFrame)
{
    if (platformFrame.window) platformFrame.window->handleEvents();
}

void showWindow(PlatformFrame& platformFrame, bool visible)
{
    if (platformFrame.window) platformFrame.window->setMapped(visible);
}

int eventDescriptor(const PlatformFrame& platformFrame)
{
    return platformFrame.window ? platformFrame.window->descriptor() : -1;
}

bool setDropTarget(PlatformFrame&, CFrame&, bool)
{
    // No drag-and-drop protocol is spoken here.
    return false;
}

void setCursor(PlatformFrame& platformFrame, std::int32_t cursorType)
{
    if (platformFrame.window) platformFrame.window->showCursor(cursorGlyph(cursorType));
}

void resizeWindow(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    if (platformFrame.window) platformFrame.window->resize(width, height);
}

void resizeEnclosingWindows(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    // The host's windows are the host's to size; only the frame's own follows.
    resizeWindow(platformFrame, width, height);
}

void* getOuterWindow(const PlatformFrame& platformFrame)
{
    if (!platformFrame.window) return nullptr;
    xcb_connection_t* link = platformFrame.window->connection();
    Geometry frameGeometry;
    if (!measure(link, platformFrame.window->id(), frameGeometry)) return nullptr;
    xcb_window_t current = platformFrame.window->id();
    Geometry geometry = frameGeometry;
    for (;;)
    {
        if (geometry.parent == XCB_NONE || geometry.parent == geometry.root) return x11::handleOf(current);
        Geometry parent;
        if (!measure(link, geometry.parent, parent)) return nullptr;
        if (std::abs(parent.rect.getWidth() - frameGeometry.rect.getWidth()) > 60 ||
            std::abs(parent.rect.getHeight() - frameGeometry.rect.getHeight()) > 60)
            return x11::handleOf(current);
        current = geometry.parent;
        geometry = parent;
    }
}

bool getOuterPosition(const PlatformFrame& platformFrame, CPoint& position)
{
    void* outer = getOuterWindow(platformFrame);
    Geometry geometry;
    if (!outer || !measure(platformFrame.window->connection(), x11::windowOf(outer), geometry)) return false;
    position = geometry.rect.getTopLeft();
    return true;
}

bool getHostRect(const PlatformFrame& platformFrame, CRect& rect)
{
    if (!platformFrame.window) return false;
    Geometry frameGeometry;
    Geometry host;
    xcb_connection_t* link = platformFrame.window->connection();
    if (!measure(link, platformFrame.window->id(), frameGeometry) ||
        !measure(link, frameGeometry.parent, host))
        return false;
    rect = host.rect;
    return true;
}

std::int32_t getMouseButtons()
{
    const auto pointer = queryPointer();
    return pointer ? x11::buttonsOfState(pointer->mask) : 0;
}

CPoint getCursorScreenPosition()
{
    const auto pointer = queryPointer();
    return pointer ? CPoint(pointer->root_x, pointer->root_y) : CPoint();
}

CPoint getWindowScreenOrigin(void* window)
{
    x11::FrameWindow* asked = window ? findWindow(window) : nullptr;
    x11::FrameWindow* via = asked ? asked : anyWindow();
    if (!window || !via) return CPoint();
    xcb_connection_t* link = via->connection();
    const auto origin = x11::ask<xcb_translate_coordinates_reply_t>(
        link, xcb_translate_coordinates(link, x11::windowOf(window), via->rootId(), 0, 0),
        xcb_translate_coordinates_reply);
    return origin ? CPoint(origin->dst_x, origin->dst_y) : CPoint();
}

std::uint32_t getTicks()
{
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
}

void sleep(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void dispatchPendingPaint()
{
    for (x11::FrameWindow* window : liveWindows())
        window->paintExposures();
}

raster::Surface* acquireWindowSurface(void* window)
{
    x11::FrameWindow* ours = findWindow(window);
    return ours ? ours->borrowSurface() : nullptr;
}

void releaseWindowSurface(void* window)
{
    if (x11::FrameWindow* ours = findWindow(window)) ours->returnSurface();
}

std::uint64_t currentThread()
{
    return static_cast<std::uint64_t>(pthread_self());
}

void oleInitialize() {}

void oleUninitialize() {}

} // namespace VSTGUI::platform
