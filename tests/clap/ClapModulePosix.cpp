// Loads a .clap with the dynamic linker.
#include "ClapModule.h"

#include <dlfcn.h>

ClapModule::ClapModule(const std::string& path)
{
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        reason = dlerror();
        return;
    }
    object = static_cast<const qm07::clap::clap_plugin_entry*>(dlsym(handle, "clap_entry"));
    if (!object) reason = path + " exports no clap_entry";
}

ClapModule::~ClapModule()
{
    if (handle) dlclose(handle);
}
