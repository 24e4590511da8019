// Channel buffers for the battery's process calls, each followed by guard samples the plug-in must leave
// alone, and the scan of what came out.
#pragma once

#include "PluginInstance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

/// What one scan of the outputs found.
struct OutputScan
{
    int nonFinite = 0;
    int subnormal = 0;
    std::string first; ///< where the first bad sample is, for the report
};

template <typename Sample> class ProcessBuffers
{
public:
    static constexpr int kGuard = 16;
    static constexpr Sample kGuardValue = Sample(1234.5);

    /// In place, output c shares the memory of input c for every c both sides have.
    ProcessBuffers(int inputs, int outputs, int maxFrames, bool inPlace)
        : ins(static_cast<std::size_t>(std::max(inputs, 0)), std::vector<Sample>(storage(maxFrames))),
          outs(static_cast<std::size_t>(std::max(outputs, 0)), std::vector<Sample>(storage(maxFrames))),
          saved(ins.size()), shared(inPlace)
    {
        for (auto& channel : ins)
            inPointers.push_back(channel.data());
        for (std::size_t c = 0; c < outs.size(); ++c)
            outPointers.push_back(inPlace && c < ins.size() ? ins[c].data() : outs[c].data());
    }

    int inputCount() const { return static_cast<int>(ins.size()); }
    int outputCount() const { return static_cast<int>(outs.size()); }
    Sample* input(int c) { return ins[static_cast<std::size_t>(c)].data(); }
    const Sample* output(int c) const { return outPointers[static_cast<std::size_t>(c)]; }

    /// One process call of frames frames in this sample type; the guards sit right after the frames of
    /// this call.
    void process(PluginInstance& plugin, int frames)
    {
        for (auto* channel : {&ins, &outs})
            for (auto& samples : *channel)
                std::fill_n(samples.begin() + frames, kGuard, kGuardValue);
        for (std::size_t c = 0; c < ins.size(); ++c)
            saved[c].assign(ins[c].begin(), ins[c].begin() + frames);
        const std::size_t failedBefore = plugin.failedBlocks();
        plugin.processBlock(inPointers.data(), outPointers.data(), frames, nullptr, 0);
        failed = plugin.failedBlocks() != failedBefore;
        lastFrames = frames;
    }

    /// What the last call did wrong with memory: a guard written, or an input written out of place.
    std::string misuse() const
    {
        if (failed) return kFailed;
        for (std::size_t c = 0; c < ins.size(); ++c)
            if (!guardIntact(ins[c], lastFrames)) return "wrote past the end of input " + std::to_string(c);
        for (std::size_t c = 0; c < outs.size(); ++c)
            if (!guardIntact(outs[c], lastFrames)) return "wrote past the end of output " + std::to_string(c);
        if (shared) return {};
        for (std::size_t c = 0; c < ins.size(); ++c)
            if (!saved[c].empty() &&
                std::memcmp(saved[c].data(), ins[c].data(), sizeof(Sample) * saved[c].size()) != 0)
                return "wrote into input " + std::to_string(c) + " while processing out of place";
        return {};
    }

    /// Non-finite and subnormal samples in the outputs of the last call. A failed call counts as one bad
    /// sample: its silenced output is not what the plug-in made of the input.
    OutputScan scan() const
    {
        OutputScan result;
        if (failed) return {1, 0, kFailed};
        for (std::size_t c = 0; c < outPointers.size(); ++c)
            for (int n = 0; n < lastFrames; ++n)
            {
                const Sample x = outPointers[c][n];
                const bool bad = !std::isfinite(x);
                const bool tiny = std::fpclassify(x) == FP_SUBNORMAL;
                result.nonFinite += bad;
                result.subnormal += tiny;
                if ((bad || tiny) && result.first.empty())
                {
                    char value[32];
                    std::snprintf(value, sizeof(value), "%g", static_cast<double>(x));
                    result.first =
                        "output " + std::to_string(c) + " sample " + std::to_string(n) + " is " + value;
                }
            }
        return result;
    }

private:
    static std::size_t storage(int maxFrames) { return static_cast<std::size_t>(maxFrames + kGuard); }
    static bool guardIntact(const std::vector<Sample>& channel, int from)
    {
        return std::all_of(channel.begin() + from, channel.begin() + from + kGuard,
                           [](Sample x) { return std::memcmp(&x, &kGuardValue, sizeof(Sample)) == 0; });
    }

    static constexpr const char* kFailed = "the plug-in failed the process call";

    std::vector<std::vector<Sample>> ins;
    std::vector<std::vector<Sample>> outs;
    std::vector<std::vector<Sample>> saved;
    std::vector<Sample*> inPointers;
    std::vector<Sample*> outPointers;
    bool shared;
    bool failed = false;
    int lastFrames = 0;
};
