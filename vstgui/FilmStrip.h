// Film-strip arithmetic: equal frames stacked vertically in one image, frame 0 at the top.
#pragma once

#include "CPoint.h"

#include <cstdint>

namespace VSTGUI
{

/// Source offset of frame `index` in a strip whose frames are `frameHeight` pixels tall.
constexpr CPoint filmStripOffset(std::int32_t index, std::int32_t frameHeight)
{
    return {0, index * frameHeight};
}

/// Whole frames in a strip `stripHeight` pixels tall; 0 when the frame height is not positive.
constexpr std::int32_t filmStripFrameCount(std::int32_t stripHeight, std::int32_t frameHeight)
{
    return frameHeight > 0 && stripHeight > 0 ? stripHeight / frameHeight : 0;
}

/// `index` kept inside 0 to frameCount − 1, so that a draw never reads past the strip.
constexpr std::int32_t clampFrameIndex(std::int32_t index, std::int32_t frameCount)
{
    return index < 0 || frameCount <= 0 ? 0 : (index >= frameCount ? frameCount - 1 : index);
}

} // namespace VSTGUI
