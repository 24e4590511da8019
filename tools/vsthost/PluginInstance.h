// The host's view of one plug-in instance, whatever its format: identity, parameters, state, audio, editor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class PluginFormat
{
    Vst,
    Clap,
};

/// A parameter's range in the format's own values: 0 to 1 for VST, plain values in real units for CLAP.
struct ParameterRange
{
    double minimum = 0.0;
    double maximum = 1.0;
    double defaultValue = 0.0; ///< NaN when the format does not tell
    bool stepped = false;
};

/// A parameter change that takes effect at a frame of one process call.
struct ParameterChange
{
    std::uint32_t frame = 0;
    int index = 0;
    double value = 0.0;
};

/// What an editor reports to the host: the begin and end of a gesture, and each value set.
struct EditReport
{
    enum class Kind
    {
        Begin,
        Value,
        End,
    };
    Kind kind = Kind::Value;
    int index = 0;
    double value = 0.0;
};

/// Receives the editor's reports; see each format for the thread it runs on.
using EditObserver = std::function<void(const EditReport& report)>;

/// Every function belongs to the host's main thread unless it says otherwise. Parameters are addressed by
/// index (0 to parameterCount() - 1) in every format.
class PluginInstance
{
public:
    virtual ~PluginInstance() = default;

    virtual PluginFormat format() const = 0;
    virtual std::string name() = 0;

    /// Audio channels over all ports.
    virtual int inputCount() const = 0;
    virtual int outputCount() const = 0;
    virtual bool canProcessFloat() const = 0;
    virtual bool canProcessDouble() const = 0;
    /// Whether inputs and outputs may share memory.
    virtual bool canProcessInPlace() const { return true; }

    virtual int parameterCount() const = 0;
    virtual std::string parameterName(int index) = 0;
    virtual ParameterRange parameterRange(int index) = 0;
    virtual double parameterValue(int index) = 0;
    /// While started, the value reaches the plug-in with the next block.
    virtual void setParameterValue(int index, double value) = 0;
    /// The current value as the plug-in shows it, with its unit.
    virtual std::string parameterText(int index) = 0;

    virtual bool keepsState() const = 0;
    /// Empty when the plug-in gives nothing.
    virtual std::vector<std::uint8_t> saveState() = 0;
    virtual bool loadState(const std::vector<std::uint8_t>& bytes) = 0;

    /// Prepares processing at rate in blocks of at most maxBlock frames.
    virtual void start(double rate, int maxBlock) = 0;
    /// Ends processing; does nothing when not started. Call it once the audio thread has finished.
    virtual void stop() = 0;
    virtual double sampleRate() const = 0;
    virtual int blockSize() const = 0;
    /// Audio thread; no allocation. One block of at most blockSize() frames; changes sorted by frame, each
    /// within the block. Inputs and outputs may share memory.
    virtual void processBlock(float* const* inputs, float* const* outputs, int frames,
                              const ParameterChange* changes, std::size_t changeCount) = 0;
    virtual void processBlock(double* const* inputs, double* const* outputs, int frames,
                              const ParameterChange* changes, std::size_t changeCount) = 0;
    /// Blocks that failed since start (their outputs were silenced).
    virtual std::size_t failedBlocks() const { return 0; }

    virtual bool hasEditor() = 0;
    /// The editor's size; false, leaving width and height alone, when it tells none.
    virtual bool editorSize(int& width, int& height) = 0;
    /// Opens the editor inside parent (an X11 window id or an HWND).
    virtual bool openEditor(void* parent) = 0;
    /// One pass of the editor's idle work; the host calls it every idlePeriod() seconds while it is open.
    virtual void idleEditor() = 0;
    virtual double idlePeriod() = 0;
    virtual void closeEditor() = 0;
    /// A size the editor asked its window to take since the last call.
    virtual bool takeResizeRequest(int& /*width*/, int& /*height*/) { return false; }
    /// Set it before the editor opens and audio starts.
    virtual void observeEdits(EditObserver observer) = 0;

    /// Lines the plug-in logged and faults the host saw in it since the last call, oldest first.
    virtual std::vector<std::string> takeMessages() { return {}; }
};
