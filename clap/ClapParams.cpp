// params: ids are the core's indices, values are real units with ∞:1 as 100, texts are the core's.
#include "ClapEvents.h"
#include "ClapExtensions.h"
#include "ClapPlugin.h"
#include "HostValues.h"

#include <cmath>
#include <cstdio>

namespace qm07
{

namespace
{
/// Main thread; no allocation.
std::uint32_t count(const clap::clap_plugin* p)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("params.count");
    return kNumParams;
}

/// Main thread; no allocation. No cookies: events find their parameter by id.
bool getInfo(const clap::clap_plugin* p, std::uint32_t index, clap::clap_param_info* info)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("params.get_info");
    if (!isParameterIndex(index) || !info) return false;
    const auto id = static_cast<std::int32_t>(index);
    const ParameterInfo& parameter = kParameters[id];
    *info = {};
    info->id = index;
    info->flags = clap::CLAP_PARAM_IS_AUTOMATABLE;
    if (parameter.positions > 0) info->flags |= clap::CLAP_PARAM_IS_STEPPED | clap::CLAP_PARAM_IS_ENUM;
    std::snprintf(info->name, sizeof info->name, "%s", parameter.name);
    info->min_value = hostMinimum(id);
    info->max_value = hostMaximum(id);
    info->default_value = hostValueOf(id, parameter.defaultValue);
    return true;
}

/// Main thread; no allocation. Whatever changed it last: host events, the editor or a state.
bool getValue(const clap::clap_plugin* p, clap::clap_id id, double* value)
{
    ClapPlugin& self = ClapPlugin::of(p);
    self.hostAccess().expectMainThread("params.get_value");
    if (!isParameterIndex(id) || !value) return false;
    const auto index = static_cast<std::int32_t>(id);
    *value = hostValueOf(index, self.values().value(index));
    return true;
}

/// Main thread; no allocation. Values outside the range read as its nearest end.
bool valueToText(const clap::clap_plugin* p, clap::clap_id id, double value, char* text, std::uint32_t size)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("params.value_to_text");
    if (!isParameterIndex(id) || std::isnan(value)) return false;
    const auto index = static_cast<std::int32_t>(id);
    return formatValue(index, storedFromHost(index, value, 0.0f), text, size);
}

/// Main thread; no allocation. Reads every text valueToText writes, with or without the unit.
bool textToValue(const clap::clap_plugin* p, clap::clap_id id, const char* text, double* value)
{
    ClapPlugin::of(p).hostAccess().expectMainThread("params.text_to_value");
    if (!isParameterIndex(id) || !text || !value) return false;
    const auto index = static_cast<std::int32_t>(id);
    float normalized = kParameters[index].defaultValue;
    if (!parseValue(index, text, normalized)) return false;
    *value = hostValueOf(index, normalized);
    return true;
}

/// Main thread while inactive, audio thread while active and not processing; no allocation either way.
void flush(const clap::clap_plugin* p, const clap::clap_input_events* in, const clap::clap_output_events* out)
{
    ClapPlugin& self = ClapPlugin::of(p);
    forEachHostChange(in, [&self](const HostChange& change) { applyHostChange(change, self.values()); });
    sendEdits(self.edits(), out);
}
} // namespace

const clap::clap_plugin_params kParamsExtension = {count, getInfo, getValue, valueToText, textToValue, flush};

} // namespace qm07
