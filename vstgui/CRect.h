// A pixel rectangle; width and height exclude right and bottom, but hit and overlap tests include them.
#pragma once

#include "CPoint.h"

#include <algorithm>
#include <cstdint>

namespace VSTGUI
{

struct CRect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b)
    {
    }

    constexpr std::int32_t getWidth() const { return right - left; }
    constexpr std::int32_t getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }

    constexpr CRect& offset(std::int32_t dx, std::int32_t dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }

    /// Clamps to `other`; a rectangle outside it collapses to zero width or height, never negative.
    constexpr CRect& bound(const CRect& other)
    {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::min(right, other.right);
        bottom = std::min(bottom, other.bottom);
        right = std::max(right, left);
        bottom = std::max(bottom, top);
        return *this;
    }

    /// Inclusive edges: rectangles that only touch along an edge or a corner overlap.
    constexpr bool overlaps(const CRect& other) const
    {
        return !(right < other.left || left > other.right || bottom < other.top || top > other.bottom);
    }

    /// Inclusive on all four edges.
    constexpr bool pointInside(const CPoint& p) const
    {
        return left <= p.h && p.h <= right && top <= p.v && p.v <= bottom;
    }

    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    friend constexpr bool operator==(const CRect& a, const CRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend constexpr bool operator!=(const CRect& a, const CRect& b) { return !(a == b); }
};

/// The smallest rectangle holding both; an empty one adds nothing.
constexpr CRect unite(const CRect& a, const CRect& b)
{
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace VSTGUI
