// Frame logic: idle and paint policy with the back buffer, input routing, focus, modal view, sizing.
#include "CFrame.h"

#include "CDrawContext.h"
#include "CKnob.h"
#include "COffscreenContext.h"
#include "PlatformFrame.h"

#include <cstring>

namespace VSTGUI
{

CFrame::CFrame(const CRect& rect, void* window, CFrameHost* owner)
    : CViewContainer(rect, this, nullptr), host(owner), systemWindow(window)
{
    platformFrame = platform::createPlatformFrame(*this, systemWindow);
    if (getWindow()) setDropActive(true);
}

CFrame::~CFrame()
{
    setModalView(nullptr);
    if (dropActive && getWindow()) setDropActive(false);
    if (frameContext) frameContext->forget();
    frameContext = nullptr;
    releaseBackBuffer();
    platform::destroyPlatformFrame(platformFrame);
    platformFrame = nullptr;
    // The window is gone: children that call the frame while they leave find it closed.
    openFlag = false;
    removeAll(true);
}

void CFrame::releaseBackBuffer()
{
    if (backBuffer) backBuffer->forget();
    backBuffer = nullptr;
}

CDrawContext* CFrame::contextOrOwn(CDrawContext* context, bool& owned)
{
    owned = !context;
    return context ? context : createDrawContext();
}

CDrawContext* CFrame::createDrawContext()
{
    if (frameContext)
    {
        frameContext->remember();
        return frameContext;
    }
    return new CDrawContext(this, nullptr, getWindow());
}

COffscreenContext* CFrame::getBackBuffer()
{
    if (!backBuffer)
        backBuffer = new COffscreenContext(this, size.getWidth(), size.getHeight(), kBlackCColor);
    return backBuffer;
}

void* CFrame::getWindow() const
{
    return platformFrame ? platform::getWindow(*platformFrame) : nullptr;
}

void CFrame::setWindowVisible(bool visible)
{
    if (platformFrame) platform::showWindow(*platformFrame, visible);
}

int CFrame::getEventDescriptor() const
{
    return platformFrame ? platform::eventDescriptor(*platformFrame) : -1;
}

void* CFrame::getOuterWindow() const
{
    return platformFrame ? platform::getOuterWindow(*platformFrame) : nullptr;
}

void CFrame::draw(CDrawContext* context)
{
    firstDraw = false;
    CViewContainer::draw(context ? context : frameContext);
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect)
{
    firstDraw = false;
    bool owned = false;
    CDrawContext* target = contextOrOwn(context, owned);
    CRect oldClip;
    target->getClipRect(oldClip);
    CRect clip = updateRect;
    target->setClipRect(clip.bound(oldClip));
    if (updateRect.getWidth() > 0 && updateRect.getHeight() > 0) CViewContainer::drawRect(target, updateRect);
    target->setClipRect(oldClip);
    if (owned) target->forget();
}

void CFrame::draw(CView* view)
{
    CView* target = isChild(view) ? view : this;
    CDrawContext* context = createDrawContext();
    target->draw(context);
    context->forget();
}

void CFrame::paintRect(CDrawContext* deviceContext, const CRect& rect)
{
    COffscreenContext* buffer = getBackBuffer();
    drawRect(buffer ? buffer : deviceContext, rect);
    if (buffer) buffer->copyFrom(deviceContext, rect, rect.getTopLeft());
}

void CFrame::idle()
{
    if (platformFrame) platform::handleWindowEvents(*platformFrame);
    if (!openFlag || firstDraw || !isDirty()) return;
    CDrawContext* context = createDrawContext();
    update(context);
    context->forget();
}

void CFrame::update(CDrawContext* context)
{
    if (!openFlag || updatesBlocked) return;
    CDrawContext* savedFrameContext = frameContext;
    COffscreenContext* buffer = getBackBuffer();
    frameContext = buffer ? buffer : context;
    if (dirty)
    {
        draw(frameContext);
        setDirty(false);
    }
    else
    {
        updateChildren(frameContext);
    }
    if (buffer && context)
        buffer->copyFrom(context, CRect(0, 0, size.getWidth(), size.getHeight()), CPoint());
    frameContext = savedFrameContext;
}

void CFrame::updateChildren(CDrawContext* target)
{
    CRect clip;
    target->getClipRect(clip);
    if (modalView && modalView->isDirty()) modalView->update(target);
    for (Node* node = firstNode; node; node = node->next)
    {
        CRect childClip;
        node->view->getViewSize(childClip);
        target->setClipRect(childClip.bound(clip));
        node->view->update(target);
    }
    target->setClipRect(clip);
}

void CFrame::mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons)
{
    if (!context) context = frameContext;
    if (focusView) setFocusView(nullptr);
    if (buttons == -1 && context) buttons = context->getMouseButtons();
    if (modalView)
    {
        if (modalView->hitTest(where, buttons)) modalView->mouse(context, where, buttons);
        return;
    }
    CViewContainer::mouse(context, where, buttons);
}

