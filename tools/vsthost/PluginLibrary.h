// A loaded VST plug-in module and its entry point.
#pragma once

#include "EffectRecord.h"
#include "SharedLibrary.h"

#include <memory>
#include <string>
#include <utility>

/// Signature of a plug-in's exported entry point.
using PluginEntryProc = AEffect* (*)(audioMasterCallback host);

class PluginLibrary
{
public:
    /// Loads the module at path; returns null and fills error when it cannot be loaded or has no entry point.
    static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);

    PluginEntryProc entryPoint() const { return entry; }

private:
    PluginLibrary(std::unique_ptr<SharedLibrary> module, PluginEntryProc entryProc)
        : library(std::move(module)), entry(entryProc)
    {
    }

    std::unique_ptr<SharedLibrary> library;
    PluginEntryProc entry;
};
