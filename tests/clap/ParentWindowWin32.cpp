// The parent as a top-level window of the test program, with a message loop run on request.
#include "ParentWindow.h"

#include <windows.h>

namespace qm07::test
{

namespace
{
HWND hwndOf(void* handle)
{
    return static_cast<HWND>(handle);
}
} // namespace

ParentWindow::ParentWindow()
    : handle(CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 820, 260, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr))
{
}

ParentWindow::~ParentWindow()
{
    DestroyWindow(hwndOf(handle));
}

clap::clap_window ParentWindow::window() const
{
    clap::clap_window window{};
    window.api = clap::CLAP_WINDOW_API_WIN32;
    window.win32 = handle;
    return window;
}

int ParentWindow::children() const
{
    int count = 0;
    for (HWND child = GetWindow(hwndOf(handle), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

bool ParentWindow::childShown() const
{
    HWND child = GetWindow(hwndOf(handle), GW_CHILD);
    return child && (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0;
}

} // namespace qm07::test
