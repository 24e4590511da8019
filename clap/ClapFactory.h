// The plug-in factory and the one descriptor it lists.
#pragma once

#include "abi/Entry.h"

namespace qm07
{
const clap::clap_plugin_descriptor& clapDescriptor();
const clap::clap_plugin_factory& clapFactory();
} // namespace qm07
