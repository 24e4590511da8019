// The platform frame API on the software back end: windows in memory, input and clock from tests.
#include "SoftPlatform.h"

#include "CDrawContext.h"
#include "CFrame.h"
#include "PlatformFrame.h"

#include <algorithm>

namespace VSTGUI
{

namespace soft
{

Environment& environment()
{
    static Environment state;
    return state;
}

void resetEnvironment()
{
    Environment& state = environment();
    std::vector<Window*> live = std::move(state.windows);
    state = Environment();
    state.windows = std::move(live);
}

void invalidateWindow(Window& window, const CRect& rect)
{
    if (window.paintPending)
    {
        window.pendingPaint.left = std::min(window.pendingPaint.left, rect.left);
        window.pendingPaint.top = std::min(window.pendingPaint.top, rect.top);
        window.pendingPaint.right = std::max(window.pendingPaint.right, rect.right);
        window.pendingPaint.bottom = std::max(window.pendingPaint.bottom, rect.bottom);
    }
    else
    {
        window.pendingPaint = rect;
    }
    window.paintPending = true;
}

} // namespace soft

namespace platform
{

struct PlatformFrame
{
    std::unique_ptr<soft::Window> window;
    bool cursorSaved = false;
};

namespace
{

soft::Window* makeChildWindow(CFrame& frame, soft::Window* parent)
{
    CRect size;
    frame.getViewSize(size);
    auto* window = new soft::Window;
    window->parent = parent;
    window->screenOrigin = parent->screenOrigin;
    window->width = size.getWidth();
    window->height = size.getHeight();
    window->surface = std::make_unique<soft::Surface>(window->width, window->height, 0xFF000000u);
    window->frame = &frame;
    soft::environment().windows.push_back(window);
    return window;
}

void forgetWindow(soft::Window* window)
{
    auto& windows = soft::environment().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

} // namespace

PlatformFrame* createPlatformFrame(CFrame& frame, void* parentWindow)
{
    oleInitialize();
    auto* platformFrame = new PlatformFrame;
    if (parentWindow)
        platformFrame->window.reset(makeChildWindow(frame, static_cast<soft::Window*>(parentWindow)));
    return platformFrame;
}

void destroyPlatformFrame(PlatformFrame* platformFrame)
{
    if (!platformFrame) return;
    if (platformFrame->window)
    {
        platformFrame->window->dropTarget = false;
        platformFrame->window->frame = nullptr;
        forgetWindow(platformFrame->window.get());
    }
    soft::environment().cursor = kCursorDefault;
    oleUninitialize();
    delete platformFrame;
}

void* getWindow(const PlatformFrame& platformFrame)
{
    return platformFrame.window.get();
}

bool setDropTarget(PlatformFrame& platformFrame, CFrame&, bool active)
{
    if (!platformFrame.window) return false;
    platformFrame.window->dropTarget = active;
    return true;
}

void setCursor(PlatformFrame& platformFrame, std::int32_t cursorType)
{
    platformFrame.cursorSaved = true;
    // No copy cursor exists, as on Win32; unknown types show the default.
    const bool known = cursorType > kCursorDefault && cursorType <= kCursorHand && cursorType != kCursorCopy;
    soft::environment().cursor = known ? cursorType : kCursorDefault;
}

void resizeWindow(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    soft::Window* window = platformFrame.window.get();
    if (!window) return;
    window->width = width;
    window->height = height;
    window->surface = std::make_unique<soft::Surface>(width, height, 0xFF000000u);
}

void resizeEnclosingWindows(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    // A software window has no enclosing frame window to grow with it.
    resizeWindow(platformFrame, width, height);
}

void* getOuterWindow(const PlatformFrame& platformFrame)
{
    soft::Window* window = platformFrame.window.get();
    return window ? (window->parent ? window->parent : window) : nullptr;
}

bool getOuterPosition(const PlatformFrame& platformFrame, CPoint& position)
{
    const auto* outer = static_cast<soft::Window*>(getOuterWindow(platformFrame));
    if (!outer) return false;
    position = outer->screenOrigin;
    if (outer->parent) position.offset(-outer->parent->screenOrigin.h, -outer->parent->screenOrigin.v);
    return true;
}

bool getHostRect(const PlatformFrame& platformFrame, CRect& rect)
{
    const soft::Window* window = platformFrame.window.get();
    if (!window || !window->parent) return false;
    const soft::Window& host = *window->parent;
    CPoint topLeft = host.screenOrigin;
    if (host.parent) topLeft.offset(-host.parent->screenOrigin.h, -host.parent->screenOrigin.v);
    rect = CRect(topLeft.h, topLeft.v, topLeft.h + host.width, topLeft.v + host.height);
    return true;
}

CPoint getCursorScreenPosition()
{
    return soft::environment().pointer;
}

CPoint getWindowScreenOrigin(void* window)
{
    return window ? static_cast<soft::Window*>(window)->screenOrigin : CPoint();
}

std::uint32_t getTicks()
{
    return soft::environment().ticks;
}

void sleep(std::uint32_t milliseconds)
{
    // The test clock advances by the time slept, as a real clock would.
    soft::Environment& state = soft::environment();
    ++state.sleepCalls;
    state.sleptMilliseconds += milliseconds;
    state.ticks += milliseconds;
    if (state.onSleep) state.onSleep();
}

void dispatchPendingPaint()
{
    for (soft::Window* window : soft::environment().windows)
    {
        if (!window->paintPending || !window->frame) continue;
        window->paintPending = false;
        auto* context = new CDrawContext(window->frame, nullptr, window);
        window->frame->paintRect(context, window->pendingPaint);
        context->forget();
        ++soft::environment().paintsDispatched;
        return;
    }
}

void oleInitialize()
{
    ++soft::environment().oleDepth;
}

void oleUninitialize()
{
    --soft::environment().oleDepth;
}

} // namespace platform
} // namespace VSTGUI
