// Off-screen context of the software back end: its own surface, and block copies to and from it.
#include "COffscreenContext.h"

#include "CBitmap.h"
#include "Surface.h"

#include <algorithm>

namespace VSTGUI
{

COffscreenContext::COffscreenContext(CFrame* owner, std::int32_t w, std::int32_t h, const CColor& background)
    : CDrawContext(owner, nullptr, nullptr), height(h), width(w), backgroundColor(background),
      pixels(std::make_unique<soft::Surface>(w, h))
{
    clipRect = CRect(std::min(0, w), std::min(0, h), std::max(0, w), std::max(0, h));
    setSurface(pixels.get());
    setFillColor(background);
    setFrameColor(background);
    fillRect(CRect(0, 0, width, height));
    // The fill leaves the top row and left column out; the outline covers them.
    moveTo(CPoint(offset.h, offset.v));
    lineTo(CPoint(offset.h + width - 1, offset.v));
    lineTo(CPoint(offset.h + width - 1, offset.v + height - 1));
    lineTo(CPoint(offset.h, offset.v + height - 1));
    lineTo(CPoint(offset.h, offset.v));
}

COffscreenContext::~COffscreenContext()
{
    if (bitmap) bitmap->forget();
}

void COffscreenContext::copyFrom(CDrawContext* dest, const CRect& destRect, const CPoint& srcOffset)
{
    if (!dest || !dest->getSurface()) return;
    CRect target = destRect;
    target.offset(dest->offset.h, dest->offset.v);
    CRect clip;
    dest->getClipRect(clip);
    clip.offset(dest->offset.h, dest->offset.v);
    dest->getSurface()->copy(*pixels, srcOffset, target, clip);
}

void COffscreenContext::copyTo(CDrawContext* source, const CRect& srcRect, const CPoint& destOffset)
{
    if (!source || !source->getSurface()) return;
    const CPoint from(srcRect.left + source->offset.h, srcRect.top + source->offset.v);
    const CRect target(destOffset.h, destOffset.v, destOffset.h + srcRect.getWidth(),
                       destOffset.v + srcRect.getHeight());
    pixels->copy(*source->getSurface(), from, target, clipRect);
}

} // namespace VSTGUI
