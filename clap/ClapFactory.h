// The plug-in factory and the one descriptor it lists.
#pragma once

#include "abi/Entry.h"

namespace qm07
{
extern const clap::clap_plugin_descriptor kClapDescriptor;
extern const clap::clap_plugin_factory kClapFactory;
} // namespace qm07
