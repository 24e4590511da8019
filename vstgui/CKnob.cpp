// Knob arithmetic (angle, value, handle point) and its pointer, wheel and key handling.
#include "CKnob.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"

#include <cmath>
#include <cstring>

namespace VSTGUI
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr float kTwoPi = 6.2831855f;
constexpr double kTwoPiDouble = 6.283185307179586;
constexpr float kLinearPixels = 200.0f;

/// Rounds a handle coordinate; a non-finite one (a NaN value) lands on 0 instead of overflowing.
std::int32_t pixel(float position)
{
    return std::isfinite(position) ? static_cast<std::int32_t>(position) : 0;
}

/// Wraps once into 0 to 2π, the upper test made against the exact 2π.
float wrapOnce(float alpha)
{
    if (alpha < 0.0f) return alpha + kTwoPi;
    if (alpha > kTwoPiDouble) return alpha - kTwoPi;
    return alpha;
}
} // namespace

CKnob::CKnob(const CRect& rect, CControlListener* owner, std::int32_t controlTag, CBitmap* bitmap,
             const CPoint& offset)
    : CControl(rect, owner, controlTag, bitmap), bitmapOffset(offset), radius(rect.getWidth() * 0.5f)
{
    setStartAngle(static_cast<float>(5.0 * kPi / 4.0));
    setRangeAngle(static_cast<float>(-3.0 * kPi / 2.0));
    setWantsFocus(true);
}

CKnob::~CKnob()
{
    if (handleBitmap) handleBitmap->forget();
}

bool CKnob::isTypeOf(const char* className) const
{
    return std::strcmp(className, "CKnob") == 0 || CControl::isTypeOf(className);
}

void CKnob::compute()
{
    valuePerRadian = (maxValue - minValue) / rangeAngle;
    valueAtZeroAngle = minValue - valuePerRadian * startAngle;
    halfGapAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
    setDirty(true);
}

void CKnob::setStartAngle(float angle)
{
    startAngle = angle;
    compute();
}

float CKnob::getStartAngle() const
{
    return startAngle;
}

void CKnob::setRangeAngle(float angle)
{
    rangeAngle = angle;
    compute();
}

float CKnob::getRangeAngle() const
{
    return rangeAngle;
}

void CKnob::setInsetValue(std::int32_t newInset)
{
    inset = newInset;
}

void CKnob::setColorShadowHandle(CColor color)
{
    handleShadowColor = color;
    setDirty(true);
}

void CKnob::setColorHandle(CColor color)
{
    handleColor = color;
    setDirty(true);
}

void CKnob::setHandleBitmap(CBitmap* bitmap)
{
    if (handleBitmap) handleBitmap->forget();
    handleBitmap = nullptr;
    if (!bitmap) return;
    handleBitmap = bitmap;
    handleBitmap->remember();
    inset = static_cast<std::int32_t>(bitmap->getWidth() * 0.5f + 2.5f);
}

void CKnob::setZoomFactor(float factor)
{
    zoomFactor = factor;
}

float CKnob::getZoomFactor() const
{
    return zoomFactor;
}

void CKnob::valueToPoint(CPoint& point) const
{
    const float alpha = (value - valueAtZeroAngle) / valuePerRadian;
    const float reach = radius - static_cast<float>(inset);
    point.h = pixel(radius + std::cos(alpha) * reach + 0.5f);
    point.v = pixel(radius - std::sin(alpha) * reach + 0.5f);
}

float CKnob::valueFromPoint(CPoint& point) const
{
    float alpha = std::atan2(radius - static_cast<float>(point.v), static_cast<float>(point.h) - radius);
    if (alpha < 0.0f) alpha += kTwoPi;
    alpha -= startAngle;
    if (rangeAngle < 0.0f)
    {
        alpha -= rangeAngle;
        const float wrapped = wrapOnce(alpha);
        if (wrapped > halfGapAngle - rangeAngle) return maxValue;
        if (wrapped > -rangeAngle) return minValue;
        if (alpha > halfGapAngle - rangeAngle)
            alpha -= kTwoPi;
        else if (alpha < -halfGapAngle)
            alpha += kTwoPi;
        return alpha * valuePerRadian + maxValue;
    }
    const float wrapped = wrapOnce(alpha);
    if (wrapped > halfGapAngle + rangeAngle) return minValue;
    if (wrapped > rangeAngle) return maxValue;
    if (alpha > halfGapAngle + rangeAngle)
        alpha -= kTwoPi;
    else if (alpha < -halfGapAngle)
        alpha += kTwoPi;
    return alpha * valuePerRadian + minValue;
}

