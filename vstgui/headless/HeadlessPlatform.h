// The headless platform: windows in memory, and a pointer, buttons and clock that tests script.
#pragma once

#include "CPoint.h"
#include "CRect.h"
#include "Surface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace VSTGUI
{
class CFrame;
}

namespace VSTGUI::headless
{

/// A window: a test makes one to stand for the host's window; the frame makes its child window with a
/// surface that receives the frame's copies.
struct Window
{
    Window* parent = nullptr;
    CPoint screenOrigin; ///< top-left corner in screen coordinates
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::unique_ptr<raster::Surface> surface;
    CFrame* frame = nullptr;      ///< the frame linked to the window, or null
    std::int32_t contextsOut = 0; ///< drawing contexts on the window not yet destroyed
    bool dropTarget = false;
    bool visible = true; ///< shown, as every frame's window is when made
    bool paintPending = false;
    CRect pendingPaint;
};

/// Process-wide state that stands in for the system; tests drive it.
struct Environment
{
    CPoint pointer;           ///< screen coordinates
    std::int32_t buttons = 0; ///< `kLButton` ... `kAlt`
    std::uint32_t ticks = 0;  ///< milliseconds
    std::uint32_t sleepCalls = 0;
    std::uint32_t sleptMilliseconds = 0;
    std::int32_t oleDepth = 0; ///< initialisations not yet balanced
    std::int32_t cursor = 0;   ///< the `CCursorType` last shown
    std::uint32_t paintsDispatched = 0;
    std::vector<Window*> windows;      ///< live child windows, in creation order
    std::int32_t eventDescriptor = -1; ///< what frames give their host to watch, as an X11 connection's
    /// Runs after every sleep: a control's tracking loop sleeps between polls, so tests move the pointer
    /// and change the buttons here, one step per poll.
    std::function<void()> onSleep;
};

Environment& environment();
/// Back to the state of a fresh process; live windows stay registered.
void resetEnvironment();
/// Queues a paint request for `rect`, as a system does after part of a window was exposed.
void invalidateWindow(Window& window, const CRect& rect);

} // namespace VSTGUI::headless
