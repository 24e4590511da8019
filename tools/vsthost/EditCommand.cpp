// vsthost edit: opens a plug-in's editor in a window of our own, idles it, plays audio through the
// plug-in meanwhile and prints every edit the editor reports to the host.
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DemoSynth.h"
#include "EditorWindow.h"
#include "HostedPlugin.h"
#include "LivePlayback.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace
{
using Clock = std::chrono::steady_clock;

constexpr int kWindowX = 40;
constexpr int kWindowY = 40;
// The window's size until an editor that answers no rectangle before it opens tells its own.
constexpr int kUnsizedWidth = 400;
constexpr int kUnsizedHeight = 300;
constexpr double kPi = 3.14159265358979323846;

const char kUsage[] =
    "usage: vsthost edit PLUGIN [--seconds S] [--set NAME=VALUE ...] [--at S:NAME=VALUE ...] [--state FILE]\n"
    "                    [--signal drums|tone|silence] [--block N] [--rate HZ]\n";

std::atomic<bool> interrupted{false};

void onInterrupt(int)
{
    interrupted.store(true);
}

struct IdleCost
{
    std::size_t passes = 0;
    double seconds = 0.0;
};

/// The host's view of an edit: one flushed line per report, so a script can follow the editor live.
void printEdit(const EditReport& edit)
{
    if (edit.kind == EditReport::Kind::Value)
        std::printf("automate %d %.6f\n", edit.index, edit.value);
    else
        std::printf("%s %d\n", edit.kind == EditReport::Kind::Begin ? "begin" : "end", edit.index);
    std::fflush(stdout);
}

/// Loud signals sit at -1 dBFS peak, well above a compressor's usual thresholds, so its meter moves.
bool makeSignal(const std::string& name, double rate, AudioClip& signal)
{
    signal = AudioClip{rate,
                       {std::vector<float>(static_cast<std::size_t>(rate)),
                        std::vector<float>(static_cast<std::size_t>(rate))}};
    if (name == "drums")
        signal = synthesizeDemo(rate, 4.0); // two bars, the loop's own length
    else if (name == "tone")
        for (auto& channel : signal.channels)
            for (std::size_t i = 0; i < channel.size(); ++i)
                // 440 whole periods in the one-second loop, so it repeats without a click.
                channel[i] = static_cast<float>(std::pow(10.0, -1.0 / 20.0) *
                                                std::sin(2.0 * kPi * 440.0 * static_cast<double>(i) / rate));
    return name == "drums" || name == "tone" || name == "silence";
}

/// Reads SECONDS:NAME=VALUE settings for the audio thread; false (with a message) at the first bad one.
bool parseSchedule(PluginInstance& plugin, const std::vector<std::string>& texts,
                   std::vector<ScheduledSetting>& schedule)
{
    for (const auto& text : texts)
    {
        ScheduledSetting setting;
        const auto colon = text.find(':');
        char* end = nullptr;
        setting.seconds = colon == std::string::npos ? -1.0 : std::strtod(text.c_str(), &end);
        if (colon == std::string::npos || end != text.c_str() + colon || !(setting.seconds >= 0.0) ||
            !parseSetting(plugin, text.substr(colon + 1), setting.index, setting.value))
        {
            std::fprintf(stderr, "vsthost edit: cannot schedule \"%s\": want SECONDS:NAME=VALUE\n",
                         text.c_str());
            return false;
        }
        schedule.push_back(setting);
    }
    return true;
}

bool forwardKey(HostedPlugin& plugin, const VstKeyCode& key, bool pressed)
{
    const auto answer = plugin.dispatch(pressed ? effEditKeyDown : effEditKeyUp, key.character, key.virt,
                                        nullptr, static_cast<float>(key.modifier));
    std::printf("key %s character=%d virtual=%d modifiers=%d answer=%d\n", pressed ? "down" : "up",
                key.character, key.virt, key.modifier, static_cast<int>(answer));
    std::fflush(stdout);
    return answer == 1;
}

/// Announces each host setting once the first idle pass after it is over, so that a script which waits
/// for the line sees the editor as that pass left it.
void reportHostSettings(const LivePlayback& playback, std::size_t appliedBeforeIdle, std::size_t& reported)
{
    for (; reported < appliedBeforeIdle; ++reported)
    {
        const ScheduledSetting& setting = playback.schedule()[reported];
        std::printf("host set %d %.6f\n", setting.index, setting.value);
        std::fflush(stdout);
    }
}

/// Keys reach a VST editor through the host; a CLAP editor takes them in its own window.
EditorKeyHandler keyHandler(PluginInstance& plugin)
{
    auto* vst = dynamic_cast<HostedPlugin*>(&plugin);
    if (!vst) return nullptr;
    return [vst](const VstKeyCode& key, bool pressed) { return forwardKey(*vst, key, pressed); };
}

/// One idle pass, timed, and what it brought: the host settings it follows, a new size, messages.
void idleOnce(PluginInstance& plugin, EditorWindow& window, const LivePlayback& playback, IdleCost& cost,
              std::size_t& reported)
{
    const std::size_t applied = playback.settingsApplied();
    const auto before = Clock::now();
    plugin.idleEditor();
    cost.seconds += std::chrono::duration<double>(Clock::now() - before).count();
    ++cost.passes;
    reportHostSettings(playback, applied, reported);
    int width = 0;
    int height = 0;
    if (plugin.takeResizeRequest(width, height)) window.resizeClient(width, height);
    printMessages(plugin);
}

IdleCost idleUntilDone(PluginInstance& plugin, EditorWindow& window, const LivePlayback& playback,
                       double seconds)
{
    const auto start = Clock::now();
    const auto end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    auto nextIdle = start;
    IdleCost cost;
    std::size_t reported = 0;
    const EditorKeyHandler onKey = keyHandler(plugin);
    for (auto now = start; !interrupted.load() && (seconds <= 0.0 || now < end); now = Clock::now())
    {
        if (now >= nextIdle)
        {
            idleOnce(plugin, window, playback, cost, reported);
            const auto period = std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(plugin.idlePeriod()));
            nextIdle = std::max(nextIdle + period, now);
        }
        const auto wake = seconds > 0.0 ? std::min(nextIdle, end) : nextIdle;
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
        if (!window.handleEvents(static_cast<int>(std::max<long long>(wait, 0)), onKey)) break;
    }
    return cost;
}

