// The root of the view tree: binds it to the host's window, owns the back buffer, routes input.
#pragma once

#include "CViewContainer.h"

namespace VSTGUI
{

namespace platform
{
struct PlatformFrame;
}

enum CCursorType : std::int32_t
{
    kCursorDefault = 0,
    kCursorWait,
    kCursorHSize,
    kCursorVSize,
    kCursorSizeAll,
    kCursorNESWSize,
    kCursorNWSESize,
    kCursorCopy,
    kCursorNotAllowed,
    kCursorHand,
};

/// Everything here runs on the host's user-interface thread: window messages, the editor's calls and
/// the tracking loops of controls.
class CFrame : public CViewContainer
{
public:
    /// Without a parent window no child window is made; the frame then only draws into its back buffer.
    CFrame(const CRect& size, void* systemWindow, CFrameHost* host);
    ~CFrame() override;

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    /// Every press clears the focus view; a modal view takes every press that hits it.
    void mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons = -1) override;
    /// Focus view, then modal view, then Tab traversal; −1 when nobody took the key.
    std::int32_t onKeyDown(CKeyCode& keyCode) override;
    std::int32_t onKeyUp(CKeyCode& keyCode) override;
    using CViewContainer::onWheel;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
    void setViewSize(const CRect& rect) override;
    CFrameHost* getEditor() const override;
    bool isTypeOf(const char* className) const override;
    /// Redraws dirty views into the back buffer, then copies the whole frame into `context`.
    void update(CDrawContext* context) override;
    CView* getCurrentView() const override;
    bool advanceNextFocusView(CView* oldFocus, bool reverse = false) override;
    /// Also forgets the modal or focus view when it leaves, so that neither outlives its removal.
    void removeView(CView* view, bool withForget = true) override;
    void removeAll(bool withForget = true) override;

    virtual bool open(CPoint* position = nullptr);
    virtual bool close();
    virtual bool isOpen() const;
    /// Host idle: handles the window's events where the platform leaves them to the frame, then redraws
    /// dirty views once the window has been painted.
    virtual void idle();
    /// For controls tracking the mouse in a loop: lets the host redraw and run.
    virtual void doIdleStuff();
    virtual std::uint32_t getTicks() const;
    /// The host's knob mode; circular without a host.
    virtual std::int32_t getKnobMode() const;
    virtual bool setPosition(std::int32_t x, std::int32_t y);
    virtual bool getPosition(std::int32_t& x, std::int32_t& y) const;
    /// Asks the host to size its window, or resizes the enclosing windows itself.
    virtual bool setSize(std::int32_t width, std::int32_t height);
    virtual bool getSize(CRect& rect) const;
    virtual bool getSize(CRect* rect) const;
    /// Refused while another view is modal.
    virtual bool setModalView(CView* view);
    virtual CView* getModalView() const;
    virtual void beginEdit(std::int32_t index);
    virtual void endEdit(std::int32_t index);
    /// The pointer in frame coordinates.
    virtual bool getCurrentLocation(CPoint& where);
    virtual void setCursor(CCursorType type);
    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() const;
    virtual bool setDropActive(bool active);
    virtual bool isDropActive() const;
    virtual void setOpenFlag(bool state);
    virtual bool getOpenFlag() const;
    /// Marks the children that meet `rect`; nothing is drawn now.
    virtual void invalidate(const CRect& rect);
    /// Returns the previous state.
    virtual bool updatesDisabled(bool state);
    virtual bool updatesDisabled() const;
    /// Draws one direct child (or the whole frame) straight into the window.
    virtual void draw(CView* view);

    /// A reference the caller forgets: the context in use by `update`, or a new one on the window.
    CDrawContext* createDrawContext();
    /// The frame-sized buffer all drawing goes into; made on first use.
    COffscreenContext* getBackBuffer();
    void* getOuterWindow() const;
    void* getSystemWindow() const { return systemWindow; }
    /// The frame's own native window, or null.
    void* getWindow() const;
    /// Shows or hides the frame's own window.
    void setWindowVisible(bool visible);
    /// What a host's main loop watches for the window's events, or −1 where the system delivers them.
    int getEventDescriptor() const;

    /// Platform window code: a paint request for `rect`, with `deviceContext` on the window's pixels.
    void paintRect(CDrawContext* deviceContext, const CRect& rect);
    /// Platform window code: the window is being destroyed by its owner.
    void windowDestroyed();

protected:
    /// `context`, or a counted one of the frame's own that the caller forgets.
    CDrawContext* contextOrOwn(CDrawContext* context, bool& owned);
    void updateChildren(CDrawContext* target);
    void releaseBackBuffer();

    CFrameHost* host = nullptr;
    void* systemWindow = nullptr;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    bool firstDraw = true;
    bool openFlag = true;
    bool dropActive = false;
    bool updatesBlocked = false;
    platform::PlatformFrame* platformFrame = nullptr; ///< window, blend library, drop target, cursor
    COffscreenContext* backBuffer = nullptr;
    CDrawContext* frameContext = nullptr;
};

} // namespace VSTGUI
