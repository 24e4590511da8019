// Control base: value bookkeeping, edit brackets through the frame, the Control+click reset.
#include "CControl.h"

#include "CFrame.h"

#include <cstring>

namespace VSTGUI
{

std::int32_t CControlListener::controlModifierClicked(CDrawContext*, CControl*, std::int32_t)
{
    return 0;
}

CControl::CControl(const CRect& rect, CControlListener* owner, std::int32_t controlTag, CBitmap* bitmap)
    : CView(rect), listener(owner), tag(controlTag)
{
    setBackground(bitmap);
    setDirty(true);
}

bool CControl::isDirty() const
{
    // A NaN on either side compares unequal, so it counts as a change.
    return hasUnshownChange();
}

void CControl::setDirty(bool state)
{
    dirty = state;
    if (state)
        oldValue = value == -1.0f ? 0.0f : -1.0f;
    else
        oldValue = value;
}

bool CControl::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CControl") == 0 || CView::isTypeOf(className);
}

void CControl::doIdleStuff()
{
    if (parentFrame) parentFrame->doIdleStuff();
}

void CControl::setValue(float newValue)
{
    value = newValue;
}

float CControl::getValue() const
{
    return value;
}

void CControl::setMin(float minimum)
{
    minValue = minimum;
}

float CControl::getMin() const
{
    return minValue;
}

void CControl::setMax(float maximum)
{
    maxValue = maximum;
}

float CControl::getMax() const
{
    return maxValue;
}

void CControl::setOldValue(float old)
{
    oldValue = old;
}

float CControl::getOldValue() const
{
    return oldValue;
}

void CControl::setDefaultValue(float newDefault)
{
    defaultValue = newDefault;
}

float CControl::getDefaultValue() const
{
    return defaultValue;
}

void CControl::setTag(std::int32_t newTag)
{
    tag = newTag;
}

std::int32_t CControl::getTag() const
{
    return tag;
}

void CControl::beginEdit()
{
    if (!parentFrame) return;
    parentFrame->setFocusView(this);
    parentFrame->beginEdit(tag);
}

void CControl::endEdit()
{
    if (parentFrame) parentFrame->endEdit(tag);
}

void CControl::setBackOffset(const CPoint& offset)
{
    backOffset = offset;
}

void CControl::copyBackOffset()
{
    backOffset = size.getTopLeft();
}

void CControl::setWheelInc(float increment)
{
    wheelIncrement = increment;
}

float CControl::getWheelInc() const
{
    return wheelIncrement;
}

void CControl::bounceValue()
{
    if (value > maxValue)
        value = maxValue;
    else if (value < minValue)
        value = minValue;
}

bool CControl::checkDefaultValue(CDrawContext* context, std::int32_t buttons)
{
    if (buttons != (kLButton | kControl)) return false;
    beginEdit();
    value = getDefaultValue();
    notifyIfChanged(context);
    endEdit();
    return true;
}

bool CControl::modifierClickRefused(CDrawContext* context, std::int32_t buttons)
{
    return listener && (buttons & kModifierMask) &&
           listener->controlModifierClicked(context, this, buttons) != 0;
}

void CControl::notifyIfChanged(CDrawContext* context)
{
    if (hasUnshownChange() && listener) listener->valueChanged(context, this);
}

} // namespace VSTGUI