void CKnob::draw(CDrawContext* context)
{
    if (background)
    {
        if (transparencyEnabled)
            background->drawTransparent(context, size, bitmapOffset);
        else
            background->draw(context, size, bitmapOffset);
    }
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context)
{
    CPoint point;
    valueToPoint(point);
    if (handleBitmap)
    {
        const std::int32_t width = handleBitmap->getWidth();
        const std::int32_t height = handleBitmap->getHeight();
        point.offset(size.left - width / 2, size.top - height / 2);
        handleBitmap->drawTransparent(context, CRect(point.h, point.v, point.h + width, point.v + height));
        return;
    }
    CPoint origin(size.left - 1 + size.getWidth() / 2, size.top + size.getHeight() / 2);
    point.offset(size.left - 1, size.top);
    context->setFrameColor(handleShadowColor);
    context->moveTo(point);
    context->lineTo(origin);
    point.offset(1, -1);
    origin.offset(1, -1);
    context->setFrameColor(handleColor);
    context->moveTo(point);
    context->lineTo(origin);
}

void CKnob::mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons)
{
    if (!getMouseEnabled()) return;
    if (buttons == -1) buttons = context ? context->getMouseButtons() : 0;
    if (!(buttons & kLButton)) return;
    if (modifierClickRefused(context, buttons)) return;
    if (checkDefaultValue(context, buttons)) return;
    const std::int32_t mode = parentFrame ? parentFrame->getKnobMode() : kCircularMode;
    // Alt picks the manner the host's mode did not choose.
    const bool linear = (mode == kLinearMode) != ((buttons & kAlt) != 0);
    beginEdit();
    if (linear)
        trackLinear(context, where, buttons);
    else
        trackCircular(context, where);
    endEdit();
}

void CKnob::trackLinear(CDrawContext* context, CPoint where, std::int32_t buttons)
{
    const float range = maxValue - minValue;
    auto pixelsFor = [this](std::int32_t word)
    { return (word & kShift) ? zoomFactor * kLinearPixels : kLinearPixels; };
    float coef = range / pixelsFor(buttons);
    float entry = value;
    const CPoint first = where;
    CPoint last(-1, -1);
    std::int32_t previous = buttons;
    std::int32_t now;
    do
    {
        now = context ? context->getMouseButtons() : 0;
        if (where != last)
        {
            last = where;
            const std::int32_t diff = (where.h - first.h) + (first.v - where.v);
            if (now != previous)
            {
                // A new rate takes over from the current value, so Shift never makes the value jump.
                const float newCoef = range / pixelsFor(now);
                entry += diff * (coef - newCoef);
                coef = newCoef;
                previous = now;
            }
            value = entry + diff * coef;
            bounceValue();
            notifyIfChanged(context);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (now & kLButton);
}

void CKnob::trackCircular(CDrawContext* context, CPoint where)
{
    const float middle = (maxValue - minValue) * 0.5f;
    CPoint local = where;
    local.offset(-size.left, -size.top);
    float old = valueFromPoint(local);
    CPoint last(-1, -1);
    std::int32_t now;
    do
    {
        now = context ? context->getMouseButtons() : 0;
        if (where != last)
        {
            last = where;
            local = where;
            local.offset(-size.left, -size.top);
            const float pointed = valueFromPoint(local);
            // Crossing the gap at the bottom pins the value to the end it came from.
            if (old - pointed > middle)
                value = maxValue;
            else if (pointed - old > middle)
                value = minValue;
            else
            {
                value = pointed;
                old = pointed;
            }
            notifyIfChanged(context);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (now & kLButton);
}

bool CKnob::onWheel(CDrawContext* context, const CPoint&, float distance)
{
    if (!getMouseEnabled()) return false;
    if (context && (context->getMouseButtons() & kShift)) distance *= 0.1f;
    value += distance * wheelIncrement;
    bounceValue();
    if (hasUnshownChange() && listener)
    {
        beginEdit();
        listener->valueChanged(context, this);
        endEdit();
    }
    return true;
}

std::int32_t CKnob::onKeyDown(CKeyCode& keyCode)
{
    float step;
    switch (keyCode.virt)
    {
    case kVirtualKeyLeft:
    case kVirtualKeyDown:
        step = -1.0f;
        break;
    case kVirtualKeyUp:
    case kVirtualKeyRight:
        step = 1.0f;
        break;
    default:
        return -1;
    }
    if (keyCode.modifier & kModifierShift) step *= 0.1f;
    value += step * wheelIncrement;
    bounceValue();
    if (hasUnshownChange() && listener)
    {
        beginEdit();
        listener->valueChanged(nullptr, this);
        endEdit();
    }
    return 1;
}

} // namespace VSTGUI
