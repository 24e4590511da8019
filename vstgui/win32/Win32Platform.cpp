// The frame's platform part on Win32: window, blend library, drop target, cursor and window geometry.
#include "PlatformFrame.h"

#include "CDropTarget.h"
#include "CFrame.h"
#include "FrameWindow.h"
#include "Win32Shared.h"

#include <cstdlib>
#include <cstring>

namespace VSTGUI::platform
{

struct PlatformFrame
{
    HWND window = nullptr;
    HMODULE msimg32 = nullptr;
    CDropTarget* dropTarget = nullptr; ///< one reference held here, one by the system while registered
    HCURSOR defaultCursor = nullptr;
    bool defaultCursorSaved = false;
};

namespace
{

RECT windowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

void resizeOnly(HWND window, int width, int height)
{
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void withdrawDropTarget(PlatformFrame& platformFrame)
{
    if (!platformFrame.dropTarget) return;
    RevokeDragDrop(platformFrame.window);
    platformFrame.dropTarget->detachFrame();
    platformFrame.dropTarget->Release();
    platformFrame.dropTarget = nullptr;
}

void saveDefaultCursor(PlatformFrame& platformFrame)
{
    if (platformFrame.defaultCursorSaved) return;
    platformFrame.defaultCursor = GetCursor();
    platformFrame.defaultCursorSaved = true;
}

LPCSTR systemCursorOf(std::int32_t cursorType)
{
    switch (cursorType)
    {
    case kCursorWait:
        return IDC_WAIT;
    case kCursorHSize:
        return IDC_SIZEWE;
    case kCursorVSize:
        return IDC_SIZENS;
    case kCursorSizeAll:
        return IDC_SIZEALL;
    case kCursorNESWSize:
        return IDC_SIZENESW;
    case kCursorNWSESize:
        return IDC_SIZENWSE;
    case kCursorNotAllowed:
        return IDC_NO;
    case kCursorHand:
        return IDC_HAND;
    default:
        return nullptr; // the default cursor, also for kCursorCopy: the system has no copy cursor
    }
}

} // namespace

PlatformFrame* createPlatformFrame(CFrame& frame, void* parentWindow)
{
    auto* platformFrame = new PlatformFrame;
    oleInitialize();
    platformFrame->msimg32 = win32::loadBlendEntryPoints();
    if (parentWindow)
    {
        CRect size;
        frame.getViewSize(size);
        platformFrame->window = win32::createFrameWindow(frame, static_cast<HWND>(parentWindow),
                                                         size.getWidth(), size.getHeight());
    }
    return platformFrame;
}

void destroyPlatformFrame(PlatformFrame* platformFrame)
{
    if (!platformFrame) return;
    saveDefaultCursor(*platformFrame);
    SetCursor(platformFrame->defaultCursor);
    withdrawDropTarget(*platformFrame);
    oleUninitialize();
    win32::releaseBlendEntryPoints(platformFrame->msimg32);
    win32::destroyFrameWindow(platformFrame->window);
    delete platformFrame;
}

void* getWindow(const PlatformFrame& platformFrame)
{
    return platformFrame.window;
}

void handleWindowEvents(PlatformFrame&)
{
    // The host's message loop delivers them to the window procedure.
}

void showWindow(PlatformFrame& platformFrame, bool visible)
{
    if (platformFrame.window) ShowWindow(platformFrame.window, visible ? SW_SHOWNA : SW_HIDE);
}

int eventDescriptor(const PlatformFrame&)
{
    return -1;
}

bool setDropTarget(PlatformFrame& platformFrame, CFrame& frame, bool active)
{
    if (!platformFrame.window) return false;
    withdrawDropTarget(platformFrame);
    if (!active) return true;
    auto* target = new CDropTarget(&frame);
    target->AddRef();
    if (RegisterDragDrop(platformFrame.window, target) != S_OK)
    {
        target->Release();
        return false;
    }
    platformFrame.dropTarget = target;
    return true;
}

void setCursor(PlatformFrame& platformFrame, std::int32_t cursorType)
{
    saveDefaultCursor(platformFrame);
    LPCSTR systemCursor = systemCursorOf(cursorType);
    SetCursor(systemCursor ? LoadCursorA(nullptr, systemCursor) : platformFrame.defaultCursor);
}

void resizeWindow(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    if (platformFrame.window) resizeOnly(platformFrame.window, width, height);
}

void resizeEnclosingWindows(PlatformFrame& platformFrame, std::int32_t width, std::int32_t height)
{
    const int border = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    int extraWidth = 0;
    int extraHeight = 0;
    HWND current = platformFrame.window;
    while (border != 0)
    {
        if (!current) return;
        HWND parent = GetParent(current);
        char className[1024] = {};
        if (parent) GetClassNameA(parent, className, sizeof(className));
        if (!parent || std::strcmp(className, "MDIClient") == 0) break;
        RECT inner = windowRect(current);
        RECT outer = windowRect(parent);
        resizeOnly(current, width + extraWidth, height + extraHeight);
        extraWidth += (outer.right - outer.left) - (inner.right - inner.left);
        extraHeight += (outer.bottom - outer.top) - (inner.bottom - inner.top);
        // A parent far larger than the editor is the host's own window, which must keep its size.
        if (extraWidth > 80 || extraHeight > 80) return;
        extraWidth = extraWidth < 0 ? 0 : extraWidth;
        extraHeight = extraHeight < 0 ? 0 : extraHeight;
        current = parent;
        if (extraWidth == border) break;
    }
    if (current) resizeOnly(current, width + extraWidth, height + extraHeight);
}

void* getOuterWindow(const PlatformFrame& platformFrame)
{
    HWND window = platformFrame.window;
    if (!window) return nullptr;
    RECT frameRect = windowRect(window);
    const int frameWidth = frameRect.right - frameRect.left;
    const int frameHeight = frameRect.bottom - frameRect.top;
    while (window)
    {
        HWND parent = GetParent(window);
        if ((GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION || !parent) return window;
        RECT parentRect = windowRect(parent);
        if (std::abs((parentRect.right - parentRect.left) - frameWidth) > 60 ||
            std::abs((parentRect.bottom - parentRect.top) - frameHeight) > 60)
            return window;
        window = parent;
    }
    return nullptr;
}

bool getOuterPosition(const PlatformFrame& platformFrame, CPoint& position)
{
    auto outer = static_cast<HWND>(getOuterWindow(platformFrame));
    if (!outer) return false;
    RECT rect = windowRect(outer);
    POINT topLeft = {rect.left, rect.top};
    MapWindowPoints(nullptr, GetParent(outer), &topLeft, 1);
    position = CPoint(topLeft.x, topLeft.y);
    return true;
}

bool getHostRect(const PlatformFrame& platformFrame, CRect& rect)
{
    HWND host = platformFrame.window ? GetParent(platformFrame.window) : nullptr;
    if (!host) return false;
    RECT hostRect = windowRect(host);
    POINT topLeft = {hostRect.left, hostRect.top};
    MapWindowPoints(nullptr, GetParent(host), &topLeft, 1);
    rect = CRect(topLeft.x, topLeft.y, topLeft.x + (hostRect.right - hostRect.left),
                 topLeft.y + (hostRect.bottom - hostRect.top));
    return true;
}

CPoint getCursorScreenPosition()
{
    POINT point = {};
    GetCursorPos(&point);
    return CPoint(point.x, point.y);
}

CPoint getWindowScreenOrigin(void* window)
{
    if (!window) return CPoint();
    RECT rect = windowRect(static_cast<HWND>(window));
    return CPoint(rect.left, rect.top);
}

std::uint32_t getTicks()
{
    return GetTickCount();
}

void sleep(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

std::uint64_t currentThread()
{
    return GetCurrentThreadId();
}

void dispatchPendingPaint()
{
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

void oleInitialize()
{
    OleInitialize(nullptr);
}

void oleUninitialize()
{
    OleUninitialize();
}

} // namespace VSTGUI::platform