void printIdleCost(PluginInstance& plugin, const IdleCost& cost)
{
    const bool vst = plugin.format() == PluginFormat::Vst;
    const double perSecond = 1.0 / plugin.idlePeriod();
    const double mean = cost.passes ? cost.seconds / static_cast<double>(cost.passes) * 1e6 : 0.0;
    std::printf("idle %zu passes, %.1f us mean per %s, %.3f%% of one core at %.0f per second\n", cost.passes,
                mean, vst ? "effEditIdle" : "idle pass", mean * perSecond / 1e4, perSecond);
}

int showEditor(PluginInstance& plugin, AudioClip signal, std::vector<ScheduledSetting> schedule,
               double seconds)
{
    int width = kUnsizedWidth;
    int height = kUnsizedHeight;
    plugin.editorSize(width, height);
    std::string error;
    auto window = EditorWindow::open(plugin.name(), kWindowX, kWindowY, width, height, error);
    if (!window)
    {
        std::fprintf(stderr, "vsthost edit: %s\n", error.c_str());
        return 1;
    }
    if (!plugin.openEditor(window->nativeHandle()))
    {
        std::fprintf(stderr, "vsthost edit: the editor did not open\n");
        return 1;
    }
    if (plugin.editorSize(width, height)) window->resizeClient(width, height);
    window->handleEvents(0, nullptr);
    int x = 0;
    int y = 0;
    window->clientOrigin(x, y);
    std::printf("editor %dx%d at %d,%d\n", width, height, x, y);
    std::fflush(stdout);

    LivePlayback playback(plugin, std::move(signal), std::move(schedule));
    const IdleCost cost = idleUntilDone(plugin, *window, playback, seconds);
    // Closed while audio still runs, as a host closes an editor during playback.
    plugin.closeEditor();
    playback.stop();
    printIdleCost(plugin, cost);
    return 0;
}
} // namespace

int runEdit(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--seconds", "--set", "--at", "--state", "--signal", "--block", "--rate"}, {});
    const double seconds = line.number("--seconds", 0.0, 0.0, 1e6);
    const int block = static_cast<int>(line.number("--block", kDefaultBlockSize, 1, 1 << 16));
    const double rate = line.number("--rate", kDefaultRawRate, 1000, 1e6);
    AudioClip signal;
    if (!makeSignal(line.value("--signal", "drums"), rate, signal)) line.refuse("unknown --signal");
    if (!line.usable(1, "vsthost edit", kUsage)) return 2;
    auto plugin = openOrReport(line.positional()[0]);
    std::vector<ScheduledSetting> schedule;
    if (!plugin || !applyStateAndSettings(*plugin, line) ||
        !parseSchedule(*plugin, line.values("--at"), schedule))
        return 1;
    if (!plugin->hasEditor())
    {
        std::fprintf(stderr, "vsthost edit: %s has no editor\n", plugin->name().c_str());
        return 1;
    }
    std::signal(SIGINT, onInterrupt);
    plugin->observeEdits(printEdit);
    plugin->start(rate, block);
    const int result = showEditor(*plugin, std::move(signal), std::move(schedule), seconds);
    plugin->stop();
    printMessages(*plugin);
    return result;
}
