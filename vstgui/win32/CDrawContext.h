// Drawing context over a GDI device context: colours, pen, brush, font, clip and offsets.
#pragma once

#include "CColor.h"
#include "CDrawDefs.h"
#include "CPoint.h"
#include "CRect.h"
#include "CReferenceCounter.h"

#include <cstdint>

namespace VSTGUI
{

class CFrame;

class CDrawContext : public CReferenceCounter
{
public:
    /// Without a device context but with a window, the window's own device context is borrowed until
    /// destruction; a given device context is never released here.
    CDrawContext(CFrame* frame, void* systemContext, void* window);
    ~CDrawContext() override;

    void setFrameColor(const CColor& color);
    CColor getFrameColor() const { return frameColor; }
    void setFillColor(const CColor& color);
    CColor getFillColor() const { return fillColor; }
    void setFontColor(const CColor& color);
    CColor getFontColor() const { return fontColor; }
    void setLineStyle(std::int32_t style);
    std::int32_t getLineStyle() const { return lineStyle; }
    void setLineWidth(std::int32_t width);
    std::int32_t getLineWidth() const { return frameWidth; }
    void setDrawMode(std::int32_t mode);
    std::int32_t getDrawMode() const { return drawMode; }
    /// Ids outside the standard table fall back to the system font; each id has one fixed size.
    void setFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t style = 0);
    std::int32_t getFont() const { return fontId; }
    std::int32_t getFontSize() const { return fontSize; }
    std::int32_t getFontStyle() const { return fontStyle; }

    /// Leaves the top row and the left column of the rectangle untouched.
    void fillRect(const CRect& rect);
    void moveTo(const CPoint& point);
    /// Draws with the frame colour's pen, excluding the end point, and moves the pen there.
    void lineTo(const CPoint& point);

    /// Clip rectangle in the context's own coordinates, that is without `offset`.
    CRect& getClipRect(CRect& clip) const;
    void setClipRect(const CRect& clip);

    /// Buttons and modifiers at this instant (CButton bits).
    std::int32_t getMouseButtons();

    void* getSystemContext() const { return systemContext; }
    void* getWindow() const { return window; }
    CFrame* getFrame() const { return frame; }

    CPoint offsetScreen; ///< screen position of the window's top-left corner
    CPoint offset;       ///< added to every coordinate drawn

protected:
    void* systemContext = nullptr;
    void* window = nullptr;
    CFrame* frame = nullptr;
    bool ownsSystemContext = false; ///< a memory context made by a subclass, deleted at destruction

private:
    void recreatePen();
    void applyDefaults();

    std::int32_t fontSize = -1;
    std::int32_t fontStyle = 0;
    std::int32_t fontId = kNumStandardFonts;
    CColor fontColor;
    CPoint penLocation;
    std::int32_t frameWidth = 0;
    CColor frameColor;
    CColor fillColor;
    std::int32_t lineStyle = kLineOnOffDash;
    std::int32_t drawMode = 3;
    CRect clipRect;
    void* ownBrush = nullptr;
    void* ownPen = nullptr;
    void* ownFont = nullptr;
    void* oldBrush = nullptr;
    void* oldPen = nullptr;
    void* oldFont = nullptr;
    std::int32_t penStyle = 0;
    void* ownedContext = nullptr;
    bool clipSelected = false;
};

/// Pure part of getMouseButtons: key states in, CButton bits out. With swapped buttons the physical
/// left button is the logical right one.
std::int32_t mouseButtonsFromKeys(bool left, bool middle, bool right, bool shift, bool control, bool alt,
                                  bool swapped);

} // namespace VSTGUI
