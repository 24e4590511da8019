// Film-strip knob: the frame for the value, and redraws only when what is shown would change.
#include "CAnimKnob.h"

#include "CBitmap.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

CAnimKnob::CAnimKnob(const CRect& rect, CControlListener* owner, std::int32_t controlTag, std::int32_t frames,
                     std::int32_t height, CBitmap* strip, const CPoint& offset)
    : CKnob(rect, owner, controlTag, strip, offset), frameCount(frames), frameHeight(height)
{
    inset = 0;
}

bool CAnimKnob::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CAnimKnob") == 0 || CKnob::isTypeOf(className);
}

std::int32_t CAnimKnob::stripOffset() const
{
    // A NaN or negative value shows the first frame.
    if (!(value >= 0.0f) || frameHeight <= 0 || frameCount <= 0) return 0;
    const std::int32_t span = (frameCount - 1) * frameHeight;
    // Kept inside the strip before truncating, so no value reads past it or overflows.
    const float share = std::min(inverted ? 1.0f - value : value, 1.0f);
    const std::int32_t position = static_cast<std::int32_t>(std::max(share, 0.0f) * span);
    for (std::int32_t y = 0; y <= span; y += frameHeight)
        if (position < y) return std::max(y - frameHeight, 0);
    return position;
}

void CAnimKnob::draw(CDrawContext* context)
{
    const std::int32_t offset = stripOffset();
    if (background)
    {
        if (transparencyEnabled)
            background->drawTransparent(context, size, CPoint(0, offset));
        else
            background->draw(context, size, CPoint(0, offset));
    }
    valueToPoint(lastDrawnPoint);
    lastDrawnOffset = offset;
    setDirty(false);
}

bool CAnimKnob::isDirty() const
{
    if (!dirty)
    {
        CPoint point;
        valueToPoint(point);
        // The handle point alone misses frame changes of small knobs, whose circle moves less than a
        // pixel per frame; the frame is compared too.
        if (point == lastDrawnPoint && stripOffset() == lastDrawnOffset) return false;
    }
    return hasUnshownChange();
}

} // namespace VSTGUI
