// Off-screen context: a buffer that starts in its background colour, and block copies to and from it.
#include "COffscreenContext.h"

#include <algorithm>

namespace VSTGUI
{

COffscreenContext::COffscreenContext(CFrame* owner, std::int32_t w, std::int32_t h, const CColor& background)
    : COffscreenContext(owner, w, h, background, createBuffer(owner, w, h))
{
}

COffscreenContext::COffscreenContext(CFrame* owner, std::int32_t w, std::int32_t h, const CColor& background,
                                     Buffer* newBuffer)
    : CDrawContext(owner, targetOf(*newBuffer), nullptr), height(h), width(w), backgroundColor(background),
      buffer(newBuffer)
{
    setClipRect(CRect(std::min(0, w), std::min(0, h), std::max(0, w), std::max(0, h)));
    if (!getSystemContext()) return;
    setFillColor(background);
    setFrameColor(background);
    fillRect(CRect(0, 0, width, height));
    // The fill leaves the top row and left column out; the outline covers them.
    moveTo(CPoint(0, 0));
    lineTo(CPoint(width - 1, 0));
    lineTo(CPoint(width - 1, height - 1));
    lineTo(CPoint(0, height - 1));
    lineTo(CPoint(0, 0));
}

COffscreenContext::~COffscreenContext()
{
    // The drawing objects leave the buffer's target before the target goes.
    closeDevice();
    destroyBuffer(buffer);
}

void COffscreenContext::copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset)
{
    if (!dest || !dest->getSystemContext() || !getSystemContext()) return;
    CRect area = destRect;
    area.offset(dest->offset.h, dest->offset.v);
    dest->copyPixels(area, *this, srcOffset);
}

void COffscreenContext::copyTo(CDrawContext* source, const CRect& srcRect, const CPoint& destOffset)
{
    if (!source || !source->getSystemContext() || !getSystemContext()) return;
    const CRect area(destOffset.h, destOffset.v, destOffset.h + srcRect.getWidth(),
                     destOffset.v + srcRect.getHeight());
    copyPixels(area, *source, CPoint(srcRect.left + source->offset.h, srcRect.top + source->offset.v));
}

} // namespace VSTGUI
