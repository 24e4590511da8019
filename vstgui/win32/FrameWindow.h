// The frame's child window: its process-wide window class and its window procedure.
#pragma once

#include <windows.h>

#include <cstdint>

namespace VSTGUI
{

class CFrame;

namespace win32
{

/// Registers the class with its first user; "Plugin%p" of the module, so each loaded copy has its own.
const char* acquireWindowClass();
/// The last user unregisters the class.
void releaseWindowClass();

/// A visible child of `parent` at (0, 0), linked to `frame` through its user data; null on failure.
HWND createFrameWindow(CFrame& frame, HWND parent, std::int32_t width, std::int32_t height);
/// Unlinks the frame first, so that the messages of the destruction find no frame.
void destroyFrameWindow(HWND window);

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace win32
} // namespace VSTGUI
