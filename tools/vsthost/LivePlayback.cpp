// The audio thread of vsthost edit: a looped signal in real-time blocks, and the host's own settings.
#include "LivePlayback.h"

#include <algorithm>

LivePlayback::LivePlayback(PluginInstance& host, AudioClip signal, std::vector<ScheduledSetting> schedule)
    : plugin(host), loop(std::move(signal)), settings(std::move(schedule)),
      blockFrames(static_cast<std::size_t>(std::max(host.blockSize(), 1))),
      inputs(static_cast<std::size_t>(std::max(host.inputCount(), 0)), std::vector<float>(blockFrames)),
      outputs(static_cast<std::size_t>(std::max(host.outputCount(), 0)), std::vector<float>(blockFrames)),
      due(settings.size())
{
    std::stable_sort(settings.begin(), settings.end(),
                     [](const ScheduledSetting& a, const ScheduledSetting& b)
                     { return a.seconds < b.seconds; });
    for (auto& channel : inputs)
        inputPointers.push_back(channel.data());
    for (auto& channel : outputs)
        outputPointers.push_back(channel.data());
    thread = std::thread([this] { run(); });
}

LivePlayback::~LivePlayback()
{
    stop();
}

void LivePlayback::stop()
{
    running.store(false);
    if (thread.joinable()) thread.join();
}

void LivePlayback::fillInput(std::size_t start, std::size_t frames)
{
    const std::size_t length = loop.frames();
    for (std::size_t c = 0; c < inputs.size(); ++c)
    {
        float* out = inputs[c].data();
        if (length == 0 || loop.channels.empty())
        {
            std::fill(out, out + frames, 0.0f);
            continue;
        }
        const std::vector<float>& source = loop.channels[c % loop.channels.size()];
        for (std::size_t i = 0; i < frames; ++i)
            out[i] = source[(start + i) % length];
    }
}

/// The settings due before blockEnd, into due; answers how many.
std::size_t LivePlayback::collectDue(std::size_t blockEnd)
{
    const double rate = plugin.sampleRate();
    const std::size_t first = applied.load(std::memory_order_relaxed);
    std::size_t next = first;
    for (; next < settings.size() && settings[next].seconds * rate < static_cast<double>(blockEnd); ++next)
        due[next - first] = {0, settings[next].index, settings[next].value};
    return next - first;
}

void LivePlayback::run()
{
    using Clock = std::chrono::steady_clock;
    const auto begin = Clock::now();
    const double rate = plugin.sampleRate();
    for (std::size_t position = 0; running.load(std::memory_order_relaxed); position += blockFrames)
    {
        std::this_thread::sleep_until(begin + std::chrono::duration_cast<Clock::duration>(
                                                  std::chrono::duration<double>(position / rate)));
        const std::size_t count = collectDue(position + blockFrames);
        fillInput(position, blockFrames);
        plugin.processBlock(inputPointers.data(), outputPointers.data(), static_cast<int>(blockFrames),
                            due.data(), count);
        applied.fetch_add(count, std::memory_order_release);
        blocks.fetch_add(1, std::memory_order_release);
    }
}
