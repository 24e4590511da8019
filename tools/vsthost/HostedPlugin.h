// One plug-in instance driven the way a host drives it: set-up, parameters, texts, state and audio.
#pragma once

#include "EffectRecord.h"
#include "PluginInstance.h"
#include "PluginLibrary.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

/// Also the VST side of the format-neutral interface, whose values are the normalized ones; its edits and
/// requests arrive on the thread that makes them.
class HostedPlugin : public PluginInstance
{
public:
    /// Loads the module, creates an instance through its entry point and opens it (effOpen).
    static std::unique_ptr<HostedPlugin> load(const std::string& path, std::string& error);
    /// Closes the instance unless close() already did, then unloads the module.
    ~HostedPlugin() override;

    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    AEffect& effect() { return *record; }
    const AEffect& effect() const { return *record; }
    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f);

    /// Sets sample rate and block size, then switches the instance on (effMainsChanged 1).
    void start(double rate, int frames) override;
    /// Switches the instance off (effMainsChanged 0); does nothing when it is off.
    void stop() override;
    /// Switches the instance off and sends effClose, which ends its life; returns effClose's answer.
    /// Nothing but the destructor may be called afterwards.
    std::intptr_t close();
    double sampleRate() const override { return rate; }
    int blockSize() const override { return maxBlock; }

    std::string effectName();
    std::string vendorName();
    std::string productName();
    std::string programName();
    std::int32_t vendorVersion();
    /// The editor's size from effEditGetRect; false, leaving width and height alone, when it gives none.
    bool editorSize(int& width, int& height) override;

    std::string parameterName(int index) override;
    std::string parameterLabel(int index);
    std::string parameterDisplay(int index);
    float parameter(int index);
    void setParameter(int index, float value);

    /// Copy of the state chunk (effGetChunk); empty when the plug-in offers none.
    std::vector<std::uint8_t> chunk(bool preset = false);
    void setChunk(const std::vector<std::uint8_t>& bytes, bool preset = false);

    bool canDoubleReplacing() const { return (record->flags & effFlagsCanDoubleReplacing) != 0; }
    /// Runs processReplacing over frames, in calls of at most blockSize frames; buffers may be shared.
    void processFloat(float* const* inputs, float* const* outputs, std::size_t frames);
    void processDouble(double* const* inputs, double* const* outputs, std::size_t frames);

    /// Host-side part of the callback: answers a request of this instance.
    std::intptr_t answer(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr, float opt);
    /// How many requests with this opcode the instance has made since it was created.
    int requestCount(std::int32_t opcode) const;

    /// Sees every request of the instance, on the thread that makes it, so it must be safe on any thread.
    using RequestObserver = std::function<void(std::int32_t opcode, std::int32_t index, float opt)>;
    /// Set it while the instance makes no requests (before the editor opens and audio starts).
    void observeRequests(RequestObserver observer) { requestObserver = std::move(observer); }

    PluginFormat format() const override { return PluginFormat::Vst; }
    std::string name() override { return effectName(); }
    int inputCount() const override { return record->numInputs; }
    int outputCount() const override { return record->numOutputs; }
    bool canProcessFloat() const override { return record->processReplacing != nullptr; }
    bool canProcessDouble() const override { return canDoubleReplacing() && record->processDoubleReplacing; }
    int parameterCount() const override { return record->numParams; }
    ParameterRange parameterRange(int index) override;
    double parameterValue(int index) override { return parameter(index); }
    void setParameterValue(int index, double value) override
    {
        setParameter(index, static_cast<float>(value));
    }
    std::string parameterText(int index) override;
    bool keepsState() const override { return (record->flags & effFlagsProgramChunks) != 0; }
    std::vector<std::uint8_t> saveState() override { return chunk(); }
    bool loadState(const std::vector<std::uint8_t>& bytes) override;
    void processBlock(float* const* inputs, float* const* outputs, int frames, const ParameterChange* changes,
                      std::size_t changeCount) override;
    void processBlock(double* const* inputs, double* const* outputs, int frames,
                      const ParameterChange* changes, std::size_t changeCount) override;
    bool hasEditor() override { return (record->flags & effFlagsHasEditor) != 0; }
    bool openEditor(void* parent) override { return dispatch(effEditOpen, 0, 0, parent) != 0; }
    void idleEditor() override { dispatch(effEditIdle); }
    double idlePeriod() override;
    void closeEditor() override { dispatch(effEditClose); }
    /// Replaces any request observer: edits are requests.
    void observeEdits(EditObserver observer) override;

private:
    HostedPlugin(std::unique_ptr<PluginLibrary> module, AEffect* effect);
    std::string readText(std::int32_t opcode, std::int32_t index);

    // Declared first so the module is unloaded only after the instance is gone.
    std::unique_ptr<PluginLibrary> library;
    AEffect* record;
    double rate = 44100.0;
    int maxBlock = 1024;
    bool running = false;
    std::array<std::atomic<int>, 64> requests{};
    RequestObserver requestObserver;
};

/// The callback handed to every plug-in's entry point.
std::intptr_t hostCallback(AEffect* effect, std::int32_t opcode, std::int32_t index, std::intptr_t value,
                           void* ptr, float opt);
