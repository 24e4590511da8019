// Process-wide Win32 state: the module handle, the blend entry points and the window class record.
#include "Win32Shared.h"

namespace VSTGUI::win32
{

SharedState& shared()
{
    static SharedState state;
    return state;
}

HINSTANCE moduleInstance()
{
    // The address of this function lies in our own image, whether that is the plug-in or a test program.
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&moduleInstance), &module);
    return module;
}

HMODULE loadBlendEntryPoints()
{
    SharedState& state = shared();
    state.alphaBlend = nullptr;
    state.transparentBlt = nullptr;
    HMODULE module = LoadLibraryA("msimg32.dll");
    if (module)
    {
        ++state.blendLibraryHandles;
        // GetProcAddress hands back a generic pointer; the signatures are the documented ones.
        state.alphaBlend =
            reinterpret_cast<AlphaBlendProc>(reinterpret_cast<void*>(GetProcAddress(module, "AlphaBlend")));
        state.transparentBlt = reinterpret_cast<TransparentBltProc>(
            reinterpret_cast<void*>(GetProcAddress(module, "TransparentBlt")));
    }
    return module;
}

void releaseBlendEntryPoints(HMODULE library)
{
    if (!library) return;
    SharedState& state = shared();
    // Once no frame holds the library it may be unloaded, and the entry points would dangle.
    if (--state.blendLibraryHandles <= 0)
    {
        state.blendLibraryHandles = 0;
        state.alphaBlend = nullptr;
        state.transparentBlt = nullptr;
    }
    FreeLibrary(library);
}

} // namespace VSTGUI::win32
