// demosynth: writes the demo's drums-and-bass signal to one or more audio files.
#include "AudioFile.h"
#include "CommandLine.h"
#include "DemoSynth.h"

#include <cstdio>

int main(int argc, char** argv)
{
    CommandLine line(std::vector<std::string>(argv + 1, argv + argc), {"--seconds", "--rate"}, {});
    const double seconds = line.number("--seconds", 8.0, 0.1, 3600.0);
    const double rate = line.number("--rate", 48000.0, 8000.0, 384000.0);
    if (!line.ok() || line.positional().empty())
    {
        std::fprintf(stderr, "%s%susage: demosynth OUT... [--seconds S] [--rate HZ]\n", line.error().c_str(),
                     line.ok() ? "" : "\n");
        return 2;
    }
    const AudioClip clip = synthesizeDemo(rate, seconds);
    for (const auto& path : line.positional())
    {
        std::string error;
        if (!writeAudioFile(path, clip, error))
        {
            std::fprintf(stderr, "demosynth: %s\n", error.c_str());
            return 1;
        }
        std::printf("Wrote %s: %.3f s of stereo at %.0f Hz\n", path.c_str(), seconds, rate);
    }
    return 0;
}
