// The container: child list ownership, drawing in list order, dirty updates and event routing.
#include "CViewContainer.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include "COffscreenContext.h"

#include <cstring>

namespace VSTGUI
{

CViewContainer::CViewContainer(const CRect& rect, CFrame* frame, CBitmap* bitmap) : CView(rect)
{
    parentFrame = frame;
    if (bitmap) setBackground(bitmap);
    setDirty(true);
}

CViewContainer::~CViewContainer()
{
    releaseOffscreen();
    removeAll(true);
}

void CViewContainer::releaseOffscreen()
{
    if (offscreenContext) offscreenContext->forget();
    offscreenContext = nullptr;
}

CViewContainer::SavedOffsets CViewContainer::shiftContext(CDrawContext* context) const
{
    if (!context) return {};
    SavedOffsets saved{context->offset, context->offsetScreen};
    context->offset.offset(size.left, size.top);
    context->offsetScreen.offset(size.left, size.top);
    return saved;
}

void CViewContainer::restoreContext(CDrawContext* context, const SavedOffsets& saved)
{
    if (!context) return;
    context->offset = saved.offset;
    context->offsetScreen = saved.offsetScreen;
}

CDrawContext* CViewContainer::beginDrawing(CDrawContext* context, SavedOffsets& saved)
{
    if (drawInOffscreen && !offscreenContext)
        offscreenContext =
            new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackCColor);
    if (offscreenContext && transparencyEnabled) offscreenContext->copyTo(context, size, CPoint());
    if (drawInOffscreen && offscreenContext) return offscreenContext;
    saved = shiftContext(context);
    return context;
}

CRect CViewContainer::rememberedClip(CDrawContext* context, CDrawContext* drawContext) const
{
    CRect clip;
    context->getClipRect(clip);
    // Drawing into the own buffer: the clip is moved into the container's local coordinates.
    if (drawContext != context) clip.offset(-size.left, -size.top);
    return clip;
}

void CViewContainer::endDrawing(CDrawContext* context, CDrawContext* drawContext, const SavedOffsets& saved,
                                const CRect& clip, const CRect& area, const CPoint& source)
{
    drawContext->setClipRect(clip);
    if (drawContext != context)
        offscreenContext->copyFrom(context, area, source);
    else
        restoreContext(context, saved);
}

void CViewContainer::draw(CDrawContext* context)
{
    if (!context) return;
    SavedOffsets saved;
    CDrawContext* drawContext = beginDrawing(context, saved);
    const CRect clip = rememberedClip(context, drawContext);
    const CRect local(0, 0, size.getWidth(), size.getHeight());
    CRect ownClip = local;
    drawContext->setClipRect(ownClip.bound(clip));

    if (background)
    {
        if (transparencyEnabled)
            background->drawTransparent(drawContext, local, backgroundOffset);
        else
            background->draw(drawContext, local, backgroundOffset);
    }
    else if (!transparencyEnabled)
    {
        drawContext->setFillColor(backgroundColor);
        drawContext->fillRect(local);
    }

    for (Node* node = firstNode; node; node = node->next)
    {
        CRect childClip;
        node->view->getViewSize(childClip);
        drawContext->setClipRect(childClip.bound(clip));
        node->view->draw(drawContext);
    }
    endDrawing(context, drawContext, saved, clip, size, CPoint());
    setDirty(false);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    if (!context) return;
    SavedOffsets saved;
    CDrawContext* drawContext = beginDrawing(context, saved);
    CRect area = updateRect;
    area.bound(size);
    CRect clientRect = area;
    clientRect.offset(-size.left, -size.top);
    const CRect clip = rememberedClip(context, drawContext);
    CRect newClip = clientRect;
    newClip.bound(clip);
    drawContext->setClipRect(newClip);

    drawBackgroundRect(drawContext, clientRect);
    drawChildrenInRect(drawContext, clientRect, newClip);
    endDrawing(context, drawContext, saved, clip, area, clientRect.getTopLeft());
    setDirty(false);
}

