// Views and containers: routing order, inclusive edges, ownership, dirty tracking, partial redraw, focus,
// drag.
#include "ToolkitTestSupport.h"

#include "CFrame.h"
#include "COffscreenContext.h"

#include <memory>

using namespace VSTGUI;
using qm07test::Log;
using qm07test::ProbeView;

namespace
{

/// A context on a surface of its own, released with the helper.
struct SurfaceContext
{
    explicit SurfaceContext(CFrame* frame, std::int32_t width = 300, std::int32_t height = 200)
        : surface(width, height, qm07test::rgb(0, 0, 0)), context(new CDrawContext(frame, &surface, nullptr))
    {
    }
    ~SurfaceContext() { context->forget(); }
    raster::Surface surface;
    CDrawContext* context;
};

class ViewContainerTest : public qm07test::HeadlessToolkitTest
{
protected:
    void SetUp() override
    {
        HeadlessToolkitTest::SetUp();
        frame = std::make_unique<CFrame>(CRect(0, 0, 300, 200), nullptr, nullptr);
        container = new CViewContainer(CRect(10, 20, 210, 120), frame.get());
        frame->addView(container);
    }

    ProbeView* add(const CRect& rect, const std::string& name, CViewContainer* parent = nullptr)
    {
        auto* view = new ProbeView(rect, name, &log);
        (parent ? parent : container)->addView(view);
        return view;
    }

