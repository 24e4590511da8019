// Switch positions from pointer columns, and the strip image of the position shown.
#include "CHorizontalSwitch.h"

#include "CBitmap.h"
#include "CDrawContext.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

CHorizontalSwitch::CHorizontalSwitch(const CRect& rect, CControlListener* owner, std::int32_t controlTag,
                                     std::int32_t subImages, std::int32_t height, std::int32_t positions,
                                     CBitmap* strip, const CPoint& offset)
    : CControl(rect, owner, controlTag, strip), bitmapOffset(offset), subImageCount(subImages),
      positionCount(std::max(positions, 2)), frameHeight(height)
{
    setDefaultValue(0.0f);
}

bool CHorizontalSwitch::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CHorizontalSwitch") == 0 || CControl::isTypeOf(className);
}

std::int32_t CHorizontalSwitch::shownPosition() const
{
    const float position = (positionCount - 1) * value + 0.5f;
    // Out-of-range values (and NaN) show the nearer end image instead of reading outside the strip.
    if (!(position >= 0.0f)) return 0;
    return std::min(static_cast<std::int32_t>(std::min(position, static_cast<float>(positionCount))),
                    positionCount - 1);
}

void CHorizontalSwitch::draw(CDrawContext* context)
{
    if (background)
    {
        const CPoint offset(0, shownPosition() * frameHeight);
        if (transparencyEnabled)
            background->drawTransparent(context, size, offset);
        else
            background->draw(context, size, offset);
    }
    setDirty(false);
}

void CHorizontalSwitch::mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons)
{
    if (!getMouseEnabled()) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (modifierClickRefused(context, buttons)) return;
    if (!(buttons & kLButton)) return;
    if (checkDefaultValue(context, buttons)) return;
    // The columns come from the strip's width; without a strip there is nothing to aim at.
    if (!background || background->getWidth() <= 0) return;
    const double columnWidth = static_cast<double>(background->getWidth()) / positionCount;
    CPoint pointer = where;
    beginEdit();
    do
    {
        const auto position = static_cast<std::int32_t>((pointer.h - size.left) / columnWidth);
        value = std::clamp(static_cast<float>(position) / static_cast<float>(positionCount - 1), 0.0f, 1.0f);
        notifyIfChanged(context);
        getMouseLocation(context, pointer);
        doIdleStuff();
    } while (context && context->getMouseButtons() == buttons);
    endEdit();
}

} // namespace VSTGUI
