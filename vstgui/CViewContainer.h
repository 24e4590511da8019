// A view that owns an ordered list of child views, draws them and routes events to them.
#pragma once

#include "CView.h"

namespace VSTGUI
{

class COffscreenContext;

enum CViewContainerMode : std::int32_t
{
    kNormalUpdate = 0,
    kOnlyDirtyUpdate = 1,
};

/// All operations run on the user-interface thread.
class CViewContainer : public CView
{
public:
    /// `frame` becomes the parent frame of views added later; the frame passes itself.
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    void mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons = -1) override;
    std::int32_t onKeyDown(CKeyCode& keyCode) override;
    std::int32_t onKeyUp(CKeyCode& keyCode) override;
    bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
    void looseFocus(CDrawContext* context = nullptr) override;
    void takeFocus(CDrawContext* context = nullptr) override;
    /// Own flag, or a dirty child that lies at least partly inside the container.
    bool isDirty() const override;
    void setViewSize(const CRect& rect) override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    CPoint& frameToLocal(CPoint& point) const override;
    CPoint& localToFrame(CPoint& point) const override;
    std::int32_t notify(CView* sender, const char* message) override;
    /// `rect` is in the container's local coordinates.
    void redrawRect(CDrawContext* context, const CRect& rect) override;
    bool isTypeOf(const char* className) const override;
    void update(CDrawContext* context) override;

    /// Sets the view's mouse state and mouseable area, then adds it.
    virtual void addView(CView* view, const CRect& mouseableArea, bool mouseEnabled = true);
    /// Takes over the creator's reference: removal with forget destroys a view nobody else holds.
    virtual void addView(CView* view);
    virtual void removeView(CView* view, bool withForget = true);
    virtual void removeAll(bool withForget = true);
    virtual bool isChild(CView* view) const;
    virtual std::int32_t getNbViews() const;
    virtual CView* getView(std::int32_t index) const;
    virtual void setBackgroundColor(const CColor& color);
    virtual CColor getBackgroundColor() const;
    virtual void setBackgroundOffset(const CPoint& offset);
    virtual CPoint getBackgroundOffset() const;
    /// `rect` is in local coordinates; the bitmap is drawn unscaled and clipped to `rect`.
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
    virtual void setMode(std::int32_t updateMode);
    virtual std::int32_t getMode() const;
    virtual void useOffscreen(bool enabled);
    /// The child under the mouse pointer, by mouseable area.
    virtual CView* getCurrentView() const;
    /// The child whose mouseable area holds `where` (parent coordinates); `deep` descends into containers.
    virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
    /// Moves the frame's focus to the next child that wants it; false when there is none.
    virtual bool advanceNextFocusView(CView* oldFocus, bool reverse = false);

protected:
    struct Node
    {
        CView* view;
        Node* next;
        Node* previous;
    };

    /// Adds the container's origin to the context's offsets; `restoreContext` undoes it.
    struct SavedOffsets
    {
        CPoint offset;
        CPoint offsetScreen;
    };
    SavedOffsets shiftContext(CDrawContext* context) const;
    static void restoreContext(CDrawContext* context, const SavedOffsets& saved);
    CView* findChildAt(const CPoint& local) const;
    /// The context the children draw into: the own buffer, or the given one shifted.
    CDrawContext* beginDrawing(CDrawContext* context, SavedOffsets& saved);
    /// The clip to restore, in the coordinates of the drawing context.
    CRect rememberedClip(CDrawContext* context, CDrawContext* drawContext) const;
    void endDrawing(CDrawContext* context, CDrawContext* drawContext, const SavedOffsets& saved,
                    const CRect& clip, const CRect& area, const CPoint& source);
    void drawChildrenInRect(CDrawContext* drawContext, const CRect& clientRect, const CRect& clip);
    void updateDirtyChildren(CDrawContext* context);
    void releaseOffscreen();

    Node* firstNode = nullptr;
    Node* lastNode = nullptr;
    std::int32_t mode = kOnlyDirtyUpdate;
    COffscreenContext* offscreenContext = nullptr;
    CColor backgroundColor = kBlackCColor;
    CPoint backgroundOffset;
    bool drawInOffscreen = false;
    CView* currentDragView = nullptr;
};

} // namespace VSTGUI
