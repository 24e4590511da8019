// Finding a parameter by the name a user typed, in any format.
#pragma once

#include "PluginInstance.h"

#include <string>

/// Main thread. Index of the parameter with this name (case-insensitive, outer spaces ignored), or -1.
int findParameterNamed(PluginInstance& plugin, const std::string& name);