std::int32_t CFrame::onKeyDown(CKeyCode& keyCode)
{
    std::int32_t result = focusView ? focusView->onKeyDown(keyCode) : -1;
    if (result == -1 && modalView) result = modalView->onKeyDown(keyCode);
    if (result == -1 && keyCode.virt == kVirtualKeyTab)
        result = advanceNextFocusView(focusView, (keyCode.modifier & kModifierShift) != 0) ? 1 : -1;
    return result;
}

std::int32_t CFrame::onKeyUp(CKeyCode& keyCode)
{
    std::int32_t result = focusView ? focusView->onKeyUp(keyCode) : -1;
    if (result == -1 && modalView) result = modalView->onKeyUp(keyCode);
    return result;
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance)
{
    CView* target = modalView ? modalView : getViewAt(where, false);
    if (!target) return false;
    bool owned = false;
    CDrawContext* wheelContext = contextOrOwn(context, owned);
    const bool result = target->onWheel(wheelContext, where, axis, distance);
    if (owned) wheelContext->forget();
    return result;
}

void CFrame::setViewSize(const CRect& rect)
{
    setSize(rect.getWidth(), rect.getHeight());
}

CFrameHost* CFrame::getEditor() const
{
    return host;
}

bool CFrame::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CFrame") == 0 || CViewContainer::isTypeOf(className);
}

CView* CFrame::getCurrentView() const
{
    return modalView ? modalView : CViewContainer::getCurrentView();
}

bool CFrame::advanceNextFocusView(CView* oldFocus, bool reverse)
{
    if (modalView) return false;
    if (!oldFocus)
    {
        if (!focusView) return CViewContainer::advanceNextFocusView(nullptr, reverse);
        oldFocus = focusView;
    }
    if (isChild(oldFocus))
    {
        if (CViewContainer::advanceNextFocusView(oldFocus, reverse)) return true;
        setFocusView(nullptr);
        return false;
    }
    // Innermost container first; the frame itself ends the climb as the outermost one.
    CView* asked = oldFocus;
    for (CView* parent = oldFocus->getParentView(); parent && parent->isTypeOf("CViewContainer");
         parent = parent->getParentView())
    {
        if (static_cast<CViewContainer*>(parent)->advanceNextFocusView(asked, reverse)) return true;
        asked = parent;
    }
    return CViewContainer::advanceNextFocusView(oldFocus, reverse);
}

void CFrame::removeView(CView* view, bool withForget)
{
    if (view && view == modalView) modalView = nullptr;
    CViewContainer::removeView(view, withForget);
}

void CFrame::removeAll(bool withForget)
{
    modalView = nullptr;
    if (focusView) setFocusView(nullptr);
    CViewContainer::removeAll(withForget);
}

bool CFrame::open(CPoint*)
{
    return false;
}

bool CFrame::close()
{
    return false;
}

bool CFrame::isOpen() const
{
    return openFlag;
}

void CFrame::doIdleStuff()
{
    if (host) host->doIdleStuff();
}

