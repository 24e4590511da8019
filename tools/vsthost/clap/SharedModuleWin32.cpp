// DLLs through the Windows loader.
#include "SharedModule.h"

#include <windows.h>

void* SharedModule::open(const std::string& path, std::string& error)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return module;
}

void* SharedModule::symbol(void* module, const char* name)
{
    // Through void*: FARPROC's signature says nothing about what the symbol is, here often a data object.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void SharedModule::close(void* module)
{
    FreeLibrary(static_cast<HMODULE>(module));
}
