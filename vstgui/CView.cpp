// The view base class: background drawing, dirty flag, hit testing and coordinate conversion.
#include "CView.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include "PlatformFrame.h"

#include <cstring>

namespace VSTGUI
{

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

CView::CView(const CRect& rect) : size(rect), mouseableArea(rect) {}

CView::~CView()
{
    if (background) background->forget();
}

void CView::draw(CDrawContext* context)
{
    if (background)
    {
        if (transparencyEnabled)
            background->drawTransparent(context, size, CPoint());
        else
            background->draw(context, size, CPoint());
    }
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect&)
{
    draw(context);
}

bool CView::checkUpdate(const CRect& updateRect) const
{
    return updateRect.overlaps(size);
}

void CView::mouse(CDrawContext*, const CPoint&, std::int32_t) {}

void CView::setBackground(CBitmap* bitmap)
{
    // Remember first: the new bitmap may be the one being replaced.
    if (bitmap) bitmap->remember();
    if (background) background->forget();
    background = bitmap;
    setDirty(true);
}

CBitmap* CView::getBackground() const
{
    return background;
}

std::int32_t CView::onKeyDown(CKeyCode&)
{
    return -1;
}

std::int32_t CView::onKeyUp(CKeyCode&)
{
    return -1;
}

bool CView::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis, float distance)
{
    return onWheel(context, where, distance);
}

bool CView::onWheel(CDrawContext*, const CPoint&, float)
{
    return false;
}

bool CView::onDrop(CDrawContext*, CDragContainer*, const CPoint&)
{
    return false;
}

void CView::onDragEnter(CDrawContext*, CDragContainer*, const CPoint&) {}

void CView::onDragLeave(CDrawContext*, CDragContainer*, const CPoint&) {}

void CView::onDragMove(CDrawContext*, CDragContainer*, const CPoint&) {}

void CView::looseFocus(CDrawContext*) {}

void CView::takeFocus(CDrawContext*) {}

bool CView::isDirty() const
{
    return dirty;
}

void CView::setDirty(bool state)
{
    dirty = state;
}

void CView::setMouseEnabled(bool enabled)
{
    mouseEnabled = enabled;
}

bool CView::getMouseEnabled() const
{
    return mouseEnabled;
}

void CView::setMouseableArea(const CRect& area)
{
    mouseableArea = area;
}

CRect& CView::getMouseableArea(CRect& area) const
{
    area = mouseableArea;
    return area;
}

bool CView::hitTest(const CPoint& where, std::int32_t)
{
    return mouseableArea.pointInside(where);
}

void CView::setTransparency(bool enabled)
{
    transparencyEnabled = enabled;
}

bool CView::getTransparency() const
{
    return transparencyEnabled;
}

void CView::setViewSize(const CRect& rect)
{
    size = rect;
    setDirty(true);
}

CRect& CView::getViewSize(CRect& rect) const
{
    rect = size;
    return rect;
}

bool CView::removed(CView*)
{
    return true;
}

bool CView::attached(CView*)
{
    return true;
}

bool CView::parentIsContainer()
{
    return parentView && parentView->notify(this, kMsgCheckIfViewContainer) == kMessageNotified;
}

void CView::getMouseLocation(CDrawContext* context, CPoint& point)
{
    if (context && parentIsContainer())
    {
        const CPoint savedOffset = context->offset;
        const CPoint savedScreen = context->offsetScreen;
        CRect parentSize;
        parentView->getViewSize(parentSize);
        context->offset.offset(parentSize.left, parentSize.top);
        context->offsetScreen.offset(parentSize.left, parentSize.top);
        parentView->getMouseLocation(context, point);
        context->offset = savedOffset;
        context->offsetScreen = savedScreen;
        return;
    }
    point = platform::getCursorScreenPosition();
    if (context) point.offset(-context->offsetScreen.h, -context->offsetScreen.v);
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    if (parentView && parentView->isTypeOf("CViewContainer")) return parentView->frameToLocal(point);
    return point;
}

CPoint& CView::localToFrame(CPoint& point) const
{
    if (parentView && parentView->isTypeOf("CViewContainer")) return parentView->localToFrame(point);
    return point;
}

CFrameHost* CView::getEditor() const
{
    return parentFrame ? parentFrame->getEditor() : nullptr;
}

std::int32_t CView::notify(CView*, const char*)
{
    return kMessageUnknown;
}

void CView::redrawRect(CDrawContext* context, const CRect& rect)
{
    if (parentView)
        parentView->redrawRect(context, rect);
    else if (parentFrame)
        parentFrame->drawRect(context, rect);
}

bool CView::wantsFocus() const
{
    return focusWanted;
}

void CView::setWantsFocus(bool state)
{
    focusWanted = state;
}

bool CView::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CView") == 0;
}

void CView::update(CDrawContext* context)
{
    if (isDirty())
    {
        if (context)
            redrawRect(context, size);
        else if (parentFrame)
            parentFrame->draw(this);
    }
    setDirty(false);
}

} // namespace VSTGUI
