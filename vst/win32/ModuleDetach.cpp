// The DLL carries its own copy of the C++ run-time, whose exception-handling reserve (about 73 KiB) is
// allocated when the DLL loads and never given back: a host that loads and unloads the plug-in while
// scanning or opening projects would lose that much each time. FreeLibrary returns it here.
#include <windows.h>

namespace __gnu_cxx
{
// libstdc++'s own release of that reserve, provided for leak checkers; not declared in its headers.
void __freeres() noexcept;
} // namespace __gnu_cxx

/// Loader thread. Only on FreeLibrary (reserved null): at process exit the memory goes anyway, and
/// other DLLs' destructors may still throw.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
    return TRUE;
}
