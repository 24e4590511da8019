// A loaded .clap file: its entry initialised for as long as the library is held, and its plug-in factory.
#pragma once

#include "SharedLibrary.h"
#include "abi/Entry.h"

#include <memory>
#include <string>
#include <utility>

class ClapLibrary
{
public:
    /// Main thread. Loads path, finds clap_entry, checks its version and calls its init; null with the
    /// reason in error when any of that fails or the library offers no plug-in factory.
    static std::unique_ptr<ClapLibrary> load(const std::string& path, std::string& error);
    /// Main thread. deinit, then unload.
    ~ClapLibrary();

    ClapLibrary(const ClapLibrary&) = delete;
    ClapLibrary& operator=(const ClapLibrary&) = delete;

    const qm07::clap::clap_plugin_factory& factory() const { return *plugins; }

private:
    ClapLibrary(std::unique_ptr<SharedLibrary> module, const qm07::clap::clap_plugin_entry* entry)
        : library(std::move(module)), object(entry)
    {
    }

    std::unique_ptr<SharedLibrary> library;
    const qm07::clap::clap_plugin_entry* object;
    const qm07::clap::clap_plugin_factory* plugins = nullptr;
    bool initialised = false;
};
