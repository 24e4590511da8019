// Process-wide Win32 state shared by every frame, drawing context and bitmap of this module.
#pragma once

#include <windows.h>

#include <cstdint>

namespace VSTGUI::win32
{

using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using TransparentBltProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

/// Only touched on the user-interface thread, so no lock guards it.
struct SharedState
{
    bool swapButtons = false;
    AlphaBlendProc alphaBlend = nullptr;
    TransparentBltProc transparentBlt = nullptr;
    std::int32_t blendLibraryHandles = 0; ///< handles of "msimg32.dll" held by live frames
    std::int32_t classUseCount = 0;
    char className[32] = {};
};

SharedState& shared();

/// The module (plug-in DLL or test program) that contains this code; it owns the window class and images.
HINSTANCE moduleInstance();

/// Forgets the blend entry points and looks them up again; returns the loaded "msimg32.dll" or null.
HMODULE loadBlendEntryPoints();
/// Frees a handle from loadBlendEntryPoints; with the last one the entry points are forgotten too.
void releaseBlendEntryPoints(HMODULE library);

} // namespace VSTGUI::win32