void CViewContainer::drawChildrenInRect(CDrawContext* drawContext, const CRect& clientRect, const CRect& clip)
{
    const bool remarkPartial = !isTypeOf("CScrollContainer");
    for (Node* node = firstNode; node; node = node->next)
    {
        CView* child = node->view;
        if (!child->checkUpdate(clientRect)) continue;
        CRect childSize;
        child->getViewSize(childSize);
        CRect visible = childSize;
        visible.bound(clip);
        if (visible.isEmpty()) continue;
        drawContext->setClipRect(visible);
        const bool wasDirty = child->isDirty();
        child->drawRect(drawContext, clientRect);
        // A child drawn only in part keeps its mark so that the rest is drawn later.
        if (remarkPartial && wasDirty && visible != childSize) child->setDirty(true);
    }
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    if (background)
    {
        CRect oldClip;
        context->getClipRect(oldClip);
        CRect clip = rect;
        context->setClipRect(clip.bound(oldClip));
        const CRect whole(0, 0, background->getWidth(), background->getHeight());
        if (transparencyEnabled)
            background->drawTransparent(context, whole, backgroundOffset);
        else
            background->draw(context, whole, backgroundOffset);
        context->setClipRect(oldClip);
    }
    else if (!transparencyEnabled)
    {
        context->setFillColor(backgroundColor);
        context->fillRect(rect);
    }
}

void CViewContainer::mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons)
{
    CPoint local = where;
    local.offset(-size.left, -size.top);
    if (buttons == -1 && context) buttons = context->getMouseButtons();
    for (Node* node = lastNode; node; node = node->previous)
    {
        CView* child = node->view;
        if (child->getMouseEnabled() && child->hitTest(local, buttons))
        {
            child->mouse(context, local, buttons);
            return;
        }
    }
}

std::int32_t CViewContainer::onKeyDown(CKeyCode& keyCode)
{
    for (Node* node = lastNode; node; node = node->previous)
    {
        const std::int32_t result = node->view->onKeyDown(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

std::int32_t CViewContainer::onKeyUp(CKeyCode& keyCode)
{
    for (Node* node = lastNode; node; node = node->previous)
    {
        const std::int32_t result = node->view->onKeyUp(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance)
{
    CView* target = getViewAt(where, false);
    if (!target) return false;
    CPoint local = where;
    local.offset(-size.left, -size.top);
    const SavedOffsets saved = shiftContext(context);
    const bool result = target->onWheel(context, local, axis, distance);
    restoreContext(context, saved);
    return result;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance)
{
    return onWheel(context, where, kMouseWheelAxisY, distance);
}

bool CViewContainer::onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where)
{
    if (!parentFrame) return false;
    CView* view = getViewAt(where, false);
    CPoint local = where;
    local.offset(-size.left, -size.top);
    const SavedOffsets saved = shiftContext(context);
    if (view != currentDragView)
    {
        if (currentDragView) currentDragView->onDragLeave(context, drag, local);
        currentDragView = view;
    }
    bool result = false;
    if (currentDragView)
    {
        result = currentDragView->onDrop(context, drag, local);
        currentDragView->onDragLeave(context, drag, local);
    }
    currentDragView = nullptr;
    restoreContext(context, saved);
    return result;
}

void CViewContainer::onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where)
{
    if (!parentFrame) return;
    CView* view = getViewAt(where, false);
    CPoint local = where;
    local.offset(-size.left, -size.top);
    const SavedOffsets saved = shiftContext(context);
    if (currentDragView) currentDragView->onDragLeave(context, drag, local);
    currentDragView = view;
    if (view) view->onDragEnter(context, drag, local);
    restoreContext(context, saved);
}

void CViewContainer::onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where)
{
    if (!parentFrame) return;
    CPoint local = where;
    local.offset(-size.left, -size.top);
    const SavedOffsets saved = shiftContext(context);
    if (currentDragView) currentDragView->onDragLeave(context, drag, local);
    currentDragView = nullptr;
    restoreContext(context, saved);
}

void CViewContainer::onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where)
{
    if (!parentFrame) return;
    CView* view = getViewAt(where, false);
    CPoint local = where;
    local.offset(-size.left, -size.top);
    const SavedOffsets saved = shiftContext(context);
    if (view != currentDragView)
    {
        if (currentDragView) currentDragView->onDragLeave(context, drag, local);
        if (view) view->onDragEnter(context, drag, local);
        currentDragView = view;
    }
    else if (view)
    {
        view->onDragMove(context, drag, local);
    }
    restoreContext(context, saved);
}

void CViewContainer::looseFocus(CDrawContext* context)
{
    for (Node* node = firstNode; node; node = node->next)
        node->view->looseFocus(context);
}

void CViewContainer::takeFocus(CDrawContext* context)
{
    for (Node* node = firstNode; node; node = node->next)
        node->view->takeFocus(context);
}

bool CViewContainer::isDirty() const
{
    if (dirty) return true;
    const CRect local(0, 0, size.getWidth(), size.getHeight());
    for (Node* node = firstNode; node; node = node->next)
    {
        CRect inside;
        node->view->getViewSize(inside);
        if (!inside.bound(local).isEmpty() && node->view->isDirty()) return true;
    }
    return false;
}

void CViewContainer::setViewSize(const CRect& rect)
{
    CView::setViewSize(rect);
    if (offscreenContext && drawInOffscreen)
    {
        releaseOffscreen();
        offscreenContext =
            new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackCColor);
    }
}

