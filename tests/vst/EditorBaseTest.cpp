// The editor base: rectangle, closed-editor answers, key results, wheel, knob mode, idle pacing, and the
// frame's calls as the host receives them.
#include "TestHost.h"
#include "ToolkitTestSupport.h"

using namespace VSTGUI;
using qm07test::Log;
using qm07test::ProbeView;
using qm07test::ScriptedHost;
using qm07test::TestEditor;

namespace
{

class EditorBaseTest : public qm07test::HeadlessToolkitTest
{
protected:
    void SetUp() override
    {
        HeadlessToolkitTest::SetUp();
        ScriptedHost::instance() = ScriptedHost();
        headless::environment().ticks = 1000;
        host.screenOrigin = CPoint(100, 100);
        effect = std::make_unique<qm07test::TestEffect>();
        editor = new TestEditor(effect.get());
        editor->populate = [this](CFrame& frame)
        {
            view = new ProbeView(CRect(10, 10, 60, 60), "view", &log);
            frame.addView(view);
        };
    }

    /// Opens the editor and paints its window once, so that idle passes may draw.
    void openAndPaint()
    {
        ASSERT_TRUE(editor->open(&host));
        auto* window = static_cast<headless::Window*>(editor->getFrame()->getWindow());
        headless::invalidateWindow(*window, CRect(0, 0, 200, 100));
        platform::dispatchPendingPaint();
        view->draws = 0;
    }

