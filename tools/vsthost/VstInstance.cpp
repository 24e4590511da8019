// The VST side of the format-neutral interface: normalized values, the bank chunk as state, and process
// calls split where a parameter changes or a block ends.
#include "HostedPlugin.h"

#include <algorithm>
#include <array>
#include <limits>

namespace
{
// No host offers more channels than this to one plug-in.
constexpr std::size_t kMostChannels = 128;

template <typename Sample> struct ReplacingCall
{
    void (*process)(AEffect*, Sample**, Sample**, std::int32_t);
    AEffect* effect;
    Sample* const* inputs;
    Sample* const* outputs;

    /// frames frames from offset on; the whole block goes through as given, without copying the pointers.
    void run(std::size_t offset, int frames) const
    {
        if (offset == 0)
        {
            process(effect, const_cast<Sample**>(inputs), const_cast<Sample**>(outputs), frames);
            return;
        }
        std::array<Sample*, kMostChannels> in{};
        std::array<Sample*, kMostChannels> out{};
        for (std::size_t c = 0; c < kMostChannels && c < static_cast<std::size_t>(effect->numInputs); ++c)
            in[c] = inputs[c] + offset;
        for (std::size_t c = 0; c < kMostChannels && c < static_cast<std::size_t>(effect->numOutputs); ++c)
            out[c] = outputs[c] + offset;
        process(effect, in.data(), out.data(), frames);
    }
};

/// Sets each change just before the frame it belongs to, so the calls split there; a block of 0 frames
/// still makes one call.
template <typename Sample>
void processSplit(HostedPlugin& plugin, const ReplacingCall<Sample>& call, int frames,
                  const ParameterChange* changes, std::size_t changeCount)
{
    int done = 0;
    for (std::size_t i = 0; i < changeCount; ++i)
    {
        const int at = std::min(static_cast<int>(changes[i].frame), frames);
        if (at > done) call.run(done, at - done);
        done = std::max(done, at);
        plugin.setParameter(changes[i].index, static_cast<float>(changes[i].value));
    }
    if (done < frames || frames == 0) call.run(done, frames - done);
}

template <typename Sample>
void processInBlocks(const ReplacingCall<Sample>& call, std::size_t frames, int blockSize)
{
    const auto block = static_cast<std::size_t>(blockSize);
    for (std::size_t done = 0; done < frames; done += block)
        call.run(done, static_cast<int>(std::min(frames - done, block)));
}
} // namespace

ParameterRange HostedPlugin::parameterRange(int)
{
    return {0.0, 1.0, std::numeric_limits<double>::quiet_NaN(), false};
}

std::string HostedPlugin::parameterText(int index)
{
    const std::string label = parameterLabel(index);
    return parameterDisplay(index) + (label.empty() ? "" : " ") + label;
}

bool HostedPlugin::loadState(const std::vector<std::uint8_t>& bytes)
{
    setChunk(bytes);
    return true;
}

void HostedPlugin::processBlock(float* const* inputs, float* const* outputs, int frames,
                                const ParameterChange* changes, std::size_t changeCount)
{
    processSplit(*this, ReplacingCall<float>{record->processReplacing, record, inputs, outputs}, frames,
                 changes, changeCount);
}

void HostedPlugin::processBlock(double* const* inputs, double* const* outputs, int frames,
                                const ParameterChange* changes, std::size_t changeCount)
{
    processSplit(*this, ReplacingCall<double>{record->processDoubleReplacing, record, inputs, outputs},
                 frames, changes, changeCount);
}

void HostedPlugin::processFloat(float* const* inputs, float* const* outputs, std::size_t frames)
{
    processInBlocks(ReplacingCall<float>{record->processReplacing, record, inputs, outputs}, frames,
                    maxBlock);
}

void HostedPlugin::processDouble(double* const* inputs, double* const* outputs, std::size_t frames)
{
    processInBlocks(ReplacingCall<double>{record->processDoubleReplacing, record, inputs, outputs}, frames,
                    maxBlock);
}

double HostedPlugin::idlePeriod()
{
    return 1.0 / 30.0;
}

void HostedPlugin::observeEdits(EditObserver observer)
{
    observeRequests(
        [observer = std::move(observer)](std::int32_t opcode, std::int32_t index, float value)
        {
            if (opcode == audioMasterAutomate)
                observer({EditReport::Kind::Value, index, value});
            else if (opcode == audioMasterBeginEdit)
                observer({EditReport::Kind::Begin, index, 0.0});
            else if (opcode == audioMasterEndEdit)
                observer({EditReport::Kind::End, index, 0.0});
        });
}