    Log log;
    std::unique_ptr<CFrame> frame;
    CViewContainer* container = nullptr;
};

TEST_F(ViewContainerTest, MouseGoesToTheLastAddedChildThatIsEnabledAndHit)
{
    ProbeView* left = add(CRect(0, 0, 50, 50), "left");
    ProbeView* right = add(CRect(50, 0, 100, 50), "right");
    ProbeView* top = add(CRect(0, 0, 100, 50), "top");
    top->setMouseEnabled(false);

    // Frame (60, 30) is (50, 10) in the container: the shared edge of left and right.
    container->mouse(nullptr, CPoint(60, 30), kLButton);
    EXPECT_EQ(Log({"right:mouse"}), log);
    EXPECT_EQ(CPoint(50, 10), right->lastWhere);
    EXPECT_EQ(kLButton, right->lastButtons);

    log.clear();
    container->mouse(nullptr, CPoint(500, 500), kLButton);
    EXPECT_TRUE(log.empty()) << "a click that hits no child is dropped";
    (void)left;
}

TEST_F(ViewContainerTest, MouseReadsButtonsFromTheContextWhenNotGiven)
{
    ProbeView* view = add(CRect(0, 0, 50, 50), "view");
    headless::environment().buttons = kRButton | kShift;
    SurfaceContext target(frame.get());
    container->mouse(target.context, CPoint(15, 25), -1);
    EXPECT_EQ(kRButton | kShift, view->lastButtons);
}

TEST_F(ViewContainerTest, DisabledChildStillGetsTheWheelAndIsFoundByGetViewAt)
{
    ProbeView* below = add(CRect(0, 0, 100, 50), "below");
    ProbeView* above = add(CRect(0, 0, 100, 50), "above");
    above->setMouseEnabled(false);

    container->mouse(nullptr, CPoint(20, 30), kLButton);
    EXPECT_EQ(Log({"below:mouse"}), log);
    EXPECT_EQ(above, container->getViewAt(CPoint(20, 30)));
    log.clear();
    EXPECT_TRUE(container->onWheel(nullptr, CPoint(20, 30), 1.0f));
    EXPECT_EQ(Log({"above:wheel"}), log);
    EXPECT_EQ(CPoint(10, 10), above->lastWhere);
    EXPECT_FALSE(container->onWheel(nullptr, CPoint(205, 30), 1.0f)) << "no child there";
    (void)below;
}

TEST_F(ViewContainerTest, GetViewAtIncludesRightAndBottomEdgesAndSearchesDeep)
{
    auto* inner = new CViewContainer(CRect(100, 50, 150, 90), frame.get());
    container->addView(inner);
    ProbeView* deepView = add(CRect(5, 5, 20, 20), "deep", inner);
    EXPECT_EQ(inner, container->getViewAt(CPoint(10 + 150, 20 + 90)));
    EXPECT_EQ(deepView, container->getViewAt(CPoint(10 + 100 + 20, 20 + 50 + 20), true));
    EXPECT_EQ(nullptr, container->getViewAt(CPoint(10 + 100 + 30, 20 + 50 + 30), true))
        << "deep search answers the inner container's own (empty) result";
    CViewContainer orphan(CRect(0, 0, 10, 10), nullptr);
    EXPECT_EQ(nullptr, orphan.getViewAt(CPoint(1, 1))) << "no frame, no answer";
}

TEST_F(ViewContainerTest, DrawVisitsChildrenFirstToLastAndLeavesEverythingClean)
{
    add(CRect(0, 0, 20, 20), "a");
    add(CRect(10, 10, 30, 30), "b");
    add(CRect(20, 20, 40, 40), "c");
    SurfaceContext target(frame.get());
    container->draw(target.context);
    EXPECT_EQ(Log({"a:draw", "b:draw", "c:draw"}), log);
    EXPECT_FALSE(container->isDirty());
    // Children draw in the container's coordinates: b's top-left pixel lands at (10+10, 20+10).
    EXPECT_EQ(qm07test::rgb(200, 100, 50), target.surface.pixel(20, 30));
    EXPECT_EQ(CPoint(), target.context->offset) << "offsets restored";
}

TEST_F(ViewContainerTest, GetViewAnswersNullOutsideTheList)
{
    ProbeView* first = add(CRect(0, 0, 10, 10), "first");
    ProbeView* second = add(CRect(0, 0, 10, 10), "second");
    EXPECT_EQ(2, container->getNbViews());
    EXPECT_EQ(first, container->getView(0));
    EXPECT_EQ(second, container->getView(1));
    EXPECT_EQ(nullptr, container->getView(2));
    EXPECT_EQ(nullptr, container->getView(-1));
    EXPECT_TRUE(container->isChild(second));
    EXPECT_FALSE(frame->isChild(second)) << "direct children only";
}

TEST_F(ViewContainerTest, AddedViewsAreOwnedAndReleasedAccordingToForget)
{
    bool destroyedWithForget = false;
    bool destroyedWithoutForget = false;
    auto* a = new ProbeView(CRect(0, 0, 5, 5), "a", nullptr, &destroyedWithForget);
    auto* b = new ProbeView(CRect(0, 0, 5, 5), "b", nullptr, &destroyedWithoutForget);
    container->addView(a);
    container->addView(b);
    EXPECT_EQ(2, a->getNbReference());
    EXPECT_EQ(container, a->getParentView());
    EXPECT_EQ(frame.get(), a->getFrame());
    EXPECT_TRUE(a->isDirty());

    container->removeView(a, true);
    EXPECT_TRUE(destroyedWithForget);
    container->removeView(b, false);
    EXPECT_FALSE(destroyedWithoutForget);
    EXPECT_EQ(1, b->getNbReference());
    container->removeView(b, true); // not a child any more: nothing happens
    EXPECT_FALSE(destroyedWithoutForget);
    b->forget();
    EXPECT_TRUE(destroyedWithoutForget);
}

TEST_F(ViewContainerTest, RemoveAllAndDestructionReleaseEveryChild)
{
    bool kept = false;
    bool dropped = false;
    bool ownedByInner = false;
    auto* keep = new ProbeView(CRect(0, 0, 5, 5), "keep", nullptr, &kept);
    container->addView(keep);
    container->removeAll(false);
    EXPECT_EQ(0, container->getNbViews());
    EXPECT_FALSE(kept) << "without forget the creator's reference stays";
    EXPECT_EQ(1, keep->getNbReference());
    keep->forget();
    EXPECT_TRUE(kept);

    container->addView(new ProbeView(CRect(0, 0, 5, 5), "drop", nullptr, &dropped));
    container->removeAll(true);
    EXPECT_TRUE(dropped);

    auto* inner = new CViewContainer(CRect(0, 0, 50, 50), frame.get());
    inner->addView(new ProbeView(CRect(0, 0, 5, 5), "inner", nullptr, &ownedByInner));
    container->addView(inner);
    frame.reset();
    EXPECT_TRUE(ownedByInner) << "destroying the frame destroys the whole tree";
}

TEST_F(ViewContainerTest, DirtyChildOutsideTheContainerDoesNotMakeItDirty)
{
    ProbeView* outside = add(CRect(300, 0, 320, 20), "outside");
    container->setDirty(false);
    outside->setDirty(true);
    EXPECT_FALSE(container->isDirty());
    ProbeView* inside = add(CRect(190, 0, 220, 20), "inside");
    container->setDirty(false);
    EXPECT_TRUE(container->isDirty()) << "partly inside counts";
    inside->setDirty(false);
    EXPECT_FALSE(container->isDirty());
}

TEST_F(ViewContainerTest, PartialDrawRectLeavesAPartlyDrawnChildDirty)
{
    ProbeView* whole = add(CRect(0, 0, 20, 20), "whole");
    ProbeView* partly = add(CRect(30, 0, 60, 20), "partly");
    ProbeView* touching = add(CRect(40, 40, 60, 60), "touching");
    SurfaceContext target(frame.get());
    // Update area (frame coordinates) covering whole and half of partly; it touches `touching` at a corner.
    container->drawRect(target.context, CRect(10, 20, 10 + 45, 20 + 40));
    EXPECT_FALSE(whole->isDirty());
    EXPECT_TRUE(partly->isDirty());
    EXPECT_EQ(CRect(30, 0, 45, 20), partly->lastDrawClip) << "drawn only in the visible part";
    EXPECT_TRUE(touching->checkUpdate(CRect(0, 0, 40, 40)));
    EXPECT_EQ(0, touching->draws) << "a child whose visible rect is empty is not drawn";
    EXPECT_TRUE(touching->isDirty());
    // Pixels right of the update area were not touched.
    EXPECT_EQ(qm07test::rgb(200, 100, 50), target.surface.pixel(10 + 44, 20 + 5));
    EXPECT_EQ(qm07test::rgb(0, 0, 0), target.surface.pixel(10 + 46, 20 + 5));
}

/// Stands for a scrolling container, whose children are only ever drawn in part.
class ScrollContainer : public CViewContainer
{
public:
    using CViewContainer::CViewContainer;
    bool isTypeOf(const char* className) const override
    {
        return std::string(className) == "CScrollContainer" || CViewContainer::isTypeOf(className);
    }
};

TEST_F(ViewContainerTest, ScrollContainerDoesNotRemarkAPartlyDrawnChild)
{
    auto* scroller = new ScrollContainer(CRect(0, 0, 100, 100), frame.get());
    container->addView(scroller);
    ProbeView* partly = add(CRect(30, 0, 60, 20), "partly", scroller);
    SurfaceContext target(frame.get());
    scroller->drawRect(target.context, CRect(0, 0, 45, 40));
    EXPECT_EQ(1, partly->draws);
    EXPECT_FALSE(partly->isDirty());
}

TEST_F(ViewContainerTest, OnlyDirtyUpdateRedrawsTheDirtyChildAndWhatOverlapsIt)
{
    ProbeView* a = add(CRect(0, 0, 30, 30), "a");
    ProbeView* b = add(CRect(20, 20, 50, 50), "b");
    ProbeView* far = add(CRect(100, 0, 130, 30), "far");
    SurfaceContext target(frame.get());
    container->draw(target.context);
    log.clear();

    a->setDirty(true);
    EXPECT_TRUE(container->isDirty());
    container->update(target.context);
    EXPECT_EQ(Log({"a:draw", "b:draw"}), log) << "b overlaps a and is redrawn within a's rectangle";
    EXPECT_FALSE(a->isDirty());
    EXPECT_FALSE(b->isDirty()) << "b was clean before, so drawing it in part does not mark it";
    EXPECT_EQ(1, far->draws);
}

TEST_F(ViewContainerTest, NormalUpdateRedrawsTheWholeContainerAndUnknownModesNothing)
{
    ProbeView* a = add(CRect(0, 0, 30, 30), "a");
    ProbeView* far = add(CRect(100, 0, 130, 30), "far");
    SurfaceContext target(frame.get());
    container->draw(target.context);
    container->setMode(kNormalUpdate);
    a->setDirty(true);
    container->update(target.context);
    EXPECT_EQ(2, a->draws);
    EXPECT_EQ(2, far->draws);

    container->setMode(7);
    a->setDirty(true);
    container->update(target.context);
    EXPECT_EQ(2, a->draws);
    EXPECT_TRUE(container->isDirty());
}

TEST_F(ViewContainerTest, KeysAreOfferedLastToFirstUntilOneIsHandled)
{
    ProbeView* first = add(CRect(0, 0, 5, 5), "first");
    ProbeView* second = add(CRect(0, 0, 5, 5), "second");
    add(CRect(0, 0, 5, 5), "last");
    first->keyResult = 5;
    second->keyResult = 7;
    CKeyCode key{'a', 0, 0};
    EXPECT_EQ(7, container->onKeyDown(key));
    EXPECT_EQ(Log({"last:keyDown", "second:keyDown"}), log);
    second->keyResult = -1;
    first->keyResult = -1;
    EXPECT_EQ(-1, container->onKeyUp(key));
}

TEST_F(ViewContainerTest, CoordinatesConvertThroughNestedContainers)
{
    auto* inner = new CViewContainer(CRect(100, 50, 150, 90), frame.get());
    container->addView(inner);
    ProbeView* view = add(CRect(5, 5, 20, 20), "view", inner);
    CPoint point(0, 0);
    view->localToFrame(point);
    EXPECT_EQ(CPoint(110, 70), point);
    inner->frameToLocal(point);
    EXPECT_EQ(CPoint(0, 0), point);

    headless::environment().pointer = CPoint(1000 + 117, 500 + 78);
    SurfaceContext target(frame.get());
    target.context->offsetScreen = CPoint(1000, 500);
    CPoint where;
    view->getMouseLocation(target.context, where);
    EXPECT_EQ(CPoint(7, 8), where) << "in the inner container's coordinates";
    EXPECT_EQ(CPoint(1000, 500), target.context->offsetScreen);
}

TEST_F(ViewContainerTest, ContainerAnswersTheViewContainerMessageByIdentity)
{
    const char copy[] = "kMsgCheckIfViewContainer";
    EXPECT_EQ(kMessageNotified, container->notify(nullptr, kMsgCheckIfViewContainer));
    EXPECT_EQ(kMessageUnknown, container->notify(nullptr, copy));
    ProbeView* view = add(CRect(0, 0, 5, 5), "view");
    EXPECT_EQ(kMessageUnknown, view->notify(nullptr, kMsgCheckIfViewContainer));
    EXPECT_TRUE(container->isTypeOf("CView"));
    EXPECT_FALSE(view->isTypeOf("CViewContainer"));
}

TEST_F(ViewContainerTest, DragEventsFollowTheViewUnderThePointer)
{
    ProbeView* a = add(CRect(0, 0, 50, 50), "a");
    add(CRect(60, 0, 100, 50), "b");
    container->onDragEnter(nullptr, nullptr, CPoint(20, 30));
    container->onDragMove(nullptr, nullptr, CPoint(25, 30));
    container->onDragMove(nullptr, nullptr, CPoint(80, 30));
    container->onDragMove(nullptr, nullptr, CPoint(150, 30));
    EXPECT_EQ(Log({"a:enter", "a:move", "a:leave", "b:enter", "b:leave"}), log);
    EXPECT_EQ(CPoint(15, 10), a->lastWhere);

    log.clear();
    container->onDragEnter(nullptr, nullptr, CPoint(80, 30));
    EXPECT_TRUE(container->onDrop(nullptr, nullptr, CPoint(20, 30)));
    EXPECT_EQ(Log({"b:enter", "b:leave", "a:drop", "a:leave"}), log) << "drop switches without an enter";
    log.clear();
    EXPECT_FALSE(container->onDrop(nullptr, nullptr, CPoint(150, 30)));
    container->onDragLeave(nullptr, nullptr, CPoint(150, 30));
    EXPECT_TRUE(log.empty()) << "no current drag view is left behind";
}

TEST_F(ViewContainerTest, OffscreenDrawingGivesTheSamePixelsAsDirectDrawing)
{
    add(CRect(5, 5, 40, 30), "a");
    container->setBackgroundColor(CColor{10, 20, 30, 255});
    SurfaceContext direct(frame.get());
    container->draw(direct.context);

    container->useOffscreen(true);
    SurfaceContext buffered(frame.get());
    container->draw(buffered.context);
    for (std::int32_t y = 0; y < 200; ++y)
        for (std::int32_t x = 0; x < 300; ++x)
            ASSERT_EQ(direct.surface.pixel(x, y), buffered.surface.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(qm07test::rgb(10, 20, 30), direct.surface.pixel(10 + 100, 20 + 50));
}

TEST_F(ViewContainerTest, TransparentContainerWithoutBitmapDrawsNoBackground)
{
    container->setTransparency(true);
    container->setBackgroundColor(CColor{10, 20, 30, 255});
    SurfaceContext target(frame.get());
    container->draw(target.context);
    EXPECT_EQ(qm07test::rgb(0, 0, 0), target.surface.pixel(10 + 100, 20 + 50));
}

} // namespace
