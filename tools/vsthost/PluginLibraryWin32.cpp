// Loads a plug-in DLL with the Windows loader.
#include "PluginLibrary.h"

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

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
    {
        error = "cannot load " + path + " (" + lastErrorText() + ")";
        return nullptr;
    }
    // Older plug-ins export only "main", so it is the fallback name.
    FARPROC symbol = GetProcAddress(module, "VSTPluginMain");
    if (!symbol) symbol = GetProcAddress(module, "main");
    if (!symbol)
    {
        error = path + " exports neither VSTPluginMain nor main";
        FreeLibrary(module);
        return nullptr;
    }
    // Through void* because FARPROC's signature says nothing about the real one.
    auto entry = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void*>(symbol));
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(module, entry));
}

PluginLibrary::~PluginLibrary()
{
    FreeLibrary(static_cast<HMODULE>(handle));
}
