// vsthost info: what the plug-in reports about itself and its parameters.
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "HostedPlugin.h"
#include "clap/ClapInfo.h"

#include <cctype>
#include <cstdio>

namespace
{
std::string fourCharacters(std::int32_t id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto c = static_cast<unsigned char>((static_cast<std::uint32_t>(id) >> shift) & 0xff);
        text += std::isprint(c) ? static_cast<char>(c) : '?';
    }
    return text;
}

std::string flagNames(std::int32_t flags)
{
    static const std::pair<std::int32_t, const char*> kNames[] = {
        {effFlagsHasEditor, "HasEditor"},
        {effFlagsHasClip, "HasClip"},
        {effFlagsHasVu, "HasVu"},
        {effFlagsCanMono, "CanMono"},
        {effFlagsCanReplacing, "CanReplacing"},
        {effFlagsProgramChunks, "ProgramChunks"},
        {effFlagsIsSynth, "IsSynth"},
        {effFlagsNoSoundInStop, "NoSoundInStop"},
        {effFlagsExtIsAsync, "ExtIsAsync"},
        {effFlagsExtHasBuffer, "ExtHasBuffer"},
        {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string text;
    for (const auto& [bit, name] : kNames)
        if (flags & bit) text += std::string(" ") + name;
    return text;
}

void printIdentity(HostedPlugin& plugin)
{
    const AEffect& effect = plugin.effect();
    std::printf("Effect:      %s\n", plugin.effectName().c_str());
    std::printf("Vendor:      %s\n", plugin.vendorName().c_str());
    std::printf("Product:     %s\n", plugin.productName().c_str());
    std::printf("Version:     %d\n", static_cast<int>(plugin.vendorVersion()));
    std::printf("Unique ID:   '%s' (0x%08X)\n", fourCharacters(effect.uniqueID).c_str(),
                static_cast<unsigned>(effect.uniqueID));
    std::printf("VST version: %d\n", static_cast<int>(plugin.dispatch(effGetVstVersion)));
    std::printf("Category:    %d\n", static_cast<int>(plugin.dispatch(effGetPlugCategory)));
    std::printf("Flags:       0x%04X%s\n", static_cast<unsigned>(effect.flags),
                flagNames(effect.flags).c_str());
    std::printf("Inputs:      %d\n", static_cast<int>(effect.numInputs));
    std::printf("Outputs:     %d\n", static_cast<int>(effect.numOutputs));
    std::printf("Programs:    %d\n", static_cast<int>(effect.numPrograms));
    std::printf("Latency:     %d\n", static_cast<int>(effect.initialDelay));
}

void printParameters(HostedPlugin& plugin)
{
    std::printf("Parameters:  %d\n", static_cast<int>(plugin.effect().numParams));
    std::printf("  %3s  %-10s %-10s %-6s %s\n", "#", "Name", "Display", "Label", "Value");
    for (int i = 0; i < plugin.effect().numParams; ++i)
        std::printf("  %3d  %-10s %-10s %-6s %.6f\n", i, plugin.parameterName(i).c_str(),
                    plugin.parameterDisplay(i).c_str(), plugin.parameterLabel(i).c_str(),
                    plugin.parameter(i));
}
} // namespace

int runInfo(const std::vector<std::string>& args)
{
    CommandLine line(args, {}, {});
    if (!line.ok() || line.positional().size() != 1)
    {
        std::fprintf(stderr, "usage: vsthost info PLUGIN\n");
        return 2;
    }
    const std::string& path = line.positional()[0];
    auto plugin = openOrReport(path);
    if (!plugin) return 1;
    if (auto* clap = dynamic_cast<ClapInstance*>(plugin.get()))
    {
        printClapInfo(*clap, path);
        printMessages(*clap);
        return 0;
    }
    auto& vst = static_cast<HostedPlugin&>(*plugin);
    vst.start(44100.0, kDefaultBlockSize);
    std::printf("Plug-in:     %s\n", path.c_str());
    printIdentity(vst);
    printParameters(vst);
    return 0;
}
