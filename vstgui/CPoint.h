// A pixel position in the toolkit's integer coordinates.
#pragma once

#include <cstdint>

namespace VSTGUI
{

struct CPoint
{
    std::int32_t h = 0; ///< horizontal, growing to the right
    std::int32_t v = 0; ///< vertical, growing downwards

    constexpr CPoint() = default;
    constexpr CPoint(std::int32_t horizontal, std::int32_t vertical) : h(horizontal), v(vertical) {}

    constexpr CPoint& offset(std::int32_t dh, std::int32_t dv)
    {
        h += dh;
        v += dv;
        return *this;
    }

    friend constexpr bool operator==(const CPoint& a, const CPoint& b) { return a.h == b.h && a.v == b.v; }
    friend constexpr bool operator!=(const CPoint& a, const CPoint& b) { return !(a == b); }
};

} // namespace VSTGUI
