// What vsthost info prints for a CLAP plug-in.
#pragma once

#include "ClapInstance.h"

#include <string>

/// Main thread. Descriptor, extensions, ports, latency, the window APIs the editor supports, and every
/// parameter with its range, default and texts.
void printClapInfo(ClapInstance& plugin, const std::string& path);
