// Loading, settings and level lines for the vsthost commands.
#include "CommandSupport.h"

#include "SignalStats.h"

#include <cstdio>
#include <cstdlib>

namespace
{
int parameterIndex(HostedPlugin& plugin, const std::string& name)
{
    char* end = nullptr;
    const long number = std::strtol(name.c_str(), &end, 10);
    if (!name.empty() && *end == '\0' && number >= 0 && number < plugin.effect().numParams)
        return static_cast<int>(number);
    return plugin.findParameter(name);
}
} // namespace

std::unique_ptr<HostedPlugin> loadOrReport(const std::string& path)
{
    std::string error;
    auto plugin = HostedPlugin::load(path, error);
    if (!plugin) std::fprintf(stderr, "vsthost: %s\n", error.c_str());
    return plugin;
}

bool parseSetting(HostedPlugin& plugin, const std::string& setting, int& index, float& value)
{
    const auto equals = setting.find('=');
    if (equals == std::string::npos) return false;
    index = parameterIndex(plugin, setting.substr(0, equals));
    const std::string text = setting.substr(equals + 1);
    char* end = nullptr;
    value = static_cast<float>(std::strtod(text.c_str(), &end));
    return index >= 0 && !text.empty() && *end == '\0';
}

bool applySettings(HostedPlugin& plugin, const std::vector<std::string>& settings)
{
    for (const auto& setting : settings)
    {
        int index = -1;
        float value = 0.0f;
        if (!parseSetting(plugin, setting, index, value))
        {
            std::fprintf(stderr,
                         "vsthost: cannot apply \"%s\": want NAME=VALUE with a known parameter name\n",
                         setting.c_str());
            return false;
        }
        plugin.setParameter(index, value);
        const std::string label = plugin.parameterLabel(index);
        std::printf("Set %-10s %.6f  (display %s%s%s)\n", plugin.parameterName(index).c_str(),
                    plugin.parameter(index), plugin.parameterDisplay(index).c_str(), label.empty() ? "" : " ",
                    label.c_str());
    }
    return true;
}

void printLevels(const char* label, const AudioClip& clip)
{
    const Levels levels = measureLevels(clip);
    std::printf("%-7s %6.0f Hz, %zu ch, %zu frames (%.3f s): peak %s dBFS (%.6f), RMS %s dBFS (%.6f)\n",
                label, clip.sampleRate, clip.channels.size(), clip.frames(),
                clip.sampleRate > 0 ? static_cast<double>(clip.frames()) / clip.sampleRate : 0.0,
                formatDecibels(levels.peak).c_str(), levels.peak, formatDecibels(levels.rms).c_str(),
                levels.rms);
}
