// An 8-bit RGBA colour and the toolkit's two constant colours.
#pragma once

#include <cstdint>

namespace VSTGUI
{

struct CColor
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    friend constexpr bool operator==(const CColor& a, const CColor& b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
    }
    friend constexpr bool operator!=(const CColor& a, const CColor& b) { return !(a == b); }
};

constexpr CColor kBlackCColor{0, 0, 0, 255};
constexpr CColor kWhiteCColor{255, 255, 255, 255};

} // namespace VSTGUI
