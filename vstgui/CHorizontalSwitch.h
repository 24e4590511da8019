// A multi-position switch: the width is divided into equal columns, the pointer's column is the position.
#pragma once

#include "CControl.h"

#include <cstdint>

namespace VSTGUI
{

/// User-interface thread only. The value runs from 0 (first position) to 1 (last) in equal steps.
class CHorizontalSwitch : public CControl
{
public:
    CHorizontalSwitch(const CRect& size, CControlListener* listener, std::int32_t tag, std::int32_t subImages,
                      std::int32_t frameHeight, std::int32_t positions, CBitmap* strip,
                      const CPoint& offset = CPoint());

    void draw(CDrawContext* context) override;
    /// Follows the pointer until any button or modifier changes.
    void mouse(CDrawContext* context, const CPoint& where, std::int32_t buttons = -1) override;
    bool isTypeOf(const char* className) const override;

protected:
    /// The position nearest to the value.
    std::int32_t shownPosition() const;

    CPoint bitmapOffset;
    std::int32_t subImageCount;
    std::int32_t positionCount;
    std::int32_t frameHeight;
};

} // namespace VSTGUI
