// The frame: first-paint rule, back buffer redraws, press and key routing, focus, modal view, sizing.
#include "ToolkitTestSupport.h"

#include "CFrame.h"
#include "CKnob.h"
#include "COffscreenContext.h"

#include <memory>

using namespace VSTGUI;
using qm07test::Log;
using qm07test::ProbeView;

namespace
{

class FrameTest : public qm07test::HeadlessToolkitTest
{
protected:
    void SetUp() override
    {
        HeadlessToolkitTest::SetUp();
        host.screenOrigin = CPoint(400, 300);
        host.width = 800;
        host.height = 600;
    }

    void openFrame(CRect rect = CRect(0, 0, 200, 100), CFrameHost* owner = nullptr)
    {
        frame.reset();
        frame = std::make_unique<CFrame>(rect, &host, owner);
        frame->setBackgroundColor(CColor{0, 0, 80, 255});
    }

    ProbeView* add(const CRect& rect, const std::string& name)
    {
        auto* view = new ProbeView(rect, name, &log);
        frame->addView(view);
        return view;
    }

    headless::Window* window() const { return static_cast<headless::Window*>(frame->getWindow()); }

    void paintAll()
    {
        headless::invalidateWindow(*window(), CRect(0, 0, window()->width, window()->height));
        platform::dispatchPendingPaint();
    }

