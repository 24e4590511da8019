// The internal API that a platform implementation must define for the frame and the editor base.
// Each platform (vstgui/headless, vstgui/win32, vstgui/x11) implements every function here; the portable code
// calls nothing else of the windowing system. All functions run on the user-interface thread.
#pragma once

#include "CPoint.h"
#include "CRect.h"

#include <cstdint>

namespace VSTGUI
{

class CFrame;

namespace platform
{

/// Per back end: the frame's child window, the blend library, the drop target and the saved cursor.
struct PlatformFrame;

/// Starts OLE, loads the blend entry points and, given a parent, creates the frame-sized child window
/// at (0, 0) linked to `frame`; never null, even when the window cannot be made.
PlatformFrame* createPlatformFrame(CFrame& frame, void* parentWindow);
/// Restores the default cursor, revokes a drop target, leaves OLE, frees the blend library, unlinks
/// and destroys the window.
void destroyPlatformFrame(PlatformFrame* platformFrame);
/// The native child window (an HWND on Win32, an X11 window id, a headless::Window* without a windowing
/// system), or null.
void* getWindow(const PlatformFrame& platformFrame);
/// At the host's idle: handles the window's pending events where the frame reads them itself (X11);
/// nothing where the system delivers them to the window's procedure.
void handleWindowEvents(PlatformFrame& platformFrame);
/// Maps or unmaps (shows or hides) the frame's own window; nothing without one.
void showWindow(PlatformFrame& platformFrame, bool visible);
/// The descriptor a host's main loop watches for the window's events (the X connection's socket), or −1
/// where the system delivers them to the window's procedure.
int eventDescriptor(const PlatformFrame& platformFrame);
/// Registers the window as a drop target for `frame` (or revokes it); false without a window.
bool setDropTarget(PlatformFrame& platformFrame, CFrame& frame, bool active);
/// Shows the cursor of a `CCursorType`, saving the current one as the default the first time.
void setCursor(PlatformFrame& platformFrame, std::int32_t cursorType);
/// Resizes the frame's own window without moving it.
void resizeWindow(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height);
/// Resizes the frame's window and its enclosing windows up to the one with a dialog frame, for hosts
/// that cannot size the editor window themselves.
void resizeEnclosingWindows(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height);
/// The first window from the frame's window outwards that has a caption, no parent, or a parent much
/// larger than the frame's window; null when the walk runs out.
void* getOuterWindow(const PlatformFrame& platformFrame);
/// Top-left of the outer window in the client coordinates of its parent; false without a window.
bool getOuterPosition(const PlatformFrame& platformFrame, CPoint& position);
/// The host window's rectangle, its top-left in its parent's client coordinates; false without a window.
bool getHostRect(const PlatformFrame& platformFrame, CRect& rect);

/// Logical buttons and modifiers at this instant (`kLButton` ... `kAlt`).
std::int32_t getMouseButtons();
/// The pointer's position in screen coordinates.
CPoint getCursorScreenPosition();
/// Screen position of a native window's top-left corner; (0, 0) for null.
CPoint getWindowScreenOrigin(void* window);

/// Millisecond tick count, wrapping at 32 bits.
std::uint32_t getTicks();
/// Blocks the calling thread.
void sleep(std::uint32_t milliseconds);
/// A number for the calling thread that no other running thread has, never 0. Not std::thread::id: in the
/// DLL that asks the threads library for a record of the thread, which unloading the DLL never frees.
std::uint64_t currentThread();
/// Takes one pending paint request of the calling thread's windows, if any, and handles it.
void dispatchPendingPaint();

/// Paired calls around every frame's and every editor's life (OLE on Win32).
void oleInitialize();
void oleUninitialize();

} // namespace platform
} // namespace VSTGUI