bool CViewContainer::removed(CView*)
{
    releaseOffscreen();
    return true;
}

bool CViewContainer::attached(CView*)
{
    if (drawInOffscreen && !offscreenContext)
        offscreenContext =
            new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackCColor);
    return true;
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const
{
    point.offset(-size.left, -size.top);
    return CView::frameToLocal(point);
}

CPoint& CViewContainer::localToFrame(CPoint& point) const
{
    point.offset(size.left, size.top);
    return CView::localToFrame(point);
}

std::int32_t CViewContainer::notify(CView*, const char* message)
{
    return message == kMsgCheckIfViewContainer ? kMessageNotified : kMessageUnknown;
}

void CViewContainer::redrawRect(CDrawContext* context, const CRect& rect)
{
    CRect inParent = rect;
    inParent.offset(size.left, size.top);
    if (transparencyEnabled)
    {
        // What lies behind must be drawn first, so the parent redraws the area.
        if (parentView)
            parentView->redrawRect(context, inParent);
        else if (parentFrame)
            parentFrame->drawRect(context, inParent);
        return;
    }
    if (!parentView)
    {
        drawRect(context, inParent);
        return;
    }
    CPoint parentOrigin;
    parentView->localToFrame(parentOrigin);
    SavedOffsets saved;
    if (context)
    {
        saved = {context->offset, context->offsetScreen};
        context->offset.offset(parentOrigin.h, parentOrigin.v);
        context->offsetScreen.offset(parentOrigin.h, parentOrigin.v);
    }
    drawRect(context, inParent);
    restoreContext(context, saved);
}

bool CViewContainer::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CViewContainer") == 0 || CView::isTypeOf(className);
}

void CViewContainer::update(CDrawContext* context)
{
    const CRect local(0, 0, size.getWidth(), size.getHeight());
    switch (mode)
    {
    case kNormalUpdate:
        if (isDirty()) redrawRect(context, local);
        setDirty(false);
        break;
    case kOnlyDirtyUpdate:
        if (dirty)
            redrawRect(context, local);
        else
            updateDirtyChildren(context);
        setDirty(false);
        break;
    default:
        break;
    }
}

void CViewContainer::updateDirtyChildren(CDrawContext* context)
{
    const CRect local(0, 0, size.getWidth(), size.getHeight());
    for (Node* node = firstNode; node; node = node->next)
    {
        CView* child = node->view;
        if (!child->isDirty() || !child->checkUpdate(local)) continue;
        if (child->notify(this, kMsgCheckIfViewContainer) == kMessageNotified)
        {
            child->update(context);
            continue;
        }
        CRect area;
        child->getViewSize(area);
        child->redrawRect(context, area.bound(local));
    }
}

void CViewContainer::addView(CView* view, const CRect& area, bool enabled)
{
    if (!view) return;
    view->setMouseEnabled(enabled);
    view->setMouseableArea(area);
    addView(view);
}

