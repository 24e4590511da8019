// lv2render: plays an audio file through an LV2 plug-in found by URI, as vsthost render does for VST.
#include "AudioFile.h"
#include "CommandLine.h"
#include "Lv2Session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr const char* kUsage =
    "usage: lv2render URI IN OUT [--preset URI] [--set SYMBOL=VALUE ...] [--block N] "
    "[--rate HZ] [--time]\n";

constexpr int kTimedRuns = 3;

bool configure(Lv2Session& session, const CommandLine& line)
{
    for (const std::string& preset : line.values("--preset"))
        if (!session.applyPreset(preset))
        {
            std::fprintf(stderr, "lv2render: no preset %s\n", preset.c_str());
            return false;
        }
    for (const std::string& setting : line.values("--set"))
    {
        const std::size_t equals = setting.find('=');
        if (equals == std::string::npos ||
            !session.setControl(setting.substr(0, equals),
                                std::strtof(setting.c_str() + equals + 1, nullptr)))
        {
            std::fprintf(stderr, "lv2render: no control input in '%s'\n", setting.c_str());
            return false;
        }
    }
    return true;
}

/// Plays the input through the plug-in; `runSeconds` gets the wall-clock time of the loop of run calls.
AudioClip render(Lv2Session& session, const AudioClip& input, std::uint32_t block, double& runSeconds)
{
    AudioClip output;
    output.sampleRate = input.sampleRate;
    output.channels.assign(session.audioOutputs(), std::vector<float>(input.frames()));
    std::vector<const float*> in(session.audioInputs());
    std::vector<float*> out(session.audioOutputs());
    session.activate();
    const auto begin = std::chrono::steady_clock::now();
    for (std::size_t done = 0; done < input.frames(); done += block)
    {
        for (std::size_t c = 0; c < in.size(); ++c)
            in[c] = input.channels[std::min(c, input.channels.size() - 1)].data() + done;
        for (std::size_t c = 0; c < out.size(); ++c)
            out[c] = output.channels[c].data() + done;
        session.run(in, out, static_cast<std::uint32_t>(std::min<std::size_t>(block, input.frames() - done)));
    }
    runSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    session.deactivate();
    return output;
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine line(arguments, {"--set", "--preset", "--block", "--rate"}, {"--time"});
    const auto block = static_cast<std::uint32_t>(line.number("--block", 512, 1, 1 << 20));
    const double rawRate = line.number("--rate", 48000, 1, 1e7);
    if (!line.usable(3, "lv2render", kUsage)) return 2;
    const auto& args = line.positional();
    AudioClip input;
    std::string error;
    if (!readAudioFile(args[1], rawRate, input, error) || input.channels.empty())
    {
        std::fprintf(stderr, "lv2render: %s\n", error.empty() ? "no audio" : error.c_str());
        return 1;
    }
    auto session = Lv2Session::open(args[0], input.sampleRate, block, error);
    if (!session || !configure(*session, line))
    {
        if (!error.empty()) std::fprintf(stderr, "lv2render: %s\n", error.c_str());
        return 1;
    }
    double seconds = 0.0;
    const AudioClip output = render(*session, input, block, seconds);
    // The best of a few runs, as vsthost bench keeps: the first pays for cold caches and lazy binding.
    for (int run = 1; line.has("--time") && run < kTimedRuns; ++run)
    {
        double again = 0.0;
        render(*session, input, block, again);
        seconds = std::min(seconds, again);
    }
    for (const std::string& value : session->controlOutputs())
        std::printf("%s\n", value.c_str());
    if (line.has("--time"))
        std::printf("run: %.6f s, %.2f ns per frame (best of %d)\n", seconds,
                    seconds * 1e9 / static_cast<double>(std::max<std::size_t>(1, input.frames())),
                    kTimedRuns);
    if (!writeAudioFile(args[2], output, error))
    {
        std::fprintf(stderr, "lv2render: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
