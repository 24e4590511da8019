// Helpers of the window tests: a host window standing in for the host's, and a view that records events.
#pragma once

#include "CDragContainer.h"
#include "CDrawContext.h"
#include "CView.h"

#include <windows.h>

#include <vector>

namespace test
{

constexpr POINT kDesktopOrigin = {40, 50};

/// One visible top-level window for the whole program, standing for the host's main window. It is never
/// destroyed: under Xvfb without a window manager Wine waits two seconds for each top-level window it
/// destroys, while child windows come and go at once.
inline HWND desktop()
{
    static HWND window = []
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QM07TestHost";
        RegisterClassA(&windowClass);
        return CreateWindowExA(WS_EX_TOPMOST, "QM07TestHost", "desktop", WS_POPUP | WS_VISIBLE,
                               kDesktopOrigin.x, kDesktopOrigin.y, 600, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }();
    return window;
}

/// The window a host hands to the editor: a visible child of desktop() at (x, y) of its client area.
class HostWindow
{
public:
    HostWindow(int x, int y, int width, int height, DWORD extraStyle = 0)
        : handle(CreateWindowExA(0, "QM07TestHost", "host", WS_CHILD | WS_VISIBLE | extraStyle, x, y, width,
                                 height, desktop(), nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~HostWindow()
    {
        if (IsWindow(handle)) DestroyWindow(handle);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle;
};

/// Handles whatever has been queued for this thread's windows.
inline void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

struct MouseEvent
{
    VSTGUI::CPoint where;
    std::int32_t buttons;
    std::int32_t held; ///< what a tracking loop would read from the context at that moment
};

struct DragEvent
{
    enum Kind
    {
        enter,
        move,
        leave,
        drop
    } kind;
    std::int32_t items;
};

/// Records presses, wheel turns and drags; accepts no drop, like every view of the editor.
class RecordingView : public VSTGUI::CView
{
public:
    explicit RecordingView(const VSTGUI::CRect& rect) : CView(rect) {}

    void mouse(VSTGUI::CDrawContext* context, const VSTGUI::CPoint& where, std::int32_t buttons) override
    {
        presses.push_back({where, buttons, context ? context->getMouseButtons() : 0});
    }
    bool onWheel(VSTGUI::CDrawContext*, const VSTGUI::CPoint& where, VSTGUI::CMouseWheelAxis,
                 float distance) override
    {
        wheelWhere.push_back(where);
        wheelDistances.push_back(distance);
        return true;
    }
    void onDragEnter(VSTGUI::CDrawContext*, VSTGUI::CDragContainer* drag, const VSTGUI::CPoint&) override
    {
        drags.push_back({DragEvent::enter, drag->getCount()});
    }
    void onDragMove(VSTGUI::CDrawContext*, VSTGUI::CDragContainer* drag, const VSTGUI::CPoint&) override
    {
        drags.push_back({DragEvent::move, drag->getCount()});
    }
    void onDragLeave(VSTGUI::CDrawContext*, VSTGUI::CDragContainer* drag, const VSTGUI::CPoint&) override
    {
        drags.push_back({DragEvent::leave, drag->getCount()});
    }
    bool onDrop(VSTGUI::CDrawContext*, VSTGUI::CDragContainer* drag, const VSTGUI::CPoint&) override
    {
        drags.push_back({DragEvent::drop, drag->getCount()});
        return false;
    }

    std::vector<MouseEvent> presses;
    std::vector<VSTGUI::CPoint> wheelWhere;
    std::vector<float> wheelDistances;
    std::vector<DragEvent> drags;
};

} // namespace test
