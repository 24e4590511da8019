// The audio thread's side of a CLAP instance: one process call per block, the queued and the given
// parameter changes as value events at their frames, and what the plug-in reports collected for the
// main thread.
#include "ClapInstance.h"

#include <algorithm>
#include <type_traits>

using namespace qm07::clap;

namespace
{
template <typename Sample> void point(clap_audio_buffer& buffer, Sample* const* channels)
{
    buffer.data32 = nullptr;
    buffer.data64 = nullptr;
    if constexpr (std::is_same_v<Sample, float>)
        buffer.data32 = const_cast<float**>(channels);
    else
        buffer.data64 = const_cast<double**>(channels);
}

/// Points each port's buffer at its channels of the flat channel list.
template <typename Sample>
void pointPorts(std::vector<clap_audio_buffer>& buffers, const std::vector<clap_audio_port_info>& ports,
                Sample* const* channels)
{
    std::size_t first = 0;
    for (std::size_t p = 0; p < ports.size(); ++p)
    {
        point(buffers[p], channels + first);
        buffers[p].channel_count = ports[p].channel_count;
        buffers[p].latency = 0;
        buffers[p].constant_mask = 0;
        first += ports[p].channel_count;
    }
}
} // namespace

void ClapInstance::fillEvents(const ParameterChange* changes, std::size_t changeCount, std::uint32_t frames)
{
    inputEvents.clear();
    std::size_t dropped = 0;
    for (QueuedChange change; queued.pop(change);)
        dropped += !inputEvents.addValue(0, change.param, change.value);
    for (std::size_t i = 0; i < changeCount; ++i)
    {
        const auto index = static_cast<std::size_t>(changes[i].index);
        if (index >= parameters.size()) continue;
        const std::uint32_t time = std::min(changes[i].frame, frames > 0 ? frames - 1 : 0);
        dropped += !inputEvents.addValue(time, parameters[index].id, changes[i].value);
    }
    if (dropped) droppedChanges.fetch_add(dropped);
}

template <typename Sample> void ClapInstance::silence(Sample* const* outputs, int frames)
{
    for (int c = 0; c < outputCount(); ++c)
        std::fill(outputs[c], outputs[c] + frames, Sample(0));
}

template <typename Sample>
void ClapInstance::processAs(Sample* const* inputs, Sample* const* outputs, int frames,
                             const ParameterChange* changes, std::size_t changeCount)
{
    ClapHostContext::AudioScope audio(*context);
    const auto count = static_cast<std::uint32_t>(std::max(frames, 0));
    fillEvents(changes, changeCount, count);
    if (active && !processing) processing = plugin->start_processing(plugin);
    if (!processing)
    {
        failures.fetch_add(1);
        silence(outputs, frames);
        return;
    }
    if (count == 0)
    {
        // Blocks hold at least one frame; changes without audio go through flush.
        if (params) params->flush(plugin, inputEvents.list(), outputEvents.list());
        return;
    }
    pointPorts(inputBuffers, inputPorts, inputs);
    pointPorts(outputBuffers, outputPorts, outputs);
    const clap_process block{steadyTime,
                             count,
                             nullptr,
                             inputBuffers.data(),
                             outputBuffers.data(),
                             static_cast<std::uint32_t>(inputBuffers.size()),
                             static_cast<std::uint32_t>(outputBuffers.size()),
                             inputEvents.list(),
                             outputEvents.list()};
    steadyTime += count;
    if (plugin->process(plugin, &block) == CLAP_PROCESS_ERROR)
    {
        failures.fetch_add(1);
        silence(outputs, frames);
    }
}

void ClapInstance::processBlock(float* const* inputs, float* const* outputs, int frames,
                                const ParameterChange* changes, std::size_t changeCount)
{
    processAs(inputs, outputs, frames, changes, changeCount);
}

void ClapInstance::processBlock(double* const* inputs, double* const* outputs, int frames,
                                const ParameterChange* changes, std::size_t changeCount)
{
    processAs(inputs, outputs, frames, changes, changeCount);
}
