// Drawing context of the software back end: the GDI context's state and primitives on an in-memory surface.
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

namespace soft
{
class Surface;
struct Window;

/// What a context had to create; tests read it to see that unchanged state creates nothing.
struct ObjectCounts
{
    std::int32_t pens = 0;
    std::int32_t brushes = 0;
    std::int32_t fonts = 0;
};

/// The software stand-in for a GDI font object: only the description matters.
struct FontDescription
{
    std::int32_t height = 0; ///< negative: character height in pixels, as GDI takes it
    std::int32_t weight = 0;
    bool italic = false;
    bool underline = false;
    const char* face = "";
};
} // namespace soft

class CDrawContext : public CReferenceCounter
{
public:
    /// `systemContext` is the surface to draw into (a device context on Win32); without one, the
    /// `window`'s surface is taken. Either may be null; a context without a surface draws nothing.
    CDrawContext(CFrame* frame, void* systemContext, void* window);
    ~CDrawContext() override;

    void moveTo(const CPoint& point);
    /// One-pixel-wide pen line from the pen position; the end point is not drawn and becomes the pen
    /// position.
    void lineTo(const CPoint& point);
    /// Fills from (left + 1, top + 1) to (right, bottom) exclusive, the way the GDI back end does.
    void fillRect(const CRect& rect);

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
    /// Ids above 7 select font 0; the size argument is ignored, each id has its standard size.
    void setFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t style = 0);
    std::int32_t getFont() const { return fontId; }
    std::int32_t getFontSize() const { return fontSize; }
    std::int32_t getFontStyle() const { return fontStyle; }
    void setDrawMode(std::int32_t mode);
    std::int32_t getDrawMode() const { return drawMode; }

    /// The clip rectangle without the offset: reading subtracts `offset`, setting adds it.
    CRect& getClipRect(CRect& clip) const;
    void setClipRect(const CRect& clip);

    /// Buttons and modifiers at the moment of the call (`kLButton` ... `kAlt`).
    std::int32_t getMouseButtons();

    void* getSystemContext() const { return surface; }
    void* getWindow() const { return window; }
    CFrame* getFrame() const { return frame; }

    // Software back end only.
    soft::Surface* getSurface() const { return surface; }
    const soft::ObjectCounts& getCreatedObjects() const { return created; }
    const soft::FontDescription& getFontDescription() const { return font; }

    CPoint offsetScreen; ///< screen position of the context's origin
    CPoint offset;       ///< added to every coordinate drawn

protected:
    void setSurface(soft::Surface* target) { surface = target; }
    void createPen();
    /// A pen-sized dot, or nothing in the gaps of a dashed pen.
    void stamp(std::int32_t x, std::int32_t y, std::int32_t step);

    soft::Surface* surface = nullptr;
    void* window = nullptr;
    CFrame* frame = nullptr;
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
    soft::FontDescription font;
    soft::ObjectCounts created;
    soft::Window* ownedWindow = nullptr; ///< the window whose pixels were obtained, released at the end
    // The current pen as it was created: its colour, width and dash pattern.
    CColor penColor;
    std::int32_t penWidth = 0;
    bool penDashed = false;
};

} // namespace VSTGUI
