// A rotary control: the value as an angle, set by circular or linear drags, the wheel and arrow keys.
#pragma once

#include "CColor.h"
#include "CControl.h"

#include <cstdint>

namespace VSTGUI
{

/// How a drag turns a knob; the host chooses for the whole process, Alt picks the other manner.
enum CKnobMode : std::int32_t
{
    kCircularMode = 0,
    kRelativeCircularMode = 1,
    kLinearMode = 2,
};

/// User-interface thread only. Angles are in radians, counter-clockwise from the right, y up.
class CKnob : public CControl
{
public:
    CKnob(const CRect& size, CControlListener* listener, std::int32_t tag, CBitmap* background,
          const CPoint& offset = CPoint());
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    /// Tracks the pointer until the left button is released.
    void mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons = -1) override;
    /// Arrows step by the wheel increment (a tenth of it with Shift); −1 for any other key.
    std::int32_t onKeyDown(CKeyCode& keyCode) override;
    using CControl::onWheel;
    bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
    bool isTypeOf(const char* className) const override;

    virtual void drawHandle(CDrawContext* context);
    virtual void setStartAngle(float angle);
    virtual float getStartAngle() const;
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() const;
    /// The handle position for the value, in knob-local pixels.
    virtual void valueToPoint(CPoint& point) const;
    /// The value under a knob-local point; points in the bottom gap give the nearer end.
    virtual float valueFromPoint(CPoint& point) const;
    virtual void setInsetValue(std::int32_t newInset);
    virtual void setColorShadowHandle(CColor color);
    virtual void setColorHandle(CColor color);
    virtual void setHandleBitmap(CBitmap* bitmap);
    virtual void setZoomFactor(float factor);
    virtual float getZoomFactor() const;

protected:
    /// Derives the angle-to-value mapping; runs whenever the angles or the range change.
    void compute();
    void trackLinear(CDrawContext* context, CPoint where, std::int32_t buttons);
    void trackCircular(CDrawContext* context, CPoint where);

    CPoint bitmapOffset;
    CColor handleColor{255, 255, 255, 255};
    CColor handleShadowColor{127, 127, 127, 255};
    CBitmap* handleBitmap = nullptr;
    std::int32_t inset = 3;
    float startAngle = 0.0f;
    float rangeAngle = 1.0f;
    float halfGapAngle = 0.0f;
    float valuePerRadian = 0.0f;
    float valueAtZeroAngle = 0.0f;
    float radius;
    float zoomFactor = 1.5f;
};

} // namespace VSTGUI
