// A loaded .clap file and its entry object; one implementation per platform.
#pragma once

#include "abi/Entry.h"

#include <string>

class ClapModule
{
public:
    /// Loads path; entry() is null (and error says why) when it cannot be loaded or exports no clap_entry.
    explicit ClapModule(const std::string& path);
    ~ClapModule();
    ClapModule(const ClapModule&) = delete;
    ClapModule& operator=(const ClapModule&) = delete;

    const qm07::clap::clap_plugin_entry* entry() const { return object; }
    const std::string& error() const { return reason; }

private:
    void* handle = nullptr;
    const qm07::clap::clap_plugin_entry* object = nullptr;
    std::string reason;
};
