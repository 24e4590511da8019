// A knob drawn from a film strip: one frame per step of the value.
#pragma once

#include "CKnob.h"

#include <cstdint>

namespace VSTGUI
{

/// A knob drawn from a film strip: one frame per step of the value, frame 0 at the minimum.
class CAnimKnob : public CKnob
{
public:
    CAnimKnob(const CRect& size, CControlListener* listener, std::int32_t tag, std::int32_t frameCount,
              std::int32_t frameHeight, CBitmap* strip, const CPoint& offset = CPoint());

    void draw(CDrawContext* context) override;
    /// Clean while neither the handle position nor the frame to show has moved.
    bool isDirty() const override;
    bool isTypeOf(const char* className) const override;

    void setInverse(bool inverse) { inverted = inverse; }
    bool getInverse() const { return inverted; }

protected:
    /// Offset of the frame for the current value, snapped down to a whole frame.
    std::int32_t stripOffset() const;

    std::int32_t frameCount;
    std::int32_t frameHeight;
    bool inverted = false;
    CPoint lastDrawnPoint;
    std::int32_t lastDrawnOffset = -1;
};

} // namespace VSTGUI
