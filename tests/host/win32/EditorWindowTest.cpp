// The DLL's editor in a real window under Wine: its child window, failures to open, closing with the
// effect, and many opens and closes while the host's audio thread processes and automates.
#include "PluginUnderTest.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace
{

/// The host's window, one for the whole program: Wine under Xvfb takes seconds to destroy a top-level one.
HWND hostWindow()
{
    static HWND window = []
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QM07EditorHost";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, "QM07EditorHost", "host", WS_POPUP | WS_VISIBLE, 20, 20, 820, 240, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }();
    return window;
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

SIZE editorClientSize()
{
    RECT client = {};
    HWND editor = GetWindow(hostWindow(), GW_CHILD);
    if (editor) GetClientRect(editor, &client);
    return {client.right, client.bottom};
}

class EditorWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        plugin = loadPluginUnderTest();
        ASSERT_TRUE(plugin);
        plugin->start(48000.0, 256);
    }
    std::intptr_t open() { return plugin->dispatch(effEditOpen, 0, 0, hostWindow()); }

    std::unique_ptr<HostedPlugin> plugin;
};

TEST_F(EditorWindow, OpensAChildOfItsSizeAndClosesWithoutATrace)
{
    ASSERT_EQ(open(), 1);
    pumpMessages();
    EXPECT_EQ(editorClientSize().cx, 800);
    EXPECT_EQ(editorClientSize().cy, 220);
    EXPECT_EQ(plugin->dispatch(effEditIdle), 0);
    plugin->dispatch(effEditClose);
    EXPECT_EQ(GetWindow(hostWindow(), GW_CHILD), nullptr);
}

TEST_F(EditorWindow, AClickReleasedBeforeItIsHandledSelectsALeverPosition)
{
    ASSERT_EQ(open(), 1);
    // The right third of SC Mode, pressed and released before the press message is handled.
    PostMessageA(GetWindow(hostWindow(), GW_CHILD), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(613, 170));
    pumpMessages();
    EXPECT_EQ(plugin->parameter(7), 1.0f);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorWindow, AWindowItCannotOpenInIsRefusedAndALaterOpenWorks)
{
    EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x12345)), 0);
    EXPECT_EQ(plugin->dispatch(effEditIdle), 0);
    ASSERT_EQ(open(), 1);
    EXPECT_NE(GetWindow(hostWindow(), GW_CHILD), nullptr);
    plugin->dispatch(effEditClose);
}

TEST_F(EditorWindow, ClosingTheEffectWithItsEditorOpenTakesTheWindowAlong)
{
    ASSERT_EQ(open(), 1);
    plugin->close();
    EXPECT_EQ(GetWindow(hostWindow(), GW_CHILD), nullptr);
    pumpMessages();
}

TEST_F(EditorWindow, TwoHundredOpensAndClosesWhileTheAudioThreadProcessesAndAutomates)
{
    AutomatingAudioThread audio(*plugin);
    for (int cycle = 0; cycle < 200; ++cycle)
    {
        ASSERT_EQ(open(), 1) << cycle;
        pumpMessages();
        plugin->dispatch(effEditIdle);
        plugin->dispatch(effEditClose);
    }
    EXPECT_GT(audio.stop(), 0);
    EXPECT_EQ(GetWindow(hostWindow(), GW_CHILD), nullptr);
}

} // namespace
