// vsthost render: plays an audio file through the plug-in and writes the result.
#include "AudioFile.h"
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Renderer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
const char kUsage[] =
    "usage: vsthost render PLUGIN IN OUT [--set NAME=VALUE ...] [--at FRAME:NAME=VALUE ...]\n"
    "                      [--state FILE] [--save-state FILE] [--block N] [--double] [--rate HZ]\n";

/// Reads FRAME:NAME=VALUE changes, sorted by frame; false (with a message) at the first bad one.
bool parseChanges(PluginInstance& plugin, const std::vector<std::string>& texts,
                  std::vector<ParameterChange>& changes)
{
    for (const auto& text : texts)
    {
        ParameterChange change;
        const auto colon = text.find(':');
        char* end = nullptr;
        const long long frame = colon == std::string::npos ? -1 : std::strtoll(text.c_str(), &end, 10);
        if (colon == std::string::npos || end != text.c_str() + colon || frame < 0 || frame > UINT32_MAX ||
            !parseSetting(plugin, text.substr(colon + 1), change.index, change.value))
        {
            std::fprintf(stderr, "vsthost render: cannot apply \"%s\": want FRAME:NAME=VALUE\n",
                         text.c_str());
            return false;
        }
        change.frame = static_cast<std::uint32_t>(frame);
        changes.push_back(change);
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const ParameterChange& a, const ParameterChange& b) { return a.frame < b.frame; });
    return true;
}

/// Plays input through the plug-in and stops it; false with a message when a block failed.
bool renderAndStop(PluginInstance& plugin, const AudioClip& input, bool useDouble, int block,
                   const std::vector<ParameterChange>& changes, AudioClip& output)
{
    plugin.start(input.sampleRate, block);
    output = renderClip(plugin, input, useDouble ? Precision::Double : Precision::Single, changes);
    const std::size_t failed = plugin.failedBlocks();
    plugin.stop();
    std::printf("Rendered %s in %s precision, blocks of %d frames\n", plugin.name().c_str(),
                useDouble ? "double" : "single", block);
    printMessages(plugin);
    if (failed == 0) return true;
    std::fprintf(stderr, "vsthost: %zu blocks failed\n", failed);
    return false;
}
} // namespace

int runRender(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--set", "--at", "--state", "--save-state", "--block", "--rate"}, {"--double"});
    const int block = static_cast<int>(line.number("--block", kDefaultBlockSize, 1, 1 << 20));
    const double rawRate = line.number("--rate", kDefaultRawRate, 1, 1e7);
    if (!line.usable(3, "vsthost render", kUsage)) return 2;
    const auto& files = line.positional();
    AudioClip input;
    std::string error;
    if (!readAudioFile(files[1], rawRate, input, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return 1;
    }
    auto plugin = openOrReport(files[0]);
    std::vector<ParameterChange> changes;
    if (!plugin || !applyStateAndSettings(*plugin, line) ||
        !parseChanges(*plugin, line.values("--at"), changes))
        return 1;
    const bool useDouble = line.has("--double");
    if (useDouble && !plugin->canProcessDouble())
    {
        std::fprintf(stderr, "vsthost: the plug-in has no double-precision process call\n");
        return 1;
    }
    AudioClip output;
    const bool rendered = renderAndStop(*plugin, input, useDouble, block, changes, output);
    printLevels("Input", input);
    printLevels("Output", output);
    const std::string savePath = line.value("--save-state", "");
    if (!rendered || (!savePath.empty() && !saveStateFile(*plugin, savePath))) return 1;
    if (!writeAudioFile(files[2], output, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