    headless::Window host;
    Log log;
    std::unique_ptr<qm07test::TestEffect> effect; // owns the editor
    TestEditor* editor = nullptr;
    ProbeView* view = nullptr;
};

TEST_F(EditorBaseTest, AttachesItselfAndReportsItsRectangle)
{
    EXPECT_EQ(editor, effect->getEditor());
    EXPECT_TRUE(effect->getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_TRUE(editor->getRect(&rect));
    ASSERT_NE(nullptr, rect);
    EXPECT_EQ(0, rect->top);
    EXPECT_EQ(100, rect->bottom);
    EXPECT_EQ(200, rect->right);
    EXPECT_EQ(1, headless::environment().oleDepth);
    effect.reset();
    EXPECT_EQ(0, headless::environment().oleDepth) << "destruction leaves OLE once";
}

TEST_F(EditorBaseTest, DestroyingAnOpenEditorDestroysItsFrameAndWindow)
{
    bool viewDestroyed = false;
    editor->populate = [&viewDestroyed](CFrame& frame)
    { frame.addView(new ProbeView(CRect(0, 0, 5, 5), "view", nullptr, &viewDestroyed)); };
    editor->open(&host);
    ASSERT_EQ(1u, headless::environment().windows.size());
    effect.reset();
    EXPECT_TRUE(viewDestroyed);
    EXPECT_TRUE(headless::environment().windows.empty());
    EXPECT_EQ(0, headless::environment().oleDepth);
}

TEST_F(EditorBaseTest, ClosedEditorAnswersNothing)
{
    VstKeyCode key{'a', 0, 0};
    EXPECT_FALSE(editor->onKeyDown(key));
    EXPECT_FALSE(editor->onKeyUp(key));
    EXPECT_FALSE(editor->onWheel(1.0f));
    editor->idle();
    editor->open(&host);
    editor->close();
    EXPECT_EQ(nullptr, editor->getFrame());
    EXPECT_FALSE(editor->onKeyDown(key));
}

TEST_F(EditorBaseTest, KeyIsUsedOnlyWhenTheFrameAnswersOne)
{
    openAndPaint();
    VstKeyCode key{'a', 0, 0};
    EXPECT_FALSE(editor->onKeyDown(key)) << "-1 from the frame";
    editor->getFrame()->setFocusView(view);
    view->keyResult = 2;
    EXPECT_FALSE(editor->onKeyDown(key)) << "only exactly 1 counts";
    view->keyResult = 1;
    EXPECT_TRUE(editor->onKeyDown(key));
    EXPECT_TRUE(editor->onKeyUp(key));
}

TEST_F(EditorBaseTest, WheelReachesTheViewUnderTheCursor)
{
    openAndPaint();
    headless::environment().pointer = CPoint(100 + 30, 100 + 40);
    EXPECT_TRUE(editor->onWheel(1.0f));
    EXPECT_EQ(CPoint(30, 40), view->lastWhere);
    headless::environment().pointer = CPoint(100 + 150, 100 + 40);
    EXPECT_FALSE(editor->onWheel(1.0f));
    EXPECT_EQ(0, host.contextsOut);
}

TEST_F(EditorBaseTest, KnobModeIsSharedByEveryEditor)
{
    qm07test::TestEffect otherEffect;
    auto* other = new TestEditor(&otherEffect);
    editor->open(&host);
    other->open(&host);
    EXPECT_TRUE(editor->setKnobMode(2));
    EXPECT_EQ(2, other->getFrame()->getKnobMode());
    EXPECT_EQ(2, editor->getFrame()->getKnobMode());
    editor->setKnobMode(0);
    other->close();
    editor->close();
}

TEST_F(EditorBaseTest, FrameCallsReachTheHostAsItsRequests)
{
    struct Request
    {
        std::int32_t opcode;
        std::int32_t index;
        std::intptr_t value;
    };
    const struct
    {
        const char* name;
        bool canSizeWindow;
        bool sizeWindowSucceeds;
        std::function<bool(CFrame&)> call;
        bool answer;
        std::vector<Request> expected;
    } cases[] = {
        {"begin edit",
         false,
         false,
         [](CFrame& f) { return f.beginEdit(1), true; },
         true,
         {{audioMasterBeginEdit, 1, 0}}},
        {"end edit",
         false,
         false,
         [](CFrame& f) { return f.endEdit(1), true; },
         true,
         {{audioMasterEndEdit, 1, 0}}},
        {"size, host sizes",
         true,
         true,
         [](CFrame& f) { return f.setSize(300, 150); },
         true,
         {{audioMasterCanDo, 0, 0}, {audioMasterSizeWindow, 300, 150}}},
        {"size, host cannot",
         false,
         true,
         [](CFrame& f) { return f.setSize(250, 120); },
         true,
         {{audioMasterCanDo, 0, 0}}},
        {"size, host fails",
         true,
         false,
         [](CFrame& f) { return f.setSize(240, 110); },
         true,
         {{audioMasterCanDo, 0, 0}, {audioMasterSizeWindow, 240, 110}}},
    };
    for (const auto& c : cases)
    {
        ScriptedHost& script = ScriptedHost::instance();
        script = ScriptedHost();
        script.canSizeWindow = c.canSizeWindow;
        script.sizeWindowSucceeds = c.sizeWindowSucceeds;
        ASSERT_TRUE(editor->open(&host));
        const bool answer = c.call(*editor->getFrame());
        editor->close();
        EXPECT_EQ(c.answer, answer) << c.name;
        ASSERT_EQ(c.expected.size(), script.requests.size()) << c.name;
        for (std::size_t i = 0; i < c.expected.size(); ++i)
        {
            const auto& seen = script.requests[i];
            EXPECT_EQ(c.expected[i].opcode, seen.opcode) << c.name;
            EXPECT_EQ(c.expected[i].index, seen.index) << c.name;
            EXPECT_EQ(c.expected[i].value, seen.value) << c.name;
            if (seen.opcode == audioMasterCanDo)
            {
                EXPECT_EQ("sizeWindow", seen.text) << c.name;
            }
        }
    }
}

TEST_F(EditorBaseTest, IdleRedrawsDirtyViewsOfAnOpenEditor)
{
    openAndPaint();
    view->setDirty(true);
    editor->idle();
    EXPECT_EQ(1, view->draws);
}

TEST_F(EditorBaseTest, IdlePacingRunsAPassAboutEveryFiftyMilliseconds)
{
    openAndPaint();
    headless::Environment& env = headless::environment();
    auto passes = [] { return ScriptedHost::instance().count(audioMasterIdle); };

    editor->doIdleStuff();
    ASSERT_EQ(1, passes()) << "the constructor's tick is already due";
    const std::uint32_t t = env.ticks;
    EXPECT_EQ(t + 100, editor->pendingTicks());

    env.ticks = t + 45;
    editor->doIdleStuff();
    EXPECT_EQ(1, passes()) << "before T + 46 it only sleeps";
    EXPECT_EQ(1u, env.sleepCalls);
    EXPECT_EQ(4u, env.sleptMilliseconds);

    env.ticks = t + 46;
    view->setDirty(true);
    editor->doIdleStuff();
    EXPECT_EQ(2, passes()) << "from T + 46 it sleeps, then runs a pass";
    EXPECT_EQ(2u, env.sleepCalls);
    EXPECT_EQ(1, view->draws);
    EXPECT_EQ(t + 46 + 4 + 100, editor->pendingTicks());

    const std::uint32_t t2 = t + 50;
    env.ticks = t2 + 100;
    editor->doIdleStuff();
    EXPECT_EQ(3, passes()) << "at T + 100 it runs at once";
    EXPECT_EQ(2u, env.sleepCalls);
}

TEST_F(EditorBaseTest, LoopingCallerGetsAPassAboutEveryFiftyMilliseconds)
{
    openAndPaint();
    for (int i = 0; i < 1000; ++i)
        editor->doIdleStuff(); // each call without a pass advances the test clock by its 4 ms sleep
    const std::uint32_t elapsed = headless::environment().ticks - 1000;
    const int passes = ScriptedHost::instance().count(audioMasterIdle);
    EXPECT_NEAR(50.0, static_cast<double>(elapsed) / passes, 4.0);
}

TEST_F(EditorBaseTest, PacingDispatchesAPendingPaint)
{
    openAndPaint();
    auto* window = static_cast<headless::Window*>(editor->getFrame()->getWindow());
    headless::invalidateWindow(*window, CRect(0, 0, 20, 20));
    const std::uint32_t before = headless::environment().paintsDispatched;
    editor->doIdleStuff();
    EXPECT_EQ(before + 1, headless::environment().paintsDispatched);
    EXPECT_FALSE(window->paintPending);
}

TEST_F(EditorBaseTest, HostIdleInsideMasterIdleDoesNotReachTheFrame)
{
    openAndPaint();
    int drawsSeenByNestedIdle = -1;
    ScriptedHost::instance().onIdle = [this, &drawsSeenByNestedIdle]
    {
        view->setDirty(true);
        editor->idle();
        drawsSeenByNestedIdle = view->draws;
    };
    editor->doIdleStuff();
    EXPECT_EQ(0, drawsSeenByNestedIdle);
    ScriptedHost::instance().onIdle = nullptr;
    editor->idle();
    EXPECT_EQ(1, view->draws) << "outside the pacing the host's idle draws again";
}

} // namespace
