// Finding the changed part of a window's pixels: whole rows compared first, then the columns within them.
#include "WindowPixels.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI::x11
{

namespace
{

/// Black, like the window before anything is drawn; the first exposure sends the whole window anyway.
constexpr std::uint32_t kBlack = 0xFF000000u;

} // namespace

WindowPixels::WindowPixels(std::int32_t width, std::int32_t height)
    : current(width, height, kBlack), sent(width, height, kBlack)
{
}

void WindowPixels::resend(const CRect& rect)
{
    CRect inside = rect;
    lost = unite(lost, inside.bound(current.bounds()));
}

CRect WindowPixels::takeChanges()
{
    const CRect area = unite(changedArea(), lost);
    lost = CRect();
    sent.copy(current, area.getTopLeft(), area, area);
    return area;
}

CRect WindowPixels::changedArea() const
{
    const std::int32_t width = current.getWidth();
    const std::size_t rowSize = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    auto rowChanged = [&](std::int32_t y) { return std::memcmp(current.row(y), sent.row(y), rowSize) != 0; };
    std::int32_t top = 0;
    while (top < current.getHeight() && !rowChanged(top))
        ++top;
    if (top == current.getHeight()) return {};
    std::int32_t bottom = current.getHeight();
    while (!rowChanged(bottom - 1))
        --bottom;
    std::int32_t left = width;
    std::int32_t right = 0;
    for (std::int32_t y = top; y < bottom; ++y)
    {
        const std::uint32_t* now = current.row(y);
        const std::uint32_t* before = sent.row(y);
        std::int32_t x = 0;
        while (x < left && now[x] == before[x])
            ++x;
        left = std::min(left, x);
        x = width;
        while (x > right && now[x - 1] == before[x - 1])
            --x;
        right = std::max(right, x);
    }
    return {left, top, right, bottom};
}

} // namespace VSTGUI::x11
