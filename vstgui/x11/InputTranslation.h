// X11 key and pointer reports in the toolkit's terms.
#pragma once

#include "CFrameHost.h"

#include <cstdint>
#include <vector>

namespace VSTGUI::x11
{

/// The server's keyboard mapping: `perKeycode` keysyms for each keycode from `minKeycode` on.
struct KeyboardMapping
{
    std::uint8_t minKeycode = 0;
    std::uint8_t perKeycode = 0;
    std::vector<std::uint32_t> keysyms;
};

/// The keysym a key stands for: with Shift its second keysym where it has one, else its first.
std::uint32_t keysymOf(const KeyboardMapping& mapping, std::uint8_t keycode, bool shift);
/// The key record hosts send: Tab and the arrows as virtual keys, characters as the text they type.
CKeyCode keyCodeOf(std::uint32_t keysym, bool shift);

/// A pointer or key event's modifier and button state as `kLButton` ... `kAlt` (Alt is the first
/// modifier, as keyboard maps set it up).
std::int32_t buttonsOfState(std::uint16_t state);
/// A press as its event reports it: the state before the press plus the button pressed (1 to 3).
std::int32_t buttonsOfPress(std::uint8_t button, std::uint16_t state);

} // namespace VSTGUI::x11
