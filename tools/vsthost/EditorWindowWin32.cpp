// The editor window on Windows: a captioned top-level window whose message loop routes keys to the
// host and wheel turns to the window under the pointer.
#include "EditorWindow.h"

#include <windows.h>

struct EditorWindow::Native
{
    HWND window = nullptr;
    bool closed = false;
};

namespace
{
const char kClassName[] = "QM07HostEditorWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<EditorWindow::Native*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_CLOSE && state)
    {
        // The owner closes the editor first and destroys the window afterwards.
        state->closed = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerWindowClass()
{
    static const bool registered = []
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    return registered;
}

SIZE outerSize(int width, int height)
{
    RECT area = {0, 0, width, height};
    AdjustWindowRectEx(&area, kStyle, FALSE, 0);
    return {area.right - area.left, area.bottom - area.top};
}

bool inTree(HWND root, HWND window)
{
    return window == root || IsChild(root, window);
}

HostKey hostKey(WPARAM virtualKey)
{
    switch (virtualKey)
    {
    case VK_TAB:
        return HostKey::Tab;
    case VK_LEFT:
        return HostKey::Left;
    case VK_UP:
        return HostKey::Up;
    case VK_RIGHT:
        return HostKey::Right;
    case VK_DOWN:
        return HostKey::Down;
    default:
        return HostKey::Other;
    }
}

VstKeyCode translateKey(const MSG& message)
{
    BYTE keyboard[256] = {};
    GetKeyboardState(keyboard);
    WORD typed = 0;
    const auto scanCode = static_cast<UINT>((message.lParam >> 16) & 0xFF);
    const int character =
        ToAscii(static_cast<UINT>(message.wParam), scanCode, keyboard, &typed, 0) == 1 ? typed & 0xFF : 0;
    return makeKeyCode(hostKey(message.wParam), character, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

bool isKey(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

/// Wine, like some Windows versions, sends the wheel to the focus window, which is ours rather than the
/// editor's. The message is retargeted here, before dispatch, to the deepest window under the pointer:
/// when that window's DefWindowProc hands the message on to its parents, it reaches our window
/// procedure, which does not route it again, so no wheel turn can circle.
void routeWheel(HWND root, MSG& message)
{
    if (message.message != WM_MOUSEWHEEL || !inTree(root, message.hwnd)) return;
    const POINT pointer = {static_cast<short>(LOWORD(message.lParam)),
                           static_cast<short>(HIWORD(message.lParam))};
    HWND under = WindowFromPoint(pointer);
    if (under && under != root && IsChild(root, under)) message.hwnd = under;
}
} // namespace

EditorWindow::EditorWindow(std::unique_ptr<Native> state) : native(std::move(state)) {}

EditorWindow::~EditorWindow()
{
    if (native->window) DestroyWindow(native->window);
}

std::unique_ptr<EditorWindow> EditorWindow::open(const std::string& title, int x, int y, int width,
                                                 int height, std::string& error)
{
    if (!registerWindowClass())
    {
        error = "cannot register the editor window's class";
        return nullptr;
    }
    auto state = std::make_unique<Native>();
    const SIZE outer = outerSize(width, height);
    state->window = CreateWindowExA(0, kClassName, title.c_str(), kStyle, x, y, outer.cx, outer.cy, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!state->window)
    {
        error = "cannot create the editor window (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    SetWindowLongPtrA(state->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.get()));
    ShowWindow(state->window, SW_SHOWNORMAL);
    SetForegroundWindow(state->window);
    SetFocus(state->window);
    UpdateWindow(state->window);
    return std::unique_ptr<EditorWindow>(new EditorWindow(std::move(state)));
}

void* EditorWindow::nativeHandle() const
{
    return native->window;
}

void EditorWindow::clientOrigin(int& x, int& y) const
{
    POINT origin = {0, 0};
    ClientToScreen(native->window, &origin);
    x = origin.x;
    y = origin.y;
}

void EditorWindow::resizeClient(int width, int height)
{
    const SIZE outer = outerSize(width, height);
    SetWindowPos(native->window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool EditorWindow::handleEvents(int timeoutMs, const EditorKeyHandler& onKey)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeoutMs > 0 ? timeoutMs : 0),
                              QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        if (message.message == WM_QUIT)
        {
            native->closed = true;
            continue;
        }
        routeWheel(native->window, message);
        if (isKey(message.message) && inTree(native->window, message.hwnd) && onKey)
        {
            const bool pressed = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
            if (onKey(translateKey(message), pressed)) continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return !native->closed;
}
