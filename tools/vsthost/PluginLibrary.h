// A loaded plug-in module and its entry point; one implementation per platform.
#pragma once

#include "EffectRecord.h"

#include <memory>
#include <string>

/// Signature of a plug-in's exported entry point.
using PluginEntryProc = AEffect* (*)(audioMasterCallback host);

class PluginLibrary
{
public:
    /// Loads the module at path; returns null and fills error when it cannot be loaded or has no entry point.
    static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
    ~PluginLibrary();

    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    PluginEntryProc entryPoint() const { return entry; }

private:
    PluginLibrary(void* moduleHandle, PluginEntryProc entryProc) : handle(moduleHandle), entry(entryProc) {}

    void* handle;
    PluginEntryProc entry;
};
