// Chooses the format by the file: a .clap file is a CLAP plug-in, anything else a VST 2.4 one.
#pragma once

#include "PluginInstance.h"

#include <memory>
#include <string>

bool isClapPath(const std::string& path);
/// Main thread. Loads the module and makes one instance of its (first) plug-in; null with the reason in
/// error when it cannot.
std::unique_ptr<PluginInstance> loadPlugin(const std::string& path, std::string& error);
