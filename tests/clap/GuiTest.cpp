// The gui extension in the call orders hosts use, on the toolkit's back end of the build.
#include "ClapPlugin.h"
#include "ClapTestSupport.h"
#include "EditorPlatform.h"
#include "ParentWindow.h"

namespace
{
using namespace qm07;
using namespace qm07::test;

struct Gui : ::testing::Test
{
    TestHost host;
    ParentWindow parent;
    std::unique_ptr<Instance> instance = std::make_unique<Instance>(host);
    const clap_plugin* p = instance->plugin;
    const clap_plugin_gui& gui = *instance->gui;

    /// One call by its letter: c create, p set_parent, s show, h hide, d destroy, t the pump timer.
    bool call(char letter)
    {
        const clap_window window = parent.window();
        switch (letter)
        {
        case 'c':
            return gui.create(p, editorWindowApi(), false);
        case 'p':
            return gui.set_parent(p, &window);
        case 's':
            return gui.show(p);
        case 'h':
            return gui.hide(p);
        case 'd':
            gui.destroy(p);
            return true;
        default:
            for (clap_id id : host.timers)
                instance->timer->on_timer(p, id);
            return true;
        }
    }
};

TEST_F(Gui, EveryCallOrderOfHostsEndsWithTheWindowAsAsked)
{
    const struct
    {
        const char* calls;
        int children;
        bool shown;
    } kOrders[] = {
        {"cpshs", 1, true}, {"csp", 1, true},     {"cp", 1, false},      {"cshp", 1, false},
        {"cpsh", 1, false}, {"cd", 0, false},     {"cpsd", 0, false},    {"cpsdcps", 1, true},
        {"cpps", 1, true},  {"tctptst", 1, true}, {"cpdcdcsp", 1, true},
    };
    for (const auto& c : kOrders)
    {
        for (const char* at = c.calls; *at; ++at)
            EXPECT_TRUE(call(*at)) << c.calls << " at " << at;
        EXPECT_EQ(parent.children(), c.children) << c.calls;
        EXPECT_EQ(parent.childShown(), c.shown) << c.calls;
        EXPECT_EQ(ClapPlugin::of(p).meterFeed().isActive(), c.children > 0) << c.calls;
        gui.destroy(p);
        EXPECT_EQ(parent.children(), 0) << c.calls;
        EXPECT_TRUE(host.timers.empty() && host.fds.empty()) << c.calls;
        EXPECT_FALSE(ClapPlugin::of(p).meterFeed().isActive()) << c.calls;
    }
    EXPECT_EQ(host.strayUnregisters, 0);
}

TEST_F(Gui, CallsWithoutAnEditorOrForAnotherWindowSystemAreRefused)
{
    const clap_window window = parent.window();
    EXPECT_FALSE(gui.set_parent(p, &window));
    EXPECT_FALSE(gui.show(p));
    EXPECT_FALSE(gui.hide(p));
    gui.destroy(p);
    EXPECT_FALSE(gui.create(p, editorWindowApi(), true));
    EXPECT_FALSE(gui.create(p, "wayland", false));
    EXPECT_FALSE(gui.create(p, nullptr, false));
    ASSERT_TRUE(gui.create(p, editorWindowApi(), false));
    EXPECT_FALSE(gui.create(p, editorWindowApi(), false)) << "one at a time";
    clap_window other = window;
    other.api = "cocoa";
    EXPECT_FALSE(gui.set_parent(p, &other));
    EXPECT_FALSE(gui.set_parent(p, nullptr));
    gui.destroy(p);
    EXPECT_TRUE(host.timers.empty());
}

// Destroyed with its editor open, the plug-in closes the window and gives back the timer and descriptor.
TEST_F(Gui, TheOpenEditorTakesHostChangesAtItsTickAndGoesWithThePlugin)
{
    ASSERT_TRUE(call('c') && call('p') && call('s'));
    InputEvents events;
    events.add(0, kGain, 12.0);
    instance->params->flush(p, events.list(), nullptr);
    call('t');
    EXPECT_EQ(ClapPlugin::of(p).values().takeUnseen(), 0u) << "taken by the editor";
    instance.reset();
    EXPECT_EQ(parent.children(), 0);
    EXPECT_TRUE(host.timers.empty() && host.fds.empty());
    EXPECT_EQ(host.strayUnregisters, 0);
}

TEST_F(Gui, WithoutTheHostsTimersTheEditorStillOpens)
{
    host.offersTimers = false;
    Instance untimed(host);
    ASSERT_TRUE(untimed.gui->create(untimed.plugin, editorWindowApi(), false));
    const clap_window window = parent.window();
    ASSERT_TRUE(untimed.gui->set_parent(untimed.plugin, &window));
    ASSERT_TRUE(untimed.gui->show(untimed.plugin));
    EXPECT_TRUE(parent.childShown());
    untimed.gui->destroy(untimed.plugin);
}

} // namespace
