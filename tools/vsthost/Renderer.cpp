// Runs a clip through a plug-in in its own sample format and times the process calls.
#include "Renderer.h"

#include <chrono>
#include <type_traits>

namespace
{
template <typename Sample> struct Channels
{
    Channels(std::size_t count, std::size_t frames) : data(count, std::vector<Sample>(frames))
    {
        for (auto& channel : data)
            pointers.push_back(channel.data());
    }

    std::vector<std::vector<Sample>> data;
    std::vector<Sample*> pointers;
};

template <typename Sample>
AudioClip renderAs(HostedPlugin& plugin, const AudioClip& input, double* processSeconds)
{
    const std::size_t frames = input.frames();
    Channels<Sample> in(static_cast<std::size_t>(plugin.effect().numInputs), frames);
    Channels<Sample> out(static_cast<std::size_t>(plugin.effect().numOutputs), frames);
    for (std::size_t c = 0; c < in.data.size() && !input.channels.empty(); ++c)
    {
        const auto& source = input.channels[c % input.channels.size()];
        in.data[c].assign(source.begin(), source.end());
    }

    const auto begin = std::chrono::steady_clock::now();
    if constexpr (std::is_same_v<Sample, float>)
        plugin.processFloat(in.pointers.data(), out.pointers.data(), frames);
    else
        plugin.processDouble(in.pointers.data(), out.pointers.data(), frames);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
    if (processSeconds) *processSeconds = elapsed.count();

    AudioClip result;
    result.sampleRate = input.sampleRate;
    for (const auto& channel : out.data)
        result.channels.emplace_back(channel.begin(), channel.end());
    return result;
}
} // namespace

AudioClip renderClip(HostedPlugin& plugin, const AudioClip& input, Precision precision,
                     double* processSeconds)
{
    if (precision == Precision::Double) return renderAs<double>(plugin, input, processSeconds);
    return renderAs<float>(plugin, input, processSeconds);
}