    headless::Window host;
    qm07test::ScriptedFrameHost frameHost;
    Log log;
    std::unique_ptr<CFrame> frame;
};

TEST_F(FrameTest, IdleDrawsNothingBeforeTheFirstPaint)
{
    openFrame();
    ProbeView* view = add(CRect(10, 10, 50, 50), "view");
    ASSERT_TRUE(frame->isDirty());
    frame->idle();
    EXPECT_EQ(0, view->draws);

    paintAll();
    EXPECT_EQ(1, view->draws);
    EXPECT_EQ(qm07test::rgb(200, 100, 50), window()->surface->pixel(10, 10))
        << "the paint reached the window";
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(2, view->draws);
    EXPECT_EQ(0, window()->contextsOut) << "every context on the window was released";
}

TEST_F(FrameTest, IdlePassRedrawsOnlyTheDirtyControlAndWhatOverlapsIt)
{
    openFrame(CRect(0, 0, 800, 220));
    ProbeView* dirtyKnob = add(CRect(100, 70, 180, 150), "knob");
    ProbeView* overlapping = add(CRect(170, 60, 230, 120), "overlapping");
    ProbeView* far = add(CRect(500, 70, 580, 150), "far");
    paintAll();
    COffscreenContext* backBuffer = frame->getBackBuffer();
    raster::Surface& pixels = *raster::surfaceOf(backBuffer);
    pixels.setPixel(99, 100, qm07test::rgb(1, 2, 3)); // just left of the knob
    pixels.setPixel(300, 200, qm07test::rgb(1, 2, 3));
    log.clear();

    dirtyKnob->color = CColor{0, 255, 0, 255};
    dirtyKnob->setDirty(true);
    frame->idle();

    EXPECT_EQ(Log({"knob:draw", "overlapping:draw"}), log);
    EXPECT_EQ(CRect(170, 70, 180, 120), overlapping->lastDrawClip) << "the neighbour only inside the knob";
    EXPECT_EQ(1, far->draws);
    EXPECT_EQ(qm07test::rgb(1, 2, 3), pixels.pixel(99, 100)) << "nothing outside the knob was redrawn";
    EXPECT_EQ(qm07test::rgb(1, 2, 3), pixels.pixel(300, 200));
    EXPECT_EQ(qm07test::rgb(0, 255, 0), window()->surface->pixel(120, 100)) << "copied to the window";
    EXPECT_FALSE(frame->isDirty());
}

TEST_F(FrameTest, OwnDirtyMarkRedrawsTheWholeFrame)
{
    openFrame();
    ProbeView* a = add(CRect(10, 10, 50, 50), "a");
    ProbeView* b = add(CRect(100, 10, 150, 50), "b");
    paintAll();
    frame->setBackgroundColor(CColor{0, 90, 0, 255});
    frame->idle();
    EXPECT_EQ(2, a->draws);
    EXPECT_EQ(2, b->draws);
    EXPECT_EQ(qm07test::rgb(0, 90, 0), window()->surface->pixel(80, 80)) << "the new background shows";
    EXPECT_FALSE(frame->isDirty());
}

TEST_F(FrameTest, IdlePassRedrawsANestedViewAtItsPlace)
{
    openFrame(CRect(0, 0, 300, 200));
    auto* outer = new CViewContainer(CRect(10, 20, 210, 120), frame.get());
    frame->addView(outer);
    auto* inner = new CViewContainer(CRect(100, 50, 150, 90), frame.get());
    inner->setBackgroundColor(CColor{30, 30, 30, 255});
    outer->addView(inner);
    auto* view = new ProbeView(CRect(5, 5, 20, 20), "view", &log);
    inner->addView(view);
    paintAll();

    view->color = CColor{0, 255, 0, 255};
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(CRect(5, 5, 20, 20), view->lastDrawClip) << "clipped to itself, in its parent's coordinates";
    const raster::Surface& pixels = *window()->surface;
    EXPECT_EQ(qm07test::rgb(0, 255, 0), pixels.pixel(10 + 100 + 5, 20 + 50 + 5));
    EXPECT_EQ(qm07test::rgb(0, 255, 0), pixels.pixel(10 + 100 + 19, 20 + 50 + 19));
    EXPECT_EQ(qm07test::rgb(30, 30, 30), pixels.pixel(10 + 100 + 4, 20 + 50 + 5));
    EXPECT_EQ(qm07test::rgb(30, 30, 30), pixels.pixel(10 + 100 + 20, 20 + 50 + 19));
    EXPECT_FALSE(frame->isDirty());
}

TEST_F(FrameTest, TransparentContainerLetsWhatLiesBehindRedrawFirst)
{
    openFrame();
    ProbeView* behind = add(CRect(40, 40, 100, 100), "behind");
    auto* glass = new CViewContainer(CRect(50, 50, 150, 100), frame.get());
    frame->addView(glass);
    auto* view = new ProbeView(CRect(0, 0, 20, 20), "view", &log);
    glass->addView(view);
    paintAll();
    log.clear();

    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(Log({"view:draw"}), log) << "an opaque container covers what lies behind";

    glass->setTransparency(true);
    glass->setDirty(false);
    log.clear();
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(Log({"behind:draw", "view:draw"}), log);
    EXPECT_EQ(CRect(50, 50, 70, 70), behind->lastDrawClip) << "only under the redrawn view";
    EXPECT_FALSE(behind->isDirty());
}

TEST_F(FrameTest, UpdateWithoutAContextDrawsStraightIntoTheWindow)
{
    openFrame();
    ProbeView* view = add(CRect(10, 10, 50, 50), "view");
    paintAll();
    view->color = CColor{0, 0, 255, 255};
    view->setDirty(true);
    view->update(nullptr);
    EXPECT_FALSE(view->isDirty());
    EXPECT_EQ(qm07test::rgb(0, 0, 255), window()->surface->pixel(20, 20));
    EXPECT_EQ(qm07test::rgb(200, 100, 50), raster::surfaceOf(frame->getBackBuffer())->pixel(20, 20))
        << "the back buffer is bypassed";
    EXPECT_EQ(0, window()->contextsOut);
}

TEST_F(FrameTest, BlockedUpdatesAndADestroyedWindowStopRedraws)
{
    openFrame();
    ProbeView* view = add(CRect(10, 10, 50, 50), "view");
    paintAll();
    EXPECT_FALSE(frame->updatesDisabled(true));
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(1, view->draws);
    EXPECT_TRUE(frame->updatesDisabled(false));

    frame->windowDestroyed();
    frame->idle();
    EXPECT_EQ(1, view->draws);
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(nullptr, frame->getSystemWindow());
    EXPECT_FALSE(frame->setSize(300, 300));
    std::int32_t x = 0;
    std::int32_t y = 0;
    EXPECT_FALSE(frame->getPosition(x, y));
}

TEST_F(FrameTest, InvalidateMarksOnlyTheChildrenItMeets)
{
    openFrame();
    ProbeView* a = add(CRect(0, 0, 20, 20), "a");
    ProbeView* b = add(CRect(40, 0, 60, 20), "b");
    paintAll();
    frame->invalidate(CRect(20, 20, 30, 30));
    EXPECT_TRUE(a->isDirty()) << "a corner contact counts";
    EXPECT_FALSE(b->isDirty());
}

TEST_F(FrameTest, EveryPressClearsTheFocusEvenWhenNothingIsHit)
{
    openFrame();
    ProbeView* view = add(CRect(10, 10, 50, 50), "view");
    ProbeView* disabled = add(CRect(100, 10, 150, 50), "disabled");
    disabled->setMouseEnabled(false);
    frame->setFocusView(view);
    frame->mouse(nullptr, CPoint(120, 20), kLButton);
    EXPECT_EQ(nullptr, frame->getFocusView());
    EXPECT_EQ(Log({"view:looseFocus"}), log);

    headless::environment().buttons = kLButton | kAlt;
    CDrawContext* context = frame->createDrawContext();
    frame->mouse(context, CPoint(50, 50), -1);
    context->forget();
    EXPECT_EQ(kLButton | kAlt, view->lastButtons) << "buttons read from the context; edges inclusive";
}

TEST_F(FrameTest, ModalViewTakesPressesWheelAndKeysAndIsUpdatedFirst)
{
    openFrame();
    ProbeView* normal = add(CRect(0, 0, 200, 100), "normal");
    auto* modal = new ProbeView(CRect(50, 20, 100, 60), "modal", &log);
    ASSERT_TRUE(frame->setModalView(modal));
    EXPECT_EQ(2, modal->getNbReference());
    auto* another = new ProbeView(CRect(0, 0, 10, 10), "another", &log);
    EXPECT_FALSE(frame->setModalView(another));
    EXPECT_EQ(modal, frame->getModalView());

    frame->mouse(nullptr, CPoint(10, 10), kLButton);
    EXPECT_TRUE(log.empty()) << "a press outside the modal view is dropped";
    frame->mouse(nullptr, CPoint(60, 30), kLButton);
    EXPECT_TRUE(frame->onWheel(nullptr, CPoint(10, 10), 1.0f));
    CKeyCode key{'x', 0, 0};
    frame->onKeyDown(key);
    EXPECT_EQ(Log({"modal:mouse", "modal:wheel", "modal:keyDown"}), log);
    EXPECT_EQ(modal, frame->getCurrentView());
    normal->setWantsFocus(true);
    CKeyCode tab{0, kVirtualKeyTab, 0};
    EXPECT_EQ(-1, frame->onKeyDown(tab)) << "no focus traversal while modal";

    EXPECT_TRUE(frame->setModalView(nullptr));
    EXPECT_FALSE(frame->isChild(modal));
    EXPECT_EQ(1, modal->getNbReference());
    modal->forget();
    another->forget();
}

TEST_F(FrameTest, DirtyModalViewIsUpdatedBeforeTheOtherChildren)
{
    openFrame();
    ProbeView* normal = add(CRect(0, 0, 40, 40), "normal");
    auto* modal = new ProbeView(CRect(100, 20, 150, 60), "modal", &log);
    ASSERT_TRUE(frame->setModalView(modal));
    paintAll();
    log.clear();
    normal->setDirty(true);
    modal->setDirty(true);
    frame->idle();
    EXPECT_EQ(Log({"modal:draw", "normal:draw"}), log);
    frame->setModalView(nullptr);
    modal->forget();
}

TEST_F(FrameTest, KeysGoToFocusViewThenModalViewThenTab)
{
    openFrame();
    ProbeView* first = add(CRect(0, 0, 10, 10), "first");
    ProbeView* middle = add(CRect(20, 0, 30, 10), "middle");
    ProbeView* last = add(CRect(40, 0, 50, 10), "last");
    CKeyCode tab{0, kVirtualKeyTab, 0};
    CKeyCode shiftTab{0, kVirtualKeyTab, kModifierShift};
    EXPECT_EQ(-1, frame->onKeyDown(tab)) << "no child wants focus";

    first->setWantsFocus(true);
    last->setWantsFocus(true);
    EXPECT_EQ(1, frame->onKeyDown(tab));
    EXPECT_EQ(first, frame->getFocusView());
    EXPECT_TRUE(first->isDirty());
    EXPECT_EQ(1, frame->onKeyDown(tab));
    EXPECT_EQ(last, frame->getFocusView()) << "skips the view that does not want focus";
    EXPECT_EQ(-1, frame->onKeyDown(tab));
    EXPECT_EQ(nullptr, frame->getFocusView()) << "past the last one the focus is dropped";
    EXPECT_EQ(1, frame->onKeyDown(shiftTab));
    EXPECT_EQ(last, frame->getFocusView());

    log.clear();
    last->keyResult = 3;
    CKeyCode plain{'a', 0, 0};
    EXPECT_EQ(3, frame->onKeyDown(plain));
    EXPECT_EQ(Log({"last:keyDown"}), log) << "the focus view alone is asked";
    EXPECT_EQ(3, frame->onKeyUp(plain));
    (void)middle;
}

TEST_F(FrameTest, TabMovesIntoAndOutOfNestedContainers)
{
    openFrame();
    ProbeView* before = add(CRect(0, 0, 10, 10), "before");
    auto* group = new CViewContainer(CRect(20, 0, 80, 40), frame.get());
    frame->addView(group);
    auto* inside = new ProbeView(CRect(0, 0, 10, 10), "inside", &log);
    group->addView(inside);
    ProbeView* after = add(CRect(90, 0, 100, 10), "after");
    before->setWantsFocus(true);
    inside->setWantsFocus(true);
    after->setWantsFocus(true);
    CKeyCode tab{0, kVirtualKeyTab, 0};
    frame->onKeyDown(tab);
    frame->onKeyDown(tab);
    EXPECT_EQ(inside, frame->getFocusView());
    frame->onKeyDown(tab);
    EXPECT_EQ(after, frame->getFocusView());
}

TEST_F(FrameTest, RemovingTheFocusViewClearsTheFocusFirst)
{
    openFrame();
    ProbeView* view = add(CRect(0, 0, 10, 10), "view");
    frame->setFocusView(view);
    frame->removeView(view, true);
    EXPECT_EQ(nullptr, frame->getFocusView());
}

TEST_F(FrameTest, WheelGoesToTheViewUnderThePointerEnabledOrNot)
{
    openFrame();
    ProbeView* view = add(CRect(10, 10, 50, 50), "view");
    view->setMouseEnabled(false);
    EXPECT_TRUE(frame->onWheel(nullptr, CPoint(50, 50), kMouseWheelAxisY, 2.0f));
    EXPECT_EQ(CPoint(50, 50), view->lastWhere) << "frame coordinates, unchanged";
    EXPECT_FALSE(frame->onWheel(nullptr, CPoint(51, 50), kMouseWheelAxisY, 1.0f));
}

TEST_F(FrameTest, PointerLocationIsRelativeToTheWindow)
{
    openFrame();
    headless::environment().pointer = CPoint(430, 320);
    CPoint where;
    EXPECT_TRUE(frame->getCurrentLocation(where));
    EXPECT_EQ(CPoint(30, 20), where);
    ProbeView* view = add(CRect(10, 10, 50, 50), "view");
    EXPECT_EQ(view, frame->getCurrentView());
    CDrawContext* context = frame->createDrawContext();
    view->getMouseLocation(context, where);
    context->forget();
    EXPECT_EQ(CPoint(30, 20), where);
}

TEST_F(FrameTest, SetSizeWithTheCurrentSizeKeepsTheBackBuffer)
{
    openFrame();
    COffscreenContext* backBuffer = frame->getBackBuffer();
    EXPECT_FALSE(frame->setSize(200, 100));
    EXPECT_EQ(backBuffer, frame->getBackBuffer());
}

TEST_F(FrameTest, SetSizeThroughAHostThatSizesItsWindow)
{
    frameHost.sizeAnswer = true;
    openFrame(CRect(0, 0, 200, 100), &frameHost);
    frame->getBackBuffer();
    frame->setDirty(false);
    ASSERT_TRUE(frame->setSize(300, 150));
    CRect size;
    EXPECT_EQ(CRect(0, 0, 300, 150), frame->getViewSize(size));
    EXPECT_EQ(300, window()->width);
    EXPECT_EQ(150, window()->height);
    EXPECT_EQ(Log({"size 300x150"}), frameHost.log);
    EXPECT_FALSE(frame->isDirty()) << "nothing else changes";
    EXPECT_EQ(300, frame->getBackBuffer()->getWidth()) << "the back buffer is made again";
}

TEST_F(FrameTest, SetSizeWithoutHostSupportResizesTheWindowsItself)
{
    openFrame(CRect(0, 0, 200, 100), &frameHost);
    frame->setDirty(false);
    ASSERT_TRUE(frame->setSize(250, 120));
    EXPECT_EQ(Log({"size 250x120"}), frameHost.log);
    CRect size;
    EXPECT_EQ(CRect(0, 0, 250, 120), frame->getViewSize(size));
    EXPECT_EQ(250, window()->width);
    EXPECT_TRUE(frame->isDirty());
}

TEST_F(FrameTest, EditBracketsIdleAndKnobModeGoThroughTheHost)
{
    openFrame(CRect(0, 0, 200, 100));
    frame->beginEdit(1);
    frame->doIdleStuff();
    EXPECT_EQ(kCircularMode, frame->getKnobMode()) << "without a host";
    openFrame(CRect(0, 0, 200, 100), &frameHost);
    frame->beginEdit(1);
    frame->doIdleStuff();
    frame->endEdit(1);
    EXPECT_EQ(Log({"beginEdit 1", "idle", "endEdit 1"}), frameHost.log);
    frameHost.knobMode = kLinearMode;
    EXPECT_EQ(kLinearMode, frame->getKnobMode());
    EXPECT_EQ(&frameHost, frame->getEditor());
}

TEST_F(FrameTest, WindowIsADropTargetAndTheCursorFallsBackToTheDefault)
{
    openFrame();
    EXPECT_TRUE(frame->isDropActive());
    EXPECT_TRUE(window()->dropTarget);
    frame->setCursor(kCursorHand);
    EXPECT_EQ(kCursorHand, headless::environment().cursor);
    frame->setCursor(kCursorCopy);
    EXPECT_EQ(kCursorDefault, headless::environment().cursor);

    CFrame windowless(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_EQ(nullptr, windowless.getWindow());
    EXPECT_FALSE(windowless.setDropActive(true));
    EXPECT_TRUE(windowless.setDropActive(false));
    EXPECT_FALSE(windowless.getSize(nullptr));
}

/// A view that still talks to its frame while the frame's destruction removes it.
class FrameCallingView : public CView
{
public:
    using CView::CView;
    bool removed(CView* parent) override
    {
        CFrame* frame = getFrame();
        frame->setCursor(kCursorDefault);
        std::int32_t x = 0;
        std::int32_t y = 0;
        positionAnswer = frame->getPosition(x, y);
        CRect rect;
        sizeAnswer = frame->getSize(rect);
        resizeAnswer = frame->setSize(10, 10);
        return CView::removed(parent);
    }
    static bool positionAnswer;
    static bool sizeAnswer;
    static bool resizeAnswer;
};
bool FrameCallingView::positionAnswer = true;
bool FrameCallingView::sizeAnswer = true;
bool FrameCallingView::resizeAnswer = true;

TEST_F(FrameTest, ChildrenRemovedByTheFrameDestructionMayStillCallTheFrame)
{
    openFrame();
    frame->addView(new FrameCallingView(CRect(0, 0, 10, 10)));
    frame.reset();
    EXPECT_FALSE(FrameCallingView::positionAnswer) << "the window is gone";
    EXPECT_FALSE(FrameCallingView::sizeAnswer);
    EXPECT_FALSE(FrameCallingView::resizeAnswer);
}

TEST_F(FrameTest, FrameDestructionBalancesOleAndUnlinksTheWindow)
{
    openFrame();
    EXPECT_EQ(1, headless::environment().oleDepth);
    EXPECT_EQ(1u, headless::environment().windows.size());
    frame.reset();
    EXPECT_EQ(0, headless::environment().oleDepth);
    EXPECT_TRUE(headless::environment().windows.empty());
}

} // namespace
