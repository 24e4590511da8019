// The ten parameters in the settings file: the plug-in's 40-byte state, nothing around it.
#pragma once

#include "Parameters.h"

#include <string>

namespace qm07
{

/// Main thread; allocates. Reads `path` into `values`: true when the file held a state. A missing file
/// leaves `values` alone silently; a broken or foreign one (another size) too, with `message` saying so.
bool loadState(const std::string& path, ParameterValues& values, std::string& message);
/// Main thread; allocates. Replaces the file whole (see replaceFile); false with `error` when it cannot.
bool saveState(const std::string& path, const ParameterValues& values, std::string& error);

} // namespace qm07
