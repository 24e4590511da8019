// Drawing context over a 32-bit memory bitmap, copied to a window context after drawing.
#pragma once

#include "CDrawContext.h"

namespace VSTGUI
{

class COffscreenContext : public CDrawContext
{
public:
    /// The whole buffer starts in the background colour.
    COffscreenContext(CFrame* frame, std::int32_t width, std::int32_t height,
                      const CColor& backgroundColor = kBlackCColor);
    ~COffscreenContext() override;

    /// Copies this buffer from `sourceOffset` to `destRect` of `dest` (shifted by the destination's offset).
    void copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& sourceOffset = CPoint());
    /// Copies `sourceRect` of `source` (shifted by the source's offset) into this buffer at `destOffset`.
    void copyTo(CDrawContext* source, const CRect& sourceRect, const CPoint& destOffset = CPoint());

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    /// Top-down 0xAARRGGBB rows of getWidth() pixels, or null when the buffer could not be made.
    std::uint32_t* getPixels() const { return pixels; }

private:
    std::int32_t height = 0;
    std::int32_t width = 0;
    CColor backgroundColor;
    void* memoryBitmap = nullptr;
    void* oldBitmap = nullptr;
    std::uint32_t* pixels = nullptr;
};

} // namespace VSTGUI
