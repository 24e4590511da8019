// Finding, instantiating and wiring the plug-in; presets come through lilv's own state loading.
#include "Lv2Session.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/parameters/parameters.h>
#include <lv2/urid/urid.h>

#include <cmath>

namespace
{
LV2_URID mapCallback(LV2_URID_Map_Handle handle, const char* uri)
{
    return static_cast<Lv2Session*>(handle)->mapUri(uri);
}

struct PresetTarget
{
    Lv2Session* session;
    std::uint32_t floatType, doubleType, intType;
};

void setPresetValue(const char* symbol, void* data, const void* value, std::uint32_t, std::uint32_t type)
{
    auto& target = *static_cast<PresetTarget*>(data);
    if (type == target.floatType) target.session->setControl(symbol, *static_cast<const float*>(value));
    if (type == target.doubleType)
        target.session->setControl(symbol, static_cast<float>(*static_cast<const double*>(value)));
    if (type == target.intType)
        target.session->setControl(symbol, static_cast<float>(*static_cast<const std::int32_t*>(value)));
}
} // namespace

std::unique_ptr<Lv2Session> Lv2Session::open(const std::string& uri, double rate, std::uint32_t largestBlock,
                                             std::string& error)
{
    std::unique_ptr<Lv2Session> session(new Lv2Session);
    if (!session->instantiate(uri, rate, largestBlock, error)) return nullptr;
    return session;
}

Lv2Session::~Lv2Session()
{
    if (instance) lilv_instance_free(instance);
    lilv_world_free(world);
}

bool Lv2Session::instantiate(const std::string& uri, double rate, std::uint32_t largestBlock,
                             std::string& error)
{
    lilv_world_load_all(world);
    LilvNode* node = lilv_new_uri(world, uri.c_str());
    plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), node);
    lilv_node_free(node);
    if (!plugin)
    {
        error = "no LV2 plug-in " + uri + " in LV2_PATH";
        return false;
    }
    // The map and the options live as long as the session, so a plug-in may keep them.
    uridMap = {this, mapCallback};
    mapFeature = {LV2_URID__map, &uridMap};
    describeOptions(rate, largestBlock);
    const LV2_Feature* features[] = {&mapFeature, &optionsFeature, &boundedFeature, nullptr};
    instance = lilv_plugin_instantiate(plugin, rate, features);
    if (!instance)
    {
        error = "the plug-in " + uri + " does not instantiate";
        return false;
    }
    connectControls();
    return true;
}

void Lv2Session::describeOptions(double rate, std::uint32_t largestBlock)
{
    optionRate = static_cast<float>(rate);
    optionBlock = static_cast<std::int32_t>(largestBlock);
    const LV2_URID intType = mapUri(LV2_ATOM__Int);
    const auto option = [&](const char* key, const void* value, LV2_URID type)
    { return LV2_Options_Option{LV2_OPTIONS_INSTANCE, 0, mapUri(key), 4, type, value}; };
    options = {option(LV2_BUF_SIZE__maxBlockLength, &optionBlock, intType),
               option(LV2_BUF_SIZE__nominalBlockLength, &optionBlock, intType),
               option(LV2_BUF_SIZE__minBlockLength, &optionMinimum, intType),
               option(LV2_PARAMETERS__sampleRate, &optionRate, mapUri(LV2_ATOM__Float)),
               LV2_Options_Option{}};
    optionsFeature = {LV2_OPTIONS__options, options.data()};
    boundedFeature = {LV2_BUF_SIZE__boundedBlockLength, nullptr};
}

void Lv2Session::connectControls()
{
    const std::uint32_t count = lilv_plugin_get_num_ports(plugin);
    controls.assign(count, 0.0f);
    std::vector<float> defaults(count, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    LilvNode* audio = lilv_new_uri(world, LV2_CORE__AudioPort);
    LilvNode* control = lilv_new_uri(world, LV2_CORE__ControlPort);
    LilvNode* input = lilv_new_uri(world, LV2_CORE__InputPort);
    for (std::uint32_t index = 0; index < count; ++index)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
        const bool isInput = lilv_port_is_a(plugin, port, input);
        if (lilv_port_is_a(plugin, port, audio)) (isInput ? inputPorts : outputPorts).push_back(index);
        if (!lilv_port_is_a(plugin, port, control)) continue;
        controls[index] = isInput && !std::isnan(defaults[index]) ? defaults[index] : 0.0f;
        lilv_instance_connect_port(instance, index, &controls[index]);
    }
    lilv_node_free(audio);
    lilv_node_free(control);
    lilv_node_free(input);
}

bool Lv2Session::setControl(const std::string& symbol, float value)
{
    LilvNode* node = lilv_new_string(world, symbol.c_str());
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, node);
    lilv_node_free(node);
    if (!port) return false;
    controls[lilv_port_get_index(plugin, port)] = value;
    return true;
}

bool Lv2Session::applyPreset(const std::string& uri)
{
    LilvNode* node = lilv_new_uri(world, uri.c_str());
    lilv_world_load_resource(world, node);
    LilvState* state = lilv_state_new_from_world(world, &uridMap, node);
    lilv_node_free(node);
    if (!state) return false;
    PresetTarget target{this, mapUri(LV2_ATOM__Float), mapUri(LV2_ATOM__Double), mapUri(LV2_ATOM__Int)};
    lilv_state_emit_port_values(state, setPresetValue, &target);
    lilv_state_free(state);
    return true;
}

void Lv2Session::run(const std::vector<const float*>& in, const std::vector<float*>& out,
                     std::uint32_t frames)
{
    for (std::size_t n = 0; n < inputPorts.size(); ++n)
        lilv_instance_connect_port(instance, inputPorts[n], const_cast<float*>(in[n]));
    for (std::size_t n = 0; n < outputPorts.size(); ++n)
        lilv_instance_connect_port(instance, outputPorts[n], out[n]);
    lilv_instance_run(instance, frames);
}

std::vector<std::string> Lv2Session::controlOutputs() const
{
    std::vector<std::string> lines;
    LilvNode* control = lilv_new_uri(world, LV2_CORE__ControlPort);
    LilvNode* output = lilv_new_uri(world, LV2_CORE__OutputPort);
    for (std::uint32_t index = 0; index < controls.size(); ++index)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
        if (!lilv_port_is_a(plugin, port, control) || !lilv_port_is_a(plugin, port, output)) continue;
        lines.push_back(std::string(lilv_node_as_string(lilv_port_get_symbol(plugin, port))) + "=" +
                        std::to_string(controls[index]));
    }
    lilv_node_free(control);
    lilv_node_free(output);
    return lines;
}

std::uint32_t Lv2Session::mapUri(const char* uri)
{
    for (std::size_t n = 0; n < uris.size(); ++n)
        if (uris[n] == uri) return static_cast<std::uint32_t>(n + 1);
    uris.emplace_back(uri);
    return static_cast<std::uint32_t>(uris.size());
}
