// Loading, settings and level lines for the vsthost commands.
#include "CommandSupport.h"

#include "ParameterLookup.h"
#include "PluginLoader.h"
#include "SignalStats.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

std::unique_ptr<PluginInstance> openOrReport(const std::string& path)
{
    std::string error;
    auto plugin = loadPlugin(path, error);
    if (!plugin) std::fprintf(stderr, "vsthost: %s\n", error.c_str());
    return plugin;
}

int parameterIndex(PluginInstance& plugin, const std::string& name)
{
    char* end = nullptr;
    const long number = std::strtol(name.c_str(), &end, 10);
    if (!name.empty() && *end == '\0' && number >= 0 && number < plugin.parameterCount())
        return static_cast<int>(number);
    return findParameterNamed(plugin, name);
}

bool parseSetting(PluginInstance& plugin, const std::string& setting, int& index, double& value)
{
    const auto equals = setting.find('=');
    if (equals == std::string::npos) return false;
    index = parameterIndex(plugin, setting.substr(0, equals));
    const std::string text = setting.substr(equals + 1);
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    // VST values are floats: what is printed is what the plug-in gets.
    if (plugin.format() == PluginFormat::Vst) value = static_cast<float>(value);
    return index >= 0 && !text.empty() && *end == '\0';
}

bool applySettings(PluginInstance& plugin, const std::vector<std::string>& settings)
{
    for (const auto& setting : settings)
    {
        int index = -1;
        double value = 0.0;
        if (!parseSetting(plugin, setting, index, value))
        {
            std::fprintf(stderr,
                         "vsthost: cannot apply \"%s\": want NAME=VALUE with a known parameter name\n",
                         setting.c_str());
            return false;
        }
        plugin.setParameterValue(index, value);
        std::printf("Set %-10s %.6f  (display %s)\n", plugin.parameterName(index).c_str(),
                    plugin.parameterValue(index), plugin.parameterText(index).c_str());
    }
    return true;
}

bool applyStateFile(PluginInstance& plugin, const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        std::fprintf(stderr, "vsthost: cannot read the state file %s\n", path.c_str());
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    if (!plugin.keepsState() || !plugin.loadState(bytes))
    {
        std::fprintf(stderr, "vsthost: the plug-in did not take the state in %s\n", path.c_str());
        return false;
    }
    std::printf("State     %zu bytes from %s\n", bytes.size(), path.c_str());
    return true;
}

bool saveStateFile(PluginInstance& plugin, const std::string& path)
{
    const std::vector<std::uint8_t> bytes = plugin.saveState();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (bytes.empty() || !file)
    {
        std::fprintf(stderr, "vsthost: cannot save the plug-in's state to %s\n", path.c_str());
        return false;
    }
    std::printf("Saved     %zu bytes of state to %s\n", bytes.size(), path.c_str());
    return true;
}

bool applyStateAndSettings(PluginInstance& plugin, const CommandLine& line)
{
    const std::string state = line.value("--state", "");
    return (state.empty() || applyStateFile(plugin, state)) && applySettings(plugin, line.values("--set"));
}

void printMessages(PluginInstance& plugin)
{
    for (const std::string& line : plugin.takeMessages())
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
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
