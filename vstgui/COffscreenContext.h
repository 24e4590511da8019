// Off-screen drawing context: a buffer of its own size, drawn into and then copied to a window's context.
#pragma once

#include "CDrawContext.h"

namespace VSTGUI
{

/// The back end defines `Buffer`, the pixels behind the context's target.
class COffscreenContext : public CDrawContext
{
public:
    struct Buffer;

    /// The whole buffer starts in `background`.
    COffscreenContext(CFrame* frame, std::int32_t width, std::int32_t height,
                      const CColor& background = kBlackCColor);
    ~COffscreenContext() override;

    /// Copies `destRect`'s size from this buffer at `srcOffset` to `dest` at `destRect`'s top-left
    /// (shifted by the destination's offset).
    void copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset = CPoint());
    /// Copies `srcRect` of `source` (shifted by the source's offset) into this buffer at `destOffset`.
    void copyTo(CDrawContext* source, const CRect& srcRect, const CPoint& destOffset = CPoint());

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    /// The back end's pixels, for its own code and its tests.
    Buffer& getBuffer() const { return *buffer; }

private:
    COffscreenContext(CFrame* frame, std::int32_t width, std::int32_t height, const CColor& background,
                      Buffer* newBuffer);

    // Defined by the back end.
    /// Never null; a buffer whose pixels could not be made has no target.
    static Buffer* createBuffer(CFrame* frame, std::int32_t width, std::int32_t height);
    static void* targetOf(const Buffer& buffer);
    static void destroyBuffer(Buffer* buffer);

    std::int32_t height = 0;
    std::int32_t width = 0;
    CColor backgroundColor;
    Buffer* buffer = nullptr;
};

} // namespace VSTGUI
