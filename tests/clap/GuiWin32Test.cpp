// On Win32 a host without timers still gets a live editor: a thread timer of our own drives its idle.
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "EditorPlatform.h"
#include "ParentWindow.h"

#include <windows.h>

namespace
{
using namespace qm07;
using namespace qm07::test;

/// The host's message loop for a while: what is due to this thread's windows and timers is delivered.
void runMessagesFor(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    while (static_cast<LONG>(GetTickCount() - until) < 0)
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

TEST(GuiWin32, WithoutTheHostsTimersTheMessageLoopDrivesTheEditor)
{
    TestHost host;
    host.offersTimers = false;
    ParentWindow parent;
    Instance instance(host);
    const clap_plugin* p = instance.plugin;
    ASSERT_TRUE(instance.gui->create(p, editorWindowApi(), false));
    const clap_window window = parent.window();
    ASSERT_TRUE(instance.gui->set_parent(p, &window));
    InputEvents events;
    events.add(0, kGain, 12.0);
    instance.params->flush(p, events.list(), nullptr);
    runMessagesFor(200);
    EXPECT_EQ(ClapPlugin::of(p).values().takeUnseen(), 0u) << "taken at an idle";
    instance.gui->destroy(p);
    events.add(0, kGain, 6.0);
    instance.params->flush(p, events.list(), nullptr);
    runMessagesFor(100);
    EXPECT_NE(ClapPlugin::of(p).values().takeUnseen(), 0u) << "no idle once destroyed";
}

} // namespace
