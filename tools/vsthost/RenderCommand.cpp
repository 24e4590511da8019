// vsthost render: plays an audio file through the plug-in and writes the result.
#include "AudioFile.h"
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Renderer.h"

#include <cstdio>

int runRender(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--set", "--block", "--rate"}, {"--double"});
    const int block = static_cast<int>(line.number("--block", kDefaultBlockSize, 1, 1 << 20));
    const double rawRate = line.number("--rate", kDefaultRawRate, 1, 1e7);
    if (!line.ok() || line.positional().size() != 3)
    {
        std::fprintf(stderr,
                     "vsthost render: %s\nusage: vsthost render PLUGIN IN OUT [--set NAME=VALUE ...] "
                     "[--block N] [--double] [--rate HZ]\n",
                     line.ok() ? "wrong number of arguments" : line.error().c_str());
        return 2;
    }
    const auto& files = line.positional();
    AudioClip input;
    std::string error;
    if (!readAudioFile(files[1], rawRate, input, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return 1;
    }
    auto plugin = loadOrReport(files[0]);
    if (!plugin || !applySettings(*plugin, line.values("--set"))) return 1;
    const bool useDouble = line.has("--double");
    if (useDouble && !plugin->canDoubleReplacing())
    {
        std::fprintf(stderr, "vsthost: the plug-in has no double-precision process call\n");
        return 1;
    }
    plugin->start(input.sampleRate, block);
    const AudioClip output = renderClip(*plugin, input, useDouble ? Precision::Double : Precision::Single);
    plugin->stop();
    std::printf("Rendered %s in %s precision, blocks of %d frames\n", plugin->effectName().c_str(),
                useDouble ? "double" : "single", block);
    printLevels("Input", input);
    printLevels("Output", output);
    if (!writeAudioFile(files[2], output, error))
    {
        std::fprintf(stderr, "vsthost: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
