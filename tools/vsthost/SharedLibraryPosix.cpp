// Loads a shared object with the dynamic linker.
#include "SharedLibrary.h"

#include <dlfcn.h>

std::unique_ptr<SharedLibrary> SharedLibrary::open(const std::string& path, std::string& error)
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
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary()
{
    dlclose(handle);
}

void* SharedLibrary::symbol(const char* name) const
{
    return dlsym(handle, name);
}
