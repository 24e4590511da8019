// Loads a plug-in shared object with the dynamic linker.
#include "PluginLibrary.h"

#include <dlfcn.h>

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error)
{
    // A bare file name would send dlopen searching the library path; the user means this directory.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    // RTLD_LOCAL keeps two plug-ins from resolving each other's symbols.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load " + path;
        return nullptr;
    }
    // Older plug-ins export only "main", so it is the fallback name.
    void* symbol = dlsym(handle, "VSTPluginMain");
    if (!symbol) symbol = dlsym(handle, "main");
    if (!symbol)
    {
        error = path + " exports neither VSTPluginMain nor main";
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<PluginLibrary>(
        new PluginLibrary(handle, reinterpret_cast<PluginEntryProc>(symbol)));
}

PluginLibrary::~PluginLibrary()
{
    dlclose(handle);
}
