// One LV2 plug-in found through lilv (LV2_PATH), instantiated with its control ports at their defaults.
#pragma once

#include <lilv/lilv.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Lv2Session
{
public:
    /// Null, with the reason in `error`, when the URI names no plug-in that instantiates at `rate`. Runs are
    /// promised to be no longer than `largestBlock` frames (the buf-size options).
    static std::unique_ptr<Lv2Session> open(const std::string& uri, double rate, std::uint32_t largestBlock,
                                            std::string& error);
    ~Lv2Session();

    /// false when the plug-in has no control input of that symbol.
    bool setControl(const std::string& symbol, float value);
    /// The preset's port values; false when no preset of that URI is found.
    bool applyPreset(const std::string& uri);
    /// Audio ports in index order, inputs and outputs apart.
    std::size_t audioInputs() const { return inputPorts.size(); }
    std::size_t audioOutputs() const { return outputPorts.size(); }
    void activate() { lilv_instance_activate(instance); }
    void deactivate() { lilv_instance_deactivate(instance); }
    /// Runs one block on planar buffers, one per audio port.
    void run(const std::vector<const float*>& in, const std::vector<float*>& out, std::uint32_t frames);
    /// Control outputs as SYMBOL=VALUE, in port order.
    std::vector<std::string> controlOutputs() const;

    std::uint32_t mapUri(const char* uri);

private:
    Lv2Session() = default;
    bool instantiate(const std::string& uri, double rate, std::uint32_t largestBlock, std::string& error);
    void describeOptions(double rate, std::uint32_t largestBlock);
    void connectControls();

    LilvWorld* world = lilv_world_new();
    const LilvPlugin* plugin = nullptr;
    LilvInstance* instance = nullptr;
    LV2_URID_Map uridMap{};
    LV2_Feature mapFeature{};
    // The rate and block lengths as options, for plug-ins that require them (those made with DPF among them).
    float optionRate = 0.0f;
    std::int32_t optionBlock = 0;
    std::int32_t optionMinimum = 1;
    std::array<LV2_Options_Option, 5> options{};
    LV2_Feature optionsFeature{};
    LV2_Feature boundedFeature{};
    std::vector<std::string> uris;
    std::vector<float> controls;
    std::vector<std::uint32_t> inputPorts;
    std::vector<std::uint32_t> outputPorts;
};
