// Window class and procedure of the frame: paint, button presses, wheel and destruction reach the frame.
#include "FrameWindow.h"

#include "CDrawContext.h"
#include "CFrame.h"
#include "KeyState.h"
#include "Win32Shared.h"

#include <cstdio>

namespace VSTGUI::win32
{

namespace
{

CFrame* frameOf(HWND window)
{
    return reinterpret_cast<CFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void paint(CFrame& frame, HWND window)
{
    PAINTSTRUCT paintInfo;
    HDC device = BeginPaint(window, &paintInfo);
    if (device)
    {
        const RECT& area = paintInfo.rcPaint;
        auto* context = new CDrawContext(&frame, device, window);
        frame.paintRect(context, CRect(area.left, area.top, area.right, area.bottom));
        context->forget();
    }
    EndPaint(window, &paintInfo);
}

void buttonDown(CFrame& frame, HWND window, WPARAM keys, LPARAM position)
{
    // Client coordinates, taken as unsigned the way the message packs them.
    CPoint where(LOWORD(position), HIWORD(position));
    // The buttons of the message itself: a quick click may be over before the message is handled.
    const std::int32_t buttons = mouseButtonsFromMessage(keys, GetKeyState(VK_MENU) < 0);
    auto* context = new CDrawContext(&frame, nullptr, window);
    frame.mouse(context, where, buttons);
    context->forget();
}

void wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM position)
{
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(window, &point);
    float distance = static_cast<short>(HIWORD(wParam)) / static_cast<float>(WHEEL_DELTA);
    auto* context = new CDrawContext(&frame, nullptr, window);
    frame.onWheel(context, CPoint(point.x, point.y), distance);
    context->forget();
}

} // namespace

const char* acquireWindowClass()
{
    SharedState& state = shared();
    if (state.classUseCount++ > 0) return state.className;
    std::snprintf(state.className, sizeof(state.className), "Plugin%p", static_cast<void*>(moduleInstance()));
    WNDCLASSA windowClass = {};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = frameWindowProc;
    windowClass.hInstance = moduleInstance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = state.className;
    RegisterClassA(&windowClass);
    state.swapButtons = GetSystemMetrics(SM_SWAPBUTTON) > 0;
    return state.className;
}

void releaseWindowClass()
{
    SharedState& state = shared();
    if (state.classUseCount <= 0 || --state.classUseCount > 0) return;
    UnregisterClassA(state.className, moduleInstance());
}

HWND createFrameWindow(CFrame& frame, HWND parent, std::int32_t width, std::int32_t height)
{
    const char* className = acquireWindowClass();
    HWND window =
        CreateWindowExA(0, className, "Window", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                        0, width, height, parent, nullptr, moduleInstance(), nullptr);
    if (!window)
    {
        releaseWindowClass();
        return nullptr;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&frame));
    return window;
}

void destroyFrameWindow(HWND window)
{
    if (!window) return;
    // The host may have destroyed it already, together with its own window.
    if (IsWindow(window))
    {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    releaseWindowClass();
}

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CFrame* frame = frameOf(window);
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    switch (message)
    {
    case WM_PAINT:
    {
        RECT update;
        if (!GetUpdateRect(window, &update, FALSE)) break;
        paint(*frame, window);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        buttonDown(*frame, window, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        wheel(*frame, window, wParam, lParam);
        break;
    case WM_DESTROY:
        // Revoked while the window still exists, or OLE would keep the target's reference for good.
        frame->setDropActive(false);
        frame->windowDestroyed();
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace VSTGUI::win32
