// The platform API without a windowing system: windows in memory, input and clock scripted by tests.
#include "HeadlessPlatform.h"

#include "CDrawContext.h"
#include "CFrame.h"
#include "PlatformFrame.h"
#include "WindowSurface.h"

#include <algorithm>
#include <pthread.h>

namespace VSTGUI
{

namespace headless
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

} // namespace headless

namespace platform
{

struct PlatformFrame
{
    std::unique_ptr<headless::Window> window;
    bool cursorSaved = false;
};

namespace
{

headless::Window* makeChildWindow(CFrame& frame, headless::Window* parent)
{
    CRect size;
    frame.getViewSize(size);
    auto* window = new headless::Window;
    window->parent = parent;
    window->screenOrigin = parent->screenOrigin;
    window->width = size.getWidth();
    window->height = size.getHeight();
    window->surface = std::make_unique<raster::Surface>(window->width, window->height, 0xFF000000u);
    window->frame = &frame;
    headless::environment().windows.push_back(window);
    return window;
}

void forgetWindow(headless::Window* window)
{
    auto& windows = headless::environment().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

} // namespace

PlatformFrame* createPlatformFrame(CFrame& frame, void* parentWindow)
{
    oleInitialize();
    auto* platformFrame = new PlatformFrame;
    if (parentWindow)
        platformFrame->window.reset(makeChildWindow(frame, static_cast<headless::Window*>(parentWindow)));
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
    headless::environment().cursor = kCursorDefault;
    oleUninitialize();
    delete platformFrame;
}

void* getWindow(const PlatformFrame& platformFrame)
{
    return platformFrame.window.get();
}

void handleWindowEvents(PlatformFrame&) {}

void showWindow(PlatformFrame& platformFrame, bool visible)
{
    if (platformFrame.window) platformFrame.window->visible = visible;
}

int eventDescriptor(const PlatformFrame&)
{
    return headless::environment().eventDescriptor;
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
    headless::environment().cursor = known ? cursorType : kCursorDefault;
}

void resizeWindow(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    headless::Window* window = platformFrame.window.get();
    if (!window) return;
    window->width = width;
    window->height = height;
    window->surface = std::make_unique<raster::Surface>(width, height, 0xFF000000u);
}

void resizeEnclosingWindows(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    // A window in memory has no enclosing frame window to grow with it.
    resizeWindow(platformFrame, width, height);
}

void* getOuterWindow(const PlatformFrame& platformFrame)
{
    headless::Window* window = platformFrame.window.get();
    return window ? (window->parent ? window->parent : window) : nullptr;
}

bool getOuterPosition(const PlatformFrame& platformFrame, CPoint& position)
{
    const auto* outer = static_cast<headless::Window*>(getOuterWindow(platformFrame));
    if (!outer) return false;
    position = outer->screenOrigin;
    if (outer->parent) position.offset(-outer->parent->screenOrigin.h, -outer->parent->screenOrigin.v);
    return true;
}

bool getHostRect(const PlatformFrame& platformFrame, CRect& rect)
{
    const headless::Window* window = platformFrame.window.get();
    if (!window || !window->parent) return false;
    const headless::Window& host = *window->parent;
    CPoint topLeft = host.screenOrigin;
    if (host.parent) topLeft.offset(-host.parent->screenOrigin.h, -host.parent->screenOrigin.v);
    rect = CRect(topLeft.h, topLeft.v, topLeft.h + host.width, topLeft.v + host.height);
    return true;
}

std::int32_t getMouseButtons()
{
    return headless::environment().buttons;
}

CPoint getCursorScreenPosition()
{
    return headless::environment().pointer;
}

CPoint getWindowScreenOrigin(void* window)
{
    return window ? static_cast<headless::Window*>(window)->screenOrigin : CPoint();
}

std::uint32_t getTicks()
{
    return headless::environment().ticks;
}

void sleep(std::uint32_t milliseconds)
{
    // The test clock advances by the time slept, as a real clock would.
    headless::Environment& state = headless::environment();
    ++state.sleepCalls;
    state.sleptMilliseconds += milliseconds;
    state.ticks += milliseconds;
    if (state.onSleep) state.onSleep();
}

void dispatchPendingPaint()
{
    for (headless::Window* window : headless::environment().windows)
    {
        if (!window->paintPending || !window->frame) continue;
        window->paintPending = false;
        auto* context = new CDrawContext(window->frame, nullptr, window);
        window->frame->paintRect(context, window->pendingPaint);
        context->forget();
        ++headless::environment().paintsDispatched;
        return;
    }
}

raster::Surface* acquireWindowSurface(void* window)
{
    if (!window) return nullptr;
    auto* headlessWindow = static_cast<headless::Window*>(window);
    ++headlessWindow->contextsOut;
    return headlessWindow->surface.get();
}

void releaseWindowSurface(void* window)
{
    if (window) --static_cast<headless::Window*>(window)->contextsOut;
}

std::uint64_t currentThread()
{
    return static_cast<std::uint64_t>(pthread_self());
}

void oleInitialize()
{
    ++headless::environment().oleDepth;
}

void oleUninitialize()
{
    --headless::environment().oleDepth;
}

} // namespace platform
} // namespace VSTGUI