void CViewContainer::addView(CView* view)
{
    if (!view) return;
    Node* node = new Node{view, nullptr, lastNode};
    if (lastNode)
        lastNode->next = node;
    else
        firstNode = node;
    lastNode = node;
    view->remember();
    view->setParentFrame(parentFrame);
    view->setParentView(this);
    view->attached(this);
    view->setDirty(true);
}

void CViewContainer::removeView(CView* view, bool withForget)
{
    if (parentFrame && view && parentFrame->getFocusView() == view) parentFrame->setFocusView(nullptr);
    Node* node = firstNode;
    while (node && node->view != view)
        node = node->next;
    if (!node) return;
    (node->previous ? node->previous->next : firstNode) = node->next;
    (node->next ? node->next->previous : lastNode) = node->previous;
    delete node;
    if (currentDragView == view) currentDragView = nullptr;
    view->removed(this);
    if (withForget) view->forget();
    view->forget();
}

void CViewContainer::removeAll(bool withForget)
{
    Node* node = firstNode;
    firstNode = nullptr;
    lastNode = nullptr;
    currentDragView = nullptr;
    while (node)
    {
        Node* next = node->next;
        CView* view = node->view;
        delete node;
        view->removed(this);
        if (withForget) view->forget();
        view->forget();
        node = next;
    }
}

bool CViewContainer::isChild(CView* view) const
{
    for (Node* node = firstNode; node; node = node->next)
        if (node->view == view) return true;
    return false;
}

std::int32_t CViewContainer::getNbViews() const
{
    std::int32_t count = 0;
    for (Node* node = firstNode; node; node = node->next)
        ++count;
    return count;
}

CView* CViewContainer::getView(std::int32_t index) const
{
    if (index < 0) return nullptr;
    Node* node = firstNode;
    for (; node && index > 0; --index)
        node = node->next;
    return node ? node->view : nullptr;
}

void CViewContainer::setBackgroundColor(const CColor& color)
{
    backgroundColor = color;
    setDirty(true);
}

CColor CViewContainer::getBackgroundColor() const
{
    return backgroundColor;
}

void CViewContainer::setBackgroundOffset(const CPoint& offset)
{
    backgroundOffset = offset;
}

CPoint CViewContainer::getBackgroundOffset() const
{
    return backgroundOffset;
}

void CViewContainer::setMode(std::int32_t updateMode)
{
    mode = updateMode;
}

std::int32_t CViewContainer::getMode() const
{
    return mode;
}

void CViewContainer::useOffscreen(bool enabled)
{
    drawInOffscreen = enabled;
    if (!enabled) releaseOffscreen();
}

CView* CViewContainer::findChildAt(const CPoint& local) const
{
    for (Node* node = lastNode; node; node = node->previous)
    {
        CRect area;
        node->view->getMouseableArea(area);
        if (area.pointInside(local)) return node->view;
    }
    return nullptr;
}

CView* CViewContainer::getCurrentView() const
{
    if (!parentFrame) return nullptr;
    CPoint where;
    parentFrame->getCurrentLocation(where);
    return findChildAt(frameToLocal(where));
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const
{
    if (!parentFrame) return nullptr;
    CPoint local = where;
    local.offset(-size.left, -size.top);
    CView* view = findChildAt(local);
    if (view && deep && view->isTypeOf("CViewContainer"))
        return static_cast<CViewContainer*>(view)->getViewAt(local, deep);
    return view;
}

bool CViewContainer::advanceNextFocusView(CView* oldFocus, bool reverse)
{
    if (!parentFrame) return false;
    bool passed = oldFocus == nullptr;
    for (Node* node = reverse ? lastNode : firstNode; node; node = reverse ? node->previous : node->next)
    {
        CView* child = node->view;
        if (!passed)
        {
            passed = child == oldFocus;
            continue;
        }
        if (child->wantsFocus())
        {
            parentFrame->setFocusView(child);
            return true;
        }
        if (child->isTypeOf("CViewContainer") &&
            static_cast<CViewContainer*>(child)->advanceNextFocusView(nullptr, reverse))
            return true;
    }
    return false;
}

} // namespace VSTGUI
