// vsthost's window for editors on X11: its size and place as the server sees them, keys to the host, and the
// window manager's close.
#include "EditorWindow.h"

// Before Xlib, whose macros (None, Bool) would rewrite names inside GoogleTest.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdint>
#include <vector>

namespace
{
/// A second connection, as the plug-in or the window manager would have, to look at and poke the window.
class EditorWindowX11 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        window = EditorWindow::open("test", 60, 70, 320, 200, error);
        ASSERT_TRUE(window) << error;
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        id = static_cast<Window>(reinterpret_cast<std::uintptr_t>(window->nativeHandle()));
    }
    void TearDown() override
    {
        if (display) XCloseDisplay(display);
    }

    void send(XEvent& event, long mask)
    {
        XSendEvent(display, id, False, mask, &event);
        XSync(display, False);
    }

    std::unique_ptr<EditorWindow> window;
    Display* display = nullptr;
    Window id = 0;
};
} // namespace

TEST_F(EditorWindowX11, SizeAndPlaceAsTheServerSeesThem)
{
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    ASSERT_TRUE(XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth));
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 200u);
    int originX = 0;
    int originY = 0;
    window->clientOrigin(originX, originY);
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    XTranslateCoordinates(display, id, root, 0, 0, &rootX, &rootY, &child);
    EXPECT_EQ(originX, rootX);
    EXPECT_EQ(originY, rootY);

    window->resizeClient(400, 150);
    window->handleEvents(50, nullptr);
    XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth);
    EXPECT_EQ(width, 400u);
    EXPECT_EQ(height, 150u);
}

TEST_F(EditorWindowX11, KeysReachTheHostAsKeyCodes)
{
    const struct
    {
        KeySym symbol;
        unsigned state;
        int type;
        VstKeyCode expected;
    } cases[] = {
        {XK_Up, 0, KeyPress, {0, VKEY_UP, 0}},
        {XK_Down, 0, KeyRelease, {0, VKEY_DOWN, 0}},
        {XK_Left, ShiftMask, KeyPress, {0, VKEY_LEFT, MODIFIER_SHIFT}},
        {XK_Right, 0, KeyPress, {0, VKEY_RIGHT, 0}},
        {XK_Tab, 0, KeyPress, {'\t', VKEY_TAB, 0}},
        {XK_a, 0, KeyPress, {'a', 0, 0}},
        {XK_a, ShiftMask, KeyPress, {'A', 0, MODIFIER_SHIFT}},
    };
    for (const auto& c : cases)
    {
        XEvent event = {};
        event.xkey.type = c.type;
        event.xkey.display = display;
        event.xkey.window = id;
        event.xkey.root = DefaultRootWindow(display);
        event.xkey.state = c.state;
        event.xkey.keycode = XKeysymToKeycode(display, c.symbol);
        event.xkey.same_screen = True;
        send(event, c.type == KeyPress ? KeyPressMask : KeyReleaseMask);
        std::vector<std::pair<VstKeyCode, bool>> seen;
        window->handleEvents(1000,
                             [&seen](const VstKeyCode& key, bool pressed)
                             {
                                 seen.emplace_back(key, pressed);
                                 return true;
                             });
        const std::string name = XKeysymToString(c.symbol);
        ASSERT_EQ(seen.size(), 1u) << name;
        EXPECT_EQ(seen[0].first.character, c.expected.character) << name;
        EXPECT_EQ(seen[0].first.virt, c.expected.virt) << name;
        EXPECT_EQ(seen[0].first.modifier, c.expected.modifier) << name;
        EXPECT_EQ(seen[0].second, c.type == KeyPress) << name;
    }
}

TEST_F(EditorWindowX11, WindowManagersCloseEndsTheSession)
{
    EXPECT_TRUE(window->handleEvents(0, nullptr));
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    send(event, NoEventMask);
    EXPECT_FALSE(window->handleEvents(1000, nullptr));
}
