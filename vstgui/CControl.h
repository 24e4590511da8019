// The base of every control: a value in a range, a tag, a listener, a default, and redraw bookkeeping.
#pragma once

#include "CView.h"

#include <cstdint>

namespace VSTGUI
{

class CControl;

/// Told of every change the user makes to a control; runs on the user-interface thread.
class CControlListener
{
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    /// A press with Shift, Control or Alt; a non-zero answer makes the control ignore the press.
    virtual std::int32_t controlModifierClicked(CDrawContext* context, CControl* control,
                                                std::int32_t buttons);
};

/// User-interface thread only, like every view.
class CControl : public CView
{
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, std::int32_t tag = 0,
             CBitmap* background = nullptr);

    void draw(CDrawContext* context) override = 0;
    /// Dirty while the value differs from the one last drawn, or while marked.
    bool isDirty() const override;
    /// Marking also moves the old value away from the value, so that the next pass redraws.
    void setDirty(bool state = true) override;
    bool isTypeOf(const char* className) const override;

    virtual void doIdleStuff();
    virtual void setValue(float newValue);
    virtual float getValue() const;
    virtual void setMin(float minimum);
    virtual float getMin() const;
    virtual void setMax(float maximum);
    virtual float getMax() const;
    virtual void setOldValue(float old);
    virtual float getOldValue() const;
    virtual void setDefaultValue(float newDefault);
    virtual float getDefaultValue() const;
    virtual void setTag(std::int32_t newTag);
    virtual std::int32_t getTag() const;
    /// Takes the frame's focus and opens the host's gesture for the tag.
    virtual void beginEdit();
    virtual void endEdit();
    virtual void setBackOffset(const CPoint& offset);
    virtual void copyBackOffset();
    virtual void setWheelInc(float increment);
    virtual float getWheelInc() const;
    /// Brings the value back into the range; a NaN stays.
    virtual void bounceValue();
    /// Control+left click (and nothing else) restores the default inside an edit bracket.
    virtual bool checkDefaultValue(CDrawContext* context, std::int32_t buttons);

protected:
    /// Asks the listener about a press with modifiers; true when the press must be ignored.
    bool modifierClickRefused(CDrawContext* context, std::int32_t buttons);
    /// The value moved since it was last drawn, or the control is marked. Unlike isDirty, which a
    /// subclass may narrow to what shows on screen, every such change reaches the listener.
    bool hasUnshownChange() const { return oldValue != value || dirty; }
    /// Tells the listener of an unshown change.
    void notifyIfChanged(CDrawContext* context);

    CControlListener* listener;
    std::int32_t tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 1.0f;
    float wheelIncrement = 0.1f;
    CPoint backOffset;
};

} // namespace VSTGUI
