// vsthost bench: time per frame of the process calls, single and double precision.
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DemoSynth.h"
#include "Renderer.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr double kBenchSeconds = 30.0;
constexpr int kRuns = 3;

void benchOne(PluginInstance& plugin, const AudioClip& signal, Precision precision)
{
    // The best of a few runs: the fastest is the least disturbed by whatever else the machine does.
    double best = 0.0;
    for (int run = 0; run < kRuns; ++run)
    {
        double seconds = 0.0;
        renderClip(plugin, signal, precision, {}, &seconds);
        best = run == 0 ? seconds : std::min(best, seconds);
    }
    const double frames = static_cast<double>(signal.frames());
    std::printf("%-7s %8.2f ns per stereo frame, %8.1fx real time\n",
                precision == Precision::Double ? "double:" : "float:", best * 1e9 / frames,
                best > 0.0 ? kBenchSeconds / best : 0.0);
}
} // namespace

int runBench(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--set", "--state", "--block", "--rate"}, {});
    const int block = static_cast<int>(line.number("--block", kDefaultBlockSize, 1, 1 << 20));
    const double rate = line.number("--rate", kDefaultRawRate, 1000, 1e6);
    if (!line.usable(
            1, "vsthost bench",
            "usage: vsthost bench PLUGIN [--set NAME=VALUE ...] [--state FILE] [--block N] [--rate HZ]\n"))
        return 2;
    auto plugin = openOrReport(line.positional()[0]);
    if (!plugin || !applyStateAndSettings(*plugin, line)) return 1;
    const AudioClip signal = synthesizeDemo(rate, kBenchSeconds);
    plugin->start(rate, block);
    std::printf(
        "Benchmark of %s: %.0f s of stereo drums and bass at %.0f Hz, blocks of %d frames, best of %d\n",
        plugin->name().c_str(), kBenchSeconds, rate, block, kRuns);
    benchOne(*plugin, signal, Precision::Single);
    if (plugin->canProcessDouble())
        benchOne(*plugin, signal, Precision::Double);
    else
        std::printf("double:  not offered by the plug-in\n");
    const std::size_t failed = plugin->failedBlocks();
    plugin->stop();
    printMessages(*plugin);
    return failed == 0 ? 0 : 1;
}