std::uint32_t CFrame::getTicks() const
{
    return host ? platform::getTicks() : 0;
}

std::int32_t CFrame::getKnobMode() const
{
    return host ? host->getKnobMode() : kCircularMode;
}

bool CFrame::setPosition(std::int32_t, std::int32_t)
{
    return false;
}

bool CFrame::getPosition(std::int32_t& x, std::int32_t& y) const
{
    CPoint position;
    if (!openFlag || !platform::getOuterPosition(*platformFrame, position)) return false;
    x = position.h;
    y = position.v;
    return true;
}

bool CFrame::setSize(std::int32_t width, std::int32_t height)
{
    if (!openFlag || (width == size.getWidth() && height == size.getHeight())) return false;
    releaseBackBuffer();
    size.right = size.left + width;
    size.bottom = size.top + height;
    if (host && host->requestSize(width, height))
    {
        platform::resizeWindow(*platformFrame, width, height);
        return true;
    }
    platform::resizeEnclosingWindows(*platformFrame, width, height);
    size = CRect(0, 0, width, height);
    setDirty(true);
    if (offscreenContext && drawInOffscreen)
    {
        offscreenContext->forget();
        offscreenContext = new COffscreenContext(this, width, height, kBlackCColor);
    }
    return true;
}

bool CFrame::getSize(CRect& rect) const
{
    return getSize(&rect);
}

bool CFrame::getSize(CRect* rect) const
{
    return rect && openFlag && platform::getHostRect(*platformFrame, *rect);
}

bool CFrame::setModalView(CView* view)
{
    if (view && modalView) return false;
    if (modalView) removeView(modalView, false);
    modalView = view;
    if (view) addView(view);
    return true;
}

CView* CFrame::getModalView() const
{
    return modalView;
}

void CFrame::beginEdit(std::int32_t index)
{
    if (host) host->beginEdit(index);
}

void CFrame::endEdit(std::int32_t index)
{
    if (host) host->endEdit(index);
}

bool CFrame::getCurrentLocation(CPoint& where)
{
    where = platform::getCursorScreenPosition();
    if (void* window = getWindow())
    {
        const CPoint origin = platform::getWindowScreenOrigin(window);
        where.offset(-origin.h, -origin.v);
    }
    return true;
}

void CFrame::setCursor(CCursorType type)
{
    if (platformFrame) platform::setCursor(*platformFrame, type);
}

void CFrame::setFocusView(CView* view)
{
    CView* oldFocus = focusView;
    focusView = view;
    if (view && view->wantsFocus()) view->setDirty(true);
    if (oldFocus)
    {
        oldFocus->looseFocus(nullptr);
        if (oldFocus->wantsFocus()) oldFocus->setDirty(true);
    }
}

CView* CFrame::getFocusView() const
{
    return focusView;
}

bool CFrame::setDropActive(bool active)
{
    if (!dropActive && !active) return true;
    if (!getWindow()) return false;
    if (dropActive) platform::setDropTarget(*platformFrame, *this, false);
    if (active) platform::setDropTarget(*platformFrame, *this, true);
    dropActive = active;
    return true;
}

bool CFrame::isDropActive() const
{
    return dropActive;
}

void CFrame::setOpenFlag(bool state)
{
    openFlag = state;
}

bool CFrame::getOpenFlag() const
{
    return openFlag;
}

void CFrame::invalidate(const CRect& rect)
{
    for (Node* node = firstNode; node; node = node->next)
    {
        CRect viewSize;
        if (node->view->getViewSize(viewSize).overlaps(rect)) node->view->setDirty(true);
    }
}

bool CFrame::updatesDisabled(bool state)
{
    const bool previous = updatesBlocked;
    updatesBlocked = state;
    return previous;
}

bool CFrame::updatesDisabled() const
{
    return updatesBlocked;
}

void CFrame::windowDestroyed()
{
    setOpenFlag(false);
    systemWindow = nullptr;
}

} // namespace VSTGUI
