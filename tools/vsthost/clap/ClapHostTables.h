// The host's function tables: clap_host itself and one static table per host extension we offer.
#pragma once

#include "abi/Plugin.h"

class ClapHostContext;

/// The clap_host record of one instance; every function finds the context through host_data.
qm07::clap::clap_host hostTable(ClapHostContext* context);
/// Any thread. The static table of the host extension id names, or null when there is none.
const void* hostExtension(const char* id);
