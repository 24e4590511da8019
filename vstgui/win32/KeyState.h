// Mouse buttons and modifier keys from the asynchronous key state.
#pragma once

#include <cstdint>

namespace VSTGUI::win32
{

/// Key states in, `CButton` bits out. With swapped buttons the physical left button is the logical
/// right one.
std::int32_t mouseButtonsFromKeys(bool left, bool middle, bool right, bool shift, bool control, bool alt,
                                  bool swapped);

} // namespace VSTGUI::win32
