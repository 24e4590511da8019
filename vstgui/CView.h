// The view base class: a rectangle in its parent container that draws itself and receives events.
#pragma once

#include "CColor.h"
#include "CFrameHost.h"
#include "CPoint.h"
#include "CRect.h"
#include "CReferenceCounter.h"
#include "MouseButtons.h"

#include <cstdint>

namespace VSTGUI
{

class CBitmap;
class CDragContainer;
class CDrawContext;
class CFrame;

enum CMouseWheelAxis : std::int32_t
{
    kMouseWheelAxisX = 0,
    kMouseWheelAxisY = 1,
};

enum CMessageResult : std::int32_t
{
    kMessageUnknown = 0,
    kMessageNotified = 1,
};

/// Recognised by identity of this pointer, never by its text.
extern const char* const kMsgCheckIfViewContainer;

/// All operations run on the user-interface thread.
class CView : public CReferenceCounter
{
public:
    explicit CView(const CRect& size);
    ~CView() override;

    /// Draws the background bitmap over the view and leaves the view clean.
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    /// Inclusive overlap of `updateRect` with the view's size.
    virtual bool checkUpdate(const CRect& updateRect) const;
    /// `where` is in the parent's coordinates; `buttons` −1 means "read them from the context".
    virtual void mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons = -1);
    virtual void setBackground(CBitmap* bitmap);
    virtual CBitmap* getBackground() const;
    /// Answers −1 when the key is not handled.
    virtual std::int32_t onKeyDown(CKeyCode& keyCode);
    virtual std::int32_t onKeyUp(CKeyCode& keyCode);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance);
    virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
    virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where);
    virtual void looseFocus(CDrawContext* context = nullptr);
    virtual void takeFocus(CDrawContext* context = nullptr);
    virtual bool isDirty() const;
    virtual void setDirty(bool state = true);
    virtual void setMouseEnabled(bool enabled);
    virtual bool getMouseEnabled() const;
    virtual void setMouseableArea(const CRect& area);
    virtual CRect& getMouseableArea(CRect& area) const;
    /// Inclusive test against the mouseable area; the buttons are not looked at.
    virtual bool hitTest(const CPoint& where, std::int32_t buttons = -1);
    virtual void setTransparency(bool enabled);
    virtual bool getTransparency() const;
    /// Leaves the mouseable area where it was.
    virtual void setViewSize(const CRect& rect);
    virtual CRect& getViewSize(CRect& rect) const;
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);
    /// The pointer in the coordinates in which this view's own size is given.
    virtual void getMouseLocation(CDrawContext* context, CPoint& point);
    virtual CPoint& frameToLocal(CPoint& point) const;
    virtual CPoint& localToFrame(CPoint& point) const;
    virtual CFrameHost* getEditor() const;
    virtual std::int32_t notify(CView* sender, const char* message);
    /// `rect` is in the parent's coordinates.
    virtual void redrawRect(CDrawContext* context, const CRect& rect);
    virtual bool wantsFocus() const;
    virtual void setWantsFocus(bool state);
    virtual bool isTypeOf(const char* className) const;
    /// Redraws the view if it is dirty, through the frame's back buffer when given one.
    virtual void update(CDrawContext* context);

    CFrame* getFrame() const { return parentFrame; }
    CView* getParentView() const { return parentView; }
    /// Called by the container that adopts or releases the view.
    void setParentFrame(CFrame* frame) { parentFrame = frame; }
    void setParentView(CView* view) { parentView = view; }

protected:
    /// Asks the parent whether it is a container, by the shared message.
    bool parentIsContainer();

    CRect size;
    CRect mouseableArea;
    CFrame* parentFrame = nullptr;
    CView* parentView = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparencyEnabled = false;
    bool focusWanted = false;
    CBitmap* background = nullptr;
};

} // namespace VSTGUI
