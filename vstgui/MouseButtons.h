// The bit set in which mouse buttons and modifier keys are reported.
#pragma once

#include <cstdint>

namespace VSTGUI
{

enum CButton : std::int32_t
{
    kLButton = 1 << 0,
    kMButton = 1 << 1,
    kRButton = 1 << 2,
    kShift = 1 << 3,
    kControl = 1 << 4,
    kAlt = 1 << 5,
};

/// Shift, Control, Alt and the fourth modifier bit: a press carrying any of them asks the listener first.
constexpr std::int32_t kModifierMask = 0x78;

} // namespace VSTGUI
