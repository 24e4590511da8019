// Keysyms to key records and pointer state bits to button bits.
#include "InputTranslation.h"

#include "MouseButtons.h"

#include <X11/keysym.h>

namespace VSTGUI::x11
{

namespace
{

// The core protocol's state bits.
constexpr std::uint32_t kNoSymbol = 0;
constexpr std::uint16_t kShiftMask = 1 << 0;
constexpr std::uint16_t kControlMask = 1 << 2;
constexpr std::uint16_t kMod1Mask = 1 << 3;
constexpr std::uint16_t kButton1Mask = 1 << 8;
constexpr std::uint16_t kButton2Mask = 1 << 9;
constexpr std::uint16_t kButton3Mask = 1 << 10;

/// What a key types, as Xlib's lookup would give it for the keys that type control characters.
std::int32_t characterOf(std::uint32_t keysym)
{
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
        return static_cast<std::int32_t>(keysym);
    switch (keysym)
    {
    case XK_BackSpace:
        return 0x08;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return 0x09;
    case XK_Return:
    case XK_KP_Enter:
        return 0x0D;
    case XK_Escape:
        return 0x1B;
    case XK_Delete:
        return 0x7F;
    default:
        return 0;
    }
}

std::uint8_t virtualKeyOf(std::uint32_t keysym)
{
    switch (keysym)
    {
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return kVirtualKeyTab;
    case XK_Left:
    case XK_KP_Left:
        return kVirtualKeyLeft;
    case XK_Up:
    case XK_KP_Up:
        return kVirtualKeyUp;
    case XK_Right:
    case XK_KP_Right:
        return kVirtualKeyRight;
    case XK_Down:
    case XK_KP_Down:
        return kVirtualKeyDown;
    default:
        return 0;
    }
}

} // namespace

std::uint32_t keysymOf(const KeyboardMapping& mapping, std::uint8_t keycode, bool shift)
{
    if (keycode < mapping.minKeycode || mapping.perKeycode == 0) return kNoSymbol;
    const std::size_t first = static_cast<std::size_t>(keycode - mapping.minKeycode) * mapping.perKeycode;
    if (first + mapping.perKeycode > mapping.keysyms.size()) return kNoSymbol;
    const bool shifted = shift && mapping.perKeycode > 1 && mapping.keysyms[first + 1] != kNoSymbol;
    return mapping.keysyms[first + (shifted ? 1 : 0)];
}

CKeyCode keyCodeOf(std::uint32_t keysym, bool shift)
{
    return {characterOf(keysym), virtualKeyOf(keysym), static_cast<std::uint8_t>(shift ? kModifierShift : 0)};
}

std::int32_t buttonsOfState(std::uint16_t state)
{
    std::int32_t buttons = 0;
    if (state & kButton1Mask) buttons |= kLButton;
    if (state & kButton2Mask) buttons |= kMButton;
    if (state & kButton3Mask) buttons |= kRButton;
    if (state & kShiftMask) buttons |= kShift;
    if (state & kControlMask) buttons |= kControl;
    if (state & kMod1Mask) buttons |= kAlt;
    return buttons;
}

std::int32_t buttonsOfPress(std::uint8_t button, std::uint16_t state)
{
    static constexpr std::int32_t kPressed[] = {0, kLButton, kMButton, kRButton};
    return buttonsOfState(state) | (button < 4 ? kPressed[button] : 0);
}

} // namespace VSTGUI::x11
