// The plug-in's extension tables, looked up by id; each table lives with the code it calls.
#pragma once

#include "abi/ext/Gui.h"
#include "abi/ext/Params.h"
#include "abi/ext/State.h"
#include "abi/ext/TimerSupport.h"

namespace qm07
{
/// Any thread; a static table, or null for an id this plug-in does not offer.
const void* clapExtension(const char* id);

extern const clap::clap_plugin_params kParamsExtension;
extern const clap::clap_plugin_state kStateExtension;
extern const clap::clap_plugin_gui kGuiExtension;
extern const clap::clap_plugin_timer_support kTimerExtension;
} // namespace qm07
