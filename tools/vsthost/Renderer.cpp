// Runs a clip through a plug-in in its own sample format and times the process calls.
#include "Renderer.h"

#include <algorithm>
#include <chrono>

namespace
{
template <typename Sample> struct Channels
{
    Channels(std::size_t count, std::size_t frames) : data(count, std::vector<Sample>(frames))
    {
        for (auto& channel : data)
            pointers.push_back(channel.data());
    }

    /// The pointers moved on to frame offset.
    Sample* const* at(std::size_t offset)
    {
        moved.resize(pointers.size());
        for (std::size_t c = 0; c < pointers.size(); ++c)
            moved[c] = pointers[c] + offset;
        return moved.data();
    }

    std::vector<std::vector<Sample>> data;
    std::vector<Sample*> pointers;
    std::vector<Sample*> moved;
};

template <typename Sample>
double processAll(PluginInstance& plugin, Channels<Sample>& in, Channels<Sample>& out, std::size_t frames,
                  const std::vector<ParameterChange>& changes)
{
    const auto block = static_cast<std::size_t>(std::max(plugin.blockSize(), 1));
    std::chrono::steady_clock::duration elapsed{};
    std::vector<ParameterChange> within;
    std::size_t next = 0;
    for (std::size_t done = 0; done < frames; done += block)
    {
        const std::size_t count = std::min(frames - done, block);
        // Sorted, so a block's changes start where the last block's ended.
        within.clear();
        for (; next < changes.size() && changes[next].frame < done + count; ++next)
            within.push_back({static_cast<std::uint32_t>(changes[next].frame - done), changes[next].index,
                              changes[next].value});
        Sample* const* inputs = in.at(done);
        Sample* const* outputs = out.at(done);
        const auto begin = std::chrono::steady_clock::now();
        plugin.processBlock(inputs, outputs, static_cast<int>(count), within.data(), within.size());
        elapsed += std::chrono::steady_clock::now() - begin;
    }
    return std::chrono::duration<double>(elapsed).count();
}

template <typename Sample>
AudioClip renderAs(PluginInstance& plugin, const AudioClip& input,
                   const std::vector<ParameterChange>& changes, double* processSeconds)
{
    const std::size_t frames = input.frames();
    Channels<Sample> in(static_cast<std::size_t>(std::max(plugin.inputCount(), 0)), frames);
    Channels<Sample> out(static_cast<std::size_t>(std::max(plugin.outputCount(), 0)), frames);
    for (std::size_t c = 0; c < in.data.size() && !input.channels.empty(); ++c)
    {
        const auto& source = input.channels[c % input.channels.size()];
        in.data[c].assign(source.begin(), source.end());
    }
    const double seconds = processAll(plugin, in, out, frames, changes);
    if (processSeconds) *processSeconds = seconds;

    AudioClip result;
    result.sampleRate = input.sampleRate;
    for (const auto& channel : out.data)
        result.channels.emplace_back(channel.begin(), channel.end());
    return result;
}
} // namespace

AudioClip renderClip(PluginInstance& plugin, const AudioClip& input, Precision precision,
                     const std::vector<ParameterChange>& changes, double* processSeconds)
{
    if (precision == Precision::Double) return renderAs<double>(plugin, input, changes, processSeconds);
    return renderAs<float>(plugin, input, changes, processSeconds);
}
