// vsthost info for CLAP: the descriptor, what the plug-in offers, and its parameters in plain values.
#include "ClapInfo.h"

#include <cstdio>

using namespace qm07::clap;

namespace
{
const char* text(const char* value)
{
    return value ? value : "";
}

void printDescriptor(const clap_plugin_descriptor& d)
{
    std::printf("CLAP:        %u.%u.%u\n", d.clap_version.major, d.clap_version.minor,
                d.clap_version.revision);
    std::printf("Id:          %s\n", text(d.id));
    std::printf("Name:        %s\n", text(d.name));
    std::printf("Vendor:      %s\n", text(d.vendor));
    std::printf("Version:     %s\n", text(d.version));
    std::printf("URL:         %s\n", text(d.url));
    std::printf("Manual:      %s\n", text(d.manual_url));
    std::printf("Support:     %s\n", text(d.support_url));
    std::printf("Description: %s\n", text(d.description));
    std::printf("Features:   ");
    for (const char* const* feature = d.features; feature && *feature; ++feature)
        std::printf(" %s", *feature);
    std::printf("\n");
}

void printExtensions(ClapInstance& plugin)
{
    static const char* const kKnown[] = {CLAP_EXT_AUDIO_PORTS,   CLAP_EXT_PARAMS,
                                         CLAP_EXT_STATE,         CLAP_EXT_GUI,
                                         CLAP_EXT_TIMER_SUPPORT, CLAP_EXT_POSIX_FD_SUPPORT,
                                         CLAP_EXT_LATENCY,       "clap.tail",
                                         "clap.note-ports",      "clap.render",
                                         "clap.state-context/2"};
    std::printf("Extensions: ");
    for (const char* id : kKnown)
        if (plugin.offersExtension(id)) std::printf(" %s", id);
    std::printf("\n");
}

void printPorts(ClapInstance& plugin, bool input)
{
    for (const clap_audio_port_info& port : plugin.ports(input))
    {
        std::printf("%s port %u \"%.*s\": %u channels, %s%s%s%s", input ? "Input: " : "Output:", port.id,
                    static_cast<int>(sizeof(port.name)), port.name, port.channel_count, text(port.port_type),
                    (port.flags & CLAP_AUDIO_PORT_IS_MAIN) ? ", main" : "",
                    (port.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS) ? ", 64-bit" : "",
                    (port.flags & CLAP_AUDIO_PORT_PREFERS_64BITS) ? " preferred" : "");
        if (port.in_place_pair != CLAP_INVALID_ID)
            std::printf(", in place with port %u\n", port.in_place_pair);
        else
            std::printf("\n");
    }
}

void printEditor(ClapInstance& plugin)
{
    std::printf("Editor:     ");
    for (const char* api :
         {CLAP_WINDOW_API_X11, CLAP_WINDOW_API_WIN32, CLAP_WINDOW_API_COCOA, CLAP_WINDOW_API_WAYLAND})
        for (const bool floating : {false, true})
            if (plugin.guiSupports(api, floating))
                std::printf(" %s %s", api, floating ? "floating" : "embedded");
    std::printf("\n");
}

std::string flagNames(clap_param_info_flags flags)
{
    static const std::pair<clap_param_info_flags, const char*> kNames[] = {
        {CLAP_PARAM_IS_STEPPED, "stepped"},         {CLAP_PARAM_IS_ENUM, "enum"},
        {CLAP_PARAM_IS_AUTOMATABLE, "automatable"}, {CLAP_PARAM_IS_MODULATABLE, "modulatable"},
        {CLAP_PARAM_IS_READONLY, "read-only"},      {CLAP_PARAM_IS_HIDDEN, "hidden"},
        {CLAP_PARAM_IS_BYPASS, "bypass"},           {CLAP_PARAM_REQUIRES_PROCESS, "requires-process"}};
    std::string names;
    for (const auto& [bit, name] : kNames)
        if (flags & bit) names += std::string(names.empty() ? "" : ",") + name;
    return names;
}

/// The plug-in's text for value, padded to width characters (a UTF-8 sequence counts as one).
std::string valueText(ClapInstance& plugin, int index, double value, std::size_t width)
{
    char buffer[CLAP_NAME_SIZE] = {};
    const std::string text = plugin.valueToText(index, value, buffer, sizeof(buffer)) ? buffer : "(none)";
    std::size_t characters = 0;
    for (const unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

void printParameters(ClapInstance& plugin)
{
    std::printf("Parameters:  %d\n", plugin.parameterCount());
    std::printf("  %3s %5s  %-10s %10s %10s %10s  %-10s %-10s %-10s %s\n", "#", "Id", "Name", "Minimum",
                "Maximum", "Default", "(text)", "(text)", "(text)", "Flags");
    constexpr std::size_t kTextWidth = 10;
    for (int i = 0; i < plugin.parameterCount(); ++i)
    {
        const clap_param_info& info = plugin.parameterInfo(i);
        std::printf("  %3d %5u  %-10s %10g %10g %10g  %s %s %s %s\n", i, info.id,
                    plugin.parameterName(i).c_str(), info.min_value, info.max_value, info.default_value,
                    valueText(plugin, i, info.min_value, kTextWidth).c_str(),
                    valueText(plugin, i, info.max_value, kTextWidth).c_str(),
                    valueText(plugin, i, info.default_value, kTextWidth).c_str(),
                    flagNames(info.flags).c_str());
    }
}
} // namespace

void printClapInfo(ClapInstance& plugin, const std::string& path)
{
    std::printf("Plug-in:     %s\n", path.c_str());
    printDescriptor(plugin.descriptor());
    printExtensions(plugin);
    printPorts(plugin, true);
    printPorts(plugin, false);
    plugin.start(44100.0, 512);
    std::uint32_t frames = 0;
    if (plugin.latency(frames)) std::printf("Latency:     %u\n", frames);
    plugin.stop();
    printEditor(plugin);
    printParameters(plugin);
}
