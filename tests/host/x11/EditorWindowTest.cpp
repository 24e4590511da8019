// The plug-in's editor in real X11 windows, loaded as hosts load it: its child window, quick clicks, two
// editors at once, the host's window destroyed first, no display, and many opens and closes while the
// host's audio thread processes and automates.
#include "EditorWindow.h"
#include "PluginUnderTest.h"

// Before Xlib, whose macros (None, Bool) would rewrite names inside GoogleTest.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace
{

constexpr int kScMode = 7;
// Editor coordinates of the SC Mode lever's three columns.
constexpr int kLeverLeftX = 587;
constexpr int kLeverMiddleX = 600;
constexpr int kLeverRightX = 613;
constexpr int kLeverY = 170;

::Window idOf(const EditorWindow& window)
{
    return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(window.nativeHandle()));
}

/// A second connection, as a window manager or another program would have, to look at and poke windows.
class EditorInX11 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no display";
        host = openHostWindow(40);
        ASSERT_TRUE(host);
        plugin = loadPluginUnderTest();
        ASSERT_TRUE(plugin);
        plugin->start(48000.0, 256);
    }
    void TearDown() override
    {
        plugin.reset();
        host.reset();
        if (display) XCloseDisplay(display);
    }

    static std::unique_ptr<EditorWindow> openHostWindow(int y)
    {
        std::string error;
        auto window = EditorWindow::open("host", 40, y, 800, 220, error);
        EXPECT_TRUE(window) << error;
        return window;
    }

    std::vector<::Window> children(::Window parent)
    {
        ::Window root = 0, parentOfParent = 0, *list = nullptr;
        unsigned count = 0;
        std::vector<::Window> result;
        if (XQueryTree(display, parent, &root, &parentOfParent, &list, &count))
            result.assign(list, list + count);
        if (list) XFree(list);
        return result;
    }

    /// A press of the left button that the server never saw held: over before the editor reads it.
    void quickClick(::Window editor, int x, int y)
    {
        XEvent event = {};
        event.xbutton.type = ButtonPress;
        event.xbutton.display = display;
        event.xbutton.window = editor;
        event.xbutton.root = DefaultRootWindow(display);
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.button = Button1;
        event.xbutton.same_screen = True;
        XSendEvent(display, editor, False, ButtonPressMask, &event);
        XSync(display, False);
    }

    /// Idles the editor as a host does until `done` holds, for at most two seconds.
    static bool idleUntil(HostedPlugin& instance, const std::function<bool()>& done)
    {
        for (int pass = 0; pass < 100; ++pass)
        {
            instance.dispatch(effEditIdle);
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::intptr_t open(HostedPlugin& instance, const EditorWindow& window)
    {
        return instance.dispatch(effEditOpen, 0, 0, window.nativeHandle());
    }

    Display* display = nullptr;
    std::unique_ptr<EditorWindow> host;
    std::unique_ptr<HostedPlugin> plugin;
};

} // namespace

TEST_F(EditorInX11, OpensAChildOfItsSizeAndClosesWithoutATrace)
{
    ASSERT_EQ(open(*plugin, *host), 1);
    const auto inside = children(idOf(*host));
    ASSERT_EQ(inside.size(), 1u);
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, inside[0], &attributes));
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.width, 800);
    EXPECT_EQ(attributes.height, 220);
    EXPECT_EQ(attributes.map_state, IsViewable);
    plugin->dispatch(effEditClose);
    EXPECT_TRUE(children(idOf(*host)).empty());
}

TEST_F(EditorInX11, TwoEditorsAtOnceEachTakeTheirOwnQuickClicks)
{
    auto secondHost = openHostWindow(300);
    auto second = loadPluginUnderTest();
    ASSERT_TRUE(secondHost && second);
    ASSERT_EQ(open(*plugin, *host), 1);
    ASSERT_EQ(open(*second, *secondHost), 1);
    quickClick(children(idOf(*host)).at(0), kLeverRightX, kLeverY);
    quickClick(children(idOf(*secondHost)).at(0), kLeverMiddleX, kLeverY);
    EXPECT_TRUE(idleUntil(*plugin, [&] { return plugin->parameter(kScMode) == 1.0f; }));
    EXPECT_TRUE(idleUntil(*second, [&] { return second->parameter(kScMode) == 0.5f; }));
    EXPECT_EQ(plugin->parameter(kScMode), 1.0f) << "the second editor's click reached the first";

    plugin->dispatch(effEditClose);
    quickClick(children(idOf(*secondHost)).at(0), kLeverLeftX, kLeverY);
    EXPECT_TRUE(idleUntil(*second, [&] { return second->parameter(kScMode) == 0.0f; }));
    second->dispatch(effEditClose);
}

TEST_F(EditorInX11, ClosingTheEffectWithItsEditorOpenTakesTheWindowAlong)
{
    ASSERT_EQ(open(*plugin, *host), 1);
    plugin->dispatch(effEditIdle);
    plugin->close();
    EXPECT_TRUE(children(idOf(*host)).empty());
}

TEST_F(EditorInX11, AHostThatDestroysItsWindowFirstCrashesNothing)
{
    const int screen = DefaultScreen(display);
    ::Window doomed = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 800, 220, 0, 0, 0);
    XMapWindow(display, doomed);
    XSync(display, False);
    ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(doomed)), 1);
    plugin->dispatch(effEditIdle);
    XDestroyWindow(display, doomed);
    XSync(display, False);
    for (int pass = 0; pass < 5; ++pass)
        EXPECT_EQ(plugin->dispatch(effEditIdle), 0);
    plugin->dispatch(effEditClose);
    EXPECT_EQ(open(*plugin, *host), 1) << "a later open in a live window";
    plugin->dispatch(effEditClose);
}

TEST_F(EditorInX11, WithoutADisplayTheEditorDoesNotOpen)
{
    const std::string name = DisplayString(display);
    unsetenv("DISPLAY");
    EXPECT_EQ(open(*plugin, *host), 0);
    EXPECT_EQ(plugin->dispatch(effEditIdle), 0);
    setenv("DISPLAY", name.c_str(), 1);
    EXPECT_TRUE(children(idOf(*host)).empty());
    EXPECT_EQ(open(*plugin, *host), 1);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorInX11, AWindowThatDoesNotExistIsRefused)
{
    EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x12345)), 0);
    EXPECT_EQ(open(*plugin, *host), 1);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorInX11, TwoHundredOpensAndClosesWhileTheAudioThreadProcessesAndAutomates)
{
    AutomatingAudioThread audio(*plugin);
    for (int cycle = 0; cycle < 200; ++cycle)
    {
        ASSERT_EQ(open(*plugin, *host), 1) << cycle;
        plugin->dispatch(effEditIdle);
        plugin->dispatch(effEditClose);
    }
    EXPECT_GT(audio.stop(), 0);
    EXPECT_TRUE(children(idOf(*host)).empty());
}
