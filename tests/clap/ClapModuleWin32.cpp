// Loads a .clap with the Windows loader.
#include "ClapModule.h"

#include <windows.h>

ClapModule::ClapModule(const std::string& path)
{
    HMODULE module = LoadLibraryA(path.c_str());
    handle = module;
    if (!module)
    {
        reason = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    // The export is a data object; GetProcAddress hands out its address under a function type.
    object = reinterpret_cast<const qm07::clap::clap_plugin_entry*>(
        reinterpret_cast<void*>(GetProcAddress(module, "clap_entry")));
    if (!object) reason = path + " exports no clap_entry";
}

ClapModule::~ClapModule()
{
    if (handle) FreeLibrary(static_cast<HMODULE>(handle));
}
