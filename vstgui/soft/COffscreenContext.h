// Off-screen drawing context of the software back end: a context over a surface of its own.
#pragma once

#include "CDrawContext.h"

#include <memory>

namespace VSTGUI
{

class CBitmap;

class COffscreenContext : public CDrawContext
{
public:
    /// The whole buffer starts in `background`.
    COffscreenContext(CFrame* frame, std::int32_t width, std::int32_t height,
                      const CColor& background = kBlackCColor);
    ~COffscreenContext() override;

    /// Copies `destRect`'s size from this buffer at `srcOffset` to `dest` at `destRect`'s top-left.
    void copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset = CPoint());
    /// Copies `srcRect` of `source` (plus its offset) into this buffer at `destOffset`.
    void copyTo(CDrawContext* source, const CRect& srcRect, const CPoint& destOffset = CPoint());

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }

private:
    CBitmap* bitmap = nullptr;
    std::int32_t height = 0;
    std::int32_t width = 0;
    CColor backgroundColor;
    std::unique_ptr<soft::Surface> pixels;
};

} // namespace VSTGUI
