// One CLAP plug-in instance behind the format-neutral interface: lifecycle, parameters in plain values,
// state through streams, audio with value events at their frames, and the embedded editor pumped by the
// host's timers (and, on Linux, its descriptors).
#pragma once

#include "ClapEvents.h"
#include "ClapHostContext.h"
#include "ClapLibrary.h"
#include "PluginInstance.h"
#include "SpscRing.h"
#include "abi/ext/AudioPorts.h"
#include "abi/ext/Gui.h"
#include "abi/ext/Latency.h"
#include "abi/ext/Params.h"
#include "abi/ext/PosixFdSupport.h"
#include "abi/ext/State.h"
#include "abi/ext/TimerSupport.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

/// The main thread is the thread that loads the instance. Edits are reported on the main thread, during
/// idleEditor() and the calls that run the plug-in's main-thread work.
class ClapInstance final : public PluginInstance
{
public:
    using MessageSink = ClapHostContext::MessageSink;

    /// Loads path, creates the factory's first plug-in and initialises it. Messages go to sink when one
    /// is given (it must be thread-safe), else they wait for takeMessages().
    static std::unique_ptr<ClapInstance> load(const std::string& path, std::string& error,
                                              MessageSink sink = {});
    /// Closes the editor, stops, destroys the plug-in and unloads the library.
    ~ClapInstance() override;

    PluginFormat format() const override { return PluginFormat::Clap; }
    std::string name() override;
    int inputCount() const override { return channelTotal(inputPorts); }
    int outputCount() const override { return channelTotal(outputPorts); }
    bool canProcessFloat() const override { return true; }
    bool canProcessDouble() const override;
    bool canProcessInPlace() const override;

    int parameterCount() const override { return static_cast<int>(parameters.size()); }
    std::string parameterName(int index) override;
    ParameterRange parameterRange(int index) override;
    double parameterValue(int index) override;
    void setParameterValue(int index, double value) override;
    std::string parameterText(int index) override;

    bool keepsState() const override { return state != nullptr; }
    std::vector<std::uint8_t> saveState() override;
    bool loadState(const std::vector<std::uint8_t>& bytes) override { return loadStateInPieces(bytes, 0); }

    void start(double rate, int maxBlock) override;
    void stop() override;
    double sampleRate() const override { return rate; }
    int blockSize() const override { return maxFrames; }
    /// Audio thread; no allocation. The first block after start() starts processing.
    void processBlock(float* const* inputs, float* const* outputs, int frames, const ParameterChange* changes,
                      std::size_t changeCount) override;
    void processBlock(double* const* inputs, double* const* outputs, int frames,
                      const ParameterChange* changes, std::size_t changeCount) override;
    std::size_t failedBlocks() const override { return failures.load(); }

    bool hasEditor() override;
    /// Creates the editor when it does not exist yet, so a host can size its window before embedding.
    bool editorSize(int& width, int& height) override;
    bool openEditor(void* parent) override;
    /// Runs due timers, ready descriptors, requested callbacks and flushes, and reports edits.
    void idleEditor() override { serviceMainThread(); }
    double idlePeriod() override;
    void closeEditor() override;
    bool takeResizeRequest(int& width, int& height) override
    {
        return context->takeResizeRequest(width, height);
    }
    void observeEdits(EditObserver observer) override { editObserver = std::move(observer); }
    std::vector<std::string> takeMessages() override;

    // What only CLAP has, for info and the battery's CLAP checks.
    const qm07::clap::clap_plugin_descriptor& descriptor() const { return *plugin->desc; }
    const std::vector<qm07::clap::clap_audio_port_info>& ports(bool input) const
    {
        return input ? inputPorts : outputPorts;
    }
    const qm07::clap::clap_param_info& parameterInfo(int index) const { return parameters[index]; }
    /// The plug-in's text for any value; false when it gives none. capacity is what it is told it has.
    bool valueToText(int index, double value, char* text, std::uint32_t capacity);
    bool textToValue(int index, const char* text, double& value);
    bool guiSupports(const char* api, bool floating) const;
    /// Whether the plug-in answers get_extension for id.
    bool offersExtension(const char* id) const { return plugin->get_extension(plugin, id) != nullptr; }
    /// False while inactive: CLAP gives the latency only while active.
    bool latency(std::uint32_t& frames) const;
    /// Loads bytes handing them out at most piece bytes per read (0: all at once).
    bool loadStateInPieces(const std::vector<std::uint8_t>& bytes, std::size_t piece);

private:
    struct QueuedChange
    {
        qm07::clap::clap_id param = 0;
        double value = 0.0;
    };

    ClapInstance(std::unique_ptr<ClapLibrary> module, MessageSink sink);
    bool create(std::string& error);
    void readExtensions();
    static int channelTotal(const std::vector<qm07::clap::clap_audio_port_info>& ports);
    std::vector<qm07::clap::clap_audio_port_info> readPorts(bool input) const;
    int indexOf(qm07::clap::clap_id param) const;
    void flushOnMainThread();
    void serviceMainThread();
    void reportEvents();
    void report(const ClapReportedEvent& event);
    void runTimersAndDescriptors();
    bool createEditor();
    void destroyEditor();
    template <typename Sample>
    void processAs(Sample* const* inputs, Sample* const* outputs, int frames, const ParameterChange* changes,
                   std::size_t changeCount);
    void fillEvents(const ParameterChange* changes, std::size_t changeCount, std::uint32_t frames);
    template <typename Sample> void silence(Sample* const* outputs, int frames);

    // Declared first so the library outlives the context and the instance.
    std::unique_ptr<ClapLibrary> library;
    std::unique_ptr<ClapHostContext> context;
    const qm07::clap::clap_plugin* plugin = nullptr;
    const qm07::clap::clap_plugin_audio_ports* audioPorts = nullptr;
    const qm07::clap::clap_plugin_params* params = nullptr;
    const qm07::clap::clap_plugin_state* state = nullptr;
    const qm07::clap::clap_plugin_gui* gui = nullptr;
    const qm07::clap::clap_plugin_timer_support* timerSupport = nullptr;
    const qm07::clap::clap_plugin_posix_fd_support* fdSupport = nullptr;
    const qm07::clap::clap_plugin_latency* latencyExtension = nullptr;
    std::vector<qm07::clap::clap_audio_port_info> inputPorts;
    std::vector<qm07::clap::clap_audio_port_info> outputPorts;
    std::vector<qm07::clap::clap_param_info> parameters;
    std::vector<bool> gestureOpen;

    double rate = 0.0;
    int maxFrames = 0;
    bool active = false;
    bool processing = false;
    bool editorCreated = false;
    std::int64_t steadyTime = 0;
    std::vector<qm07::clap::clap_audio_buffer> inputBuffers;
    std::vector<qm07::clap::clap_audio_buffer> outputBuffers;
    ClapInputEvents inputEvents;
    ClapOutputEvents outputEvents;
    SpscRing<QueuedChange, 1024> queued;
    std::atomic<std::size_t> failures{0};
    std::atomic<std::size_t> droppedChanges{0};
    EditObserver editObserver;
};
