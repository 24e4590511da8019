// Loads a DLL with the Windows loader.
#include "SharedLibrary.h"

#include <windows.h>

namespace
{
std::string lastErrorText()
{
    char text[256] = {};
    const DWORD code = GetLastError();
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof(text) - 1, nullptr);
    return "error " + std::to_string(code) + ": " + text;
}
} // namespace

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string& error)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
    {
        error = "cannot load " + path + " (" + lastErrorText() + ")";
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(module));
}

SharedLibrary::~SharedLibrary()
{
    FreeLibrary(static_cast<HMODULE>(handle));
}

void* SharedLibrary::symbol(const char* name) const
{
    // Through void*: FARPROC's signature says nothing about what the symbol is, often a data object.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
