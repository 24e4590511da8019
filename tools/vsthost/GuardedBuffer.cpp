// Guard checks of the buffers handed to plug-ins.
#include "GuardedBuffer.h"

#include <algorithm>

bool GuardedBuffer::guardIntact() const
{
    return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(size), bytes.end(),
                       [](unsigned char b) { return b == kFill; });
}

bool GuardedBuffer::untouched() const
{
    return std::all_of(bytes.begin(), bytes.end(), [](unsigned char b) { return b == kFill; });
}

bool GuardedBuffer::terminated() const
{
    return std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0) !=
           bytes.begin() + static_cast<std::ptrdiff_t>(size);
}

std::string GuardedBuffer::text() const
{
    const auto end = std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0);
    return std::string(bytes.begin(), end);
}

void GuardedBuffer::setText(const std::string& text)
{
    if (size == 0) return;
    std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0);
    std::copy_n(text.begin(), std::min(text.size(), size - 1), bytes.begin());
}
