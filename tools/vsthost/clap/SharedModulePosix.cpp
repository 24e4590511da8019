// Shared objects through the dynamic linker.
#include "SharedModule.h"

#include <dlfcn.h>

void* SharedModule::open(const std::string& path, std::string& error)
{
    // A bare file name would send dlopen searching the library path; the user means this directory.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    // RTLD_LOCAL keeps two plug-ins from resolving each other's symbols.
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
    {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load " + path;
    }
    return module;
}

void* SharedModule::symbol(void* module, const char* name)
{
    return dlsym(module, name);
}

void SharedModule::close(void* module)
{
    dlclose(module);
}
