// A loaded shared library and its exports, for plug-ins of every format; one implementation per platform.
#pragma once

#include <memory>
#include <string>

class SharedLibrary
{
public:
    /// Main thread. Null, with the loader's reason in error, when path cannot be loaded.
    static std::unique_ptr<SharedLibrary> open(const std::string& path, std::string& error);
    ~SharedLibrary();

    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    /// The address of an exported function or object, or null.
    void* symbol(const char* name) const;

private:
    explicit SharedLibrary(void* moduleHandle) : handle(moduleHandle) {}

    void* handle;
};
