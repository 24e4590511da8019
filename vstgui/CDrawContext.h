// Drawing context: the state views draw with (colours, pen, font, clip, offsets) over a back end's target.
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
class COffscreenContext;

/// Used on the user-interface thread only. The state is kept here; each back end defines `Device`
/// (what it made to carry that state to its target) and the private operations marked below.
class CDrawContext : public CReferenceCounter
{
public:
    struct Device;

    /// `systemContext` is the back end's drawing target (a device context on Win32, a pixel surface for
    /// the software renderer). Without one, the `window`'s own target is borrowed until destruction; a
    /// given target is never released here. Either may be null: a context without a target draws nothing.
    CDrawContext(CFrame* frame, void* systemContext, void* window);
    ~CDrawContext() override;

    void moveTo(const CPoint& point);
    /// Draws with the frame colour's pen, leaving out the end point, and moves the pen there.
    void lineTo(const CPoint& point);
    /// Fills from (left + 1, top + 1) to (right, bottom) exclusive: the top row and left column stay.
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
    void setDrawMode(std::int32_t mode);
    std::int32_t getDrawMode() const { return drawMode; }
    /// Ids outside the standard table select the system font; the size argument is not used, each id
    /// has its standard size.
    void setFont(std::int32_t fontId, std::int32_t size = 0, std::int32_t style = 0);
    std::int32_t getFont() const { return fontId; }
    std::int32_t getFontSize() const { return fontSize; }
    std::int32_t getFontStyle() const { return fontStyle; }

    /// The clip rectangle without the offset: reading subtracts `offset`, setting adds it.
    CRect& getClipRect(CRect& clip) const;
    void setClipRect(const CRect& clip);

    /// Buttons and modifiers at the moment of the call (`kLButton` ... `kAlt`).
    std::int32_t getMouseButtons();

    void* getSystemContext() const { return systemContext; }
    void* getWindow() const { return window; }
    CFrame* getFrame() const { return frame; }
    /// The back end's part, for its own drawing code and its tests.
    Device& getDevice() const { return *device; }

    CPoint offsetScreen; ///< screen position of the context's origin
    CPoint offset;       ///< added to every coordinate drawn

protected:
    /// Gives the target back the objects that were selected into it before; a subclass that owns the
    /// target calls it before freeing the target. Defined by the back end; a second call does nothing.
    void closeDevice();

private:
    friend class COffscreenContext;

    void applyDefaults();

    // Defined by the back end.
    /// Makes `device`, borrowing the window's target when no target was given.
    void openDevice();
    /// The pen of the frame colour, line width and line style.
    void applyPen();
    void applyFill();
    void applyFontColor();
    void applyFont();
    void applyDrawMode();
    void applyClip();
    /// `area` in target coordinates, right and bottom exclusive, clipped.
    void paintFill(const CRect& area);
    /// One pen line in target coordinates, without its end point.
    void paintLine(const CPoint& from, const CPoint& to);
    /// Copies `area`'s size from `source` at `sourceOrigin` into `area` of this context's target, both in
    /// target coordinates; this context's clip applies.
    void copyPixels(const CRect& area, const CDrawContext& source, const CPoint& sourceOrigin);

    void* systemContext = nullptr;
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
    std::int32_t drawMode = 3; ///< no mode yet, so the first setting applies
    CRect clipRect;            ///< in target coordinates
    Device* device = nullptr;
};

} // namespace VSTGUI
