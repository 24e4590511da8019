// vsthost's window for editors under Wine: its client area, keys to the host, the wheel to the window under
// the pointer without circling back.
#include "EditorWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
int childWheelTurns = 0;

LRESULT CALLBACK childProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEWHEEL) ++childWheelTurns;
    // Hands the wheel on to the parent, as a plug-in's window does.
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeChild(HWND parent, int x, int y, int width, int height)
{
    static const bool registered = []
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = childProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QM07TestEditorChild";
        return RegisterClassA(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExA(0, "QM07TestEditorChild", "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

class EditorWindowWin32 : public ::testing::Test
{
protected:
    // One window for the whole program: under Xvfb without a window manager Wine takes two seconds to
    // destroy a top-level window.
    static void SetUpTestSuite()
    {
        std::string error;
        window = EditorWindow::open("test", 60, 70, 320, 200, error).release();
        ASSERT_NE(window, nullptr) << error;
        handle = static_cast<HWND>(window->nativeHandle());
        child = makeChild(handle, 20, 30, 100, 80);
        window->handleEvents(0, nullptr);
    }
    static void TearDownTestSuite() { delete window; }

    static POINT screenPoint(int x, int y)
    {
        POINT point = {x, y};
        ClientToScreen(handle, &point);
        return point;
    }

    static EditorWindow* window;
    static HWND handle;
    static HWND child;
};
EditorWindow* EditorWindowWin32::window = nullptr;
HWND EditorWindowWin32::handle = nullptr;
HWND EditorWindowWin32::child = nullptr;
} // namespace

TEST_F(EditorWindowWin32, ClientAreaHasTheEditorsSizeWhereItSaysItIs)
{
    RECT client;
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 200);
    int x = 0;
    int y = 0;
    window->clientOrigin(x, y);
    EXPECT_EQ(WindowFromPoint({x + 1, y + 1}), handle);
    EXPECT_EQ(WindowFromPoint({x + 21, y + 31}), child);

    window->resizeClient(400, 150);
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 150);
    window->resizeClient(320, 200);
}

TEST_F(EditorWindowWin32, WheelReachesTheWindowUnderThePointerOnce)
{
    const struct
    {
        const char* where;
        HWND target;  // where the system delivered the turn
        POINT client; // pointer position in the top-level window's client area
        int turns;    // what the child saw
    } cases[] = {
        {"delivered to the top-level window, pointer over the child", nullptr, {50, 60}, 1},
        {"delivered to the top-level window, pointer beside the child", nullptr, {200, 150}, 0},
        {"delivered to the child itself", child, {50, 60}, 1},
    };
    for (const auto& c : cases)
    {
        childWheelTurns = 0;
        const POINT screen = screenPoint(c.client.x, c.client.y);
        PostMessageA(c.target ? c.target : handle, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                     MAKELPARAM(screen.x, screen.y));
        window->handleEvents(0, nullptr);
        EXPECT_EQ(childWheelTurns, c.turns) << c.where;
    }
}

TEST_F(EditorWindowWin32, KeysReachTheHostAsKeyCodes)
{
    const struct
    {
        WPARAM key;
        UINT message;
        VstKeyCode expected;
        bool pressed;
    } cases[] = {
        {VK_UP, WM_KEYDOWN, {0, VKEY_UP, 0}, true},      {VK_DOWN, WM_KEYUP, {0, VKEY_DOWN, 0}, false},
        {VK_LEFT, WM_KEYDOWN, {0, VKEY_LEFT, 0}, true},  {VK_RIGHT, WM_KEYDOWN, {0, VKEY_RIGHT, 0}, true},
        {VK_TAB, WM_KEYDOWN, {'\t', VKEY_TAB, 0}, true}, {'A', WM_KEYDOWN, {'a', 0, 0}, true},
    };
    for (const auto& c : cases)
    {
        std::vector<std::pair<VstKeyCode, bool>> seen;
        PostMessageA(child, c.message, c.key, 1);
        window->handleEvents(0,
                             [&seen](const VstKeyCode& key, bool pressed)
                             {
                                 seen.emplace_back(key, pressed);
                                 return true;
                             });
        ASSERT_EQ(seen.size(), 1u) << "key " << c.key;
        EXPECT_EQ(seen[0].first.character, c.expected.character) << "key " << c.key;
        EXPECT_EQ(seen[0].first.virt, c.expected.virt) << "key " << c.key;
        EXPECT_EQ(seen[0].first.modifier, c.expected.modifier) << "key " << c.key;
        EXPECT_EQ(seen[0].second, c.pressed) << "key " << c.key;
    }
}

// Last: the window stays closed for the rest of the program.
TEST_F(EditorWindowWin32, ClosingTheWindowEndsTheSession)
{
    EXPECT_TRUE(window->handleEvents(0, nullptr));
    PostMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(window->handleEvents(0, nullptr));
    EXPECT_TRUE(IsWindow(handle)) << "the host destroys the window only after closing the editor";
}
