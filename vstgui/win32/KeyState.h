// Mouse buttons and modifier keys from the asynchronous key state.
#pragma once

#include <cstdint>

namespace VSTGUI::win32
{

/// Key states in, `CButton` bits out. With swapped buttons the physical left button is the logical
/// right one.
std::int32_t mouseButtonsFromKeys(bool left, bool middle, bool right, bool shift, bool control, bool alt,
                                  bool swapped);
/// The buttons and modifiers a button message carries (its MK_ bits; Alt as the message queue saw it).
/// The system has already swapped the buttons in the message.
std::int32_t mouseButtonsFromMessage(std::uintptr_t keys, bool alt);

} // namespace VSTGUI::win32
