// Mouse buttons and modifier keys from the asynchronous key state, swapped buttons taken into account.
#include "KeyState.h"

#include "MouseButtons.h"
#include "PlatformFrame.h"
#include "Win32Shared.h"

namespace VSTGUI
{

namespace
{

bool keyDown(int virtualKey)
{
    return GetAsyncKeyState(virtualKey) < 0;
}

} // namespace

std::int32_t win32::mouseButtonsFromKeys(bool left, bool middle, bool right, bool shift, bool control,
                                         bool alt, bool swapped)
{
    std::int32_t buttons = 0;
    if (left) buttons |= swapped ? kRButton : kLButton;
    if (middle) buttons |= kMButton;
    if (right) buttons |= swapped ? kLButton : kRButton;
    if (shift) buttons |= kShift;
    if (control) buttons |= kControl;
    if (alt) buttons |= kAlt;
    return buttons;
}

std::int32_t win32::mouseButtonsFromMessage(std::uintptr_t keys, bool alt)
{
    return mouseButtonsFromKeys((keys & MK_LBUTTON) != 0, (keys & MK_MBUTTON) != 0, (keys & MK_RBUTTON) != 0,
                                (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, alt, false);
}

std::int32_t platform::getMouseButtons()
{
    return win32::mouseButtonsFromKeys(keyDown(VK_LBUTTON), keyDown(VK_MBUTTON), keyDown(VK_RBUTTON),
                                       keyDown(VK_SHIFT), keyDown(VK_CONTROL), keyDown(VK_MENU),
                                       win32::shared().swapButtons);
}

} // namespace VSTGUI
