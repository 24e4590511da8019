// Reads the command line: options with a value take it as the next word or after '='.
#include "Options.h"

#include <sstream>

namespace qm07
{

namespace
{

/// One or two port names: "system:capture_1,system:capture_2".
bool splitPorts(const std::string& text, std::vector<std::string>& ports)
{
    ports.clear();
    std::stringstream stream(text);
    for (std::string port; std::getline(stream, port, ',');)
        ports.push_back(port);
    if (!text.empty() && text.back() == ',') ports.emplace_back();
    if (ports.empty() || ports.size() > 2) return false;
    for (const auto& port : ports)
        if (port.empty()) return false;
    return true;
}

bool takesValue(const std::string& name)
{
    return name == "--name" || name == "--state" || name == "--set" || name == "--connect-in" ||
           name == "--connect-out";
}

bool storeValue(const std::string& name, const std::string& value, Options& options, std::string& error)
{
    if (value.empty())
        error = name + " needs a value";
    else if (name == "--name")
        options.clientName = value;
    else if (name == "--state")
        options.statePath = value;
    else if (name == "--set")
        options.settings.push_back(value);
    else if (!splitPorts(value, name == "--connect-in" ? options.connectIn : options.connectOut))
        error = name + " wants one or two port names separated by a comma, not \"" + value + "\"";
    return error.empty();
}

bool storeFlag(const std::string& name, Options& options)
{
    if (name == "--auto-connect")
        options.autoConnect = true;
    else if (name == "--no-ui")
        options.noUi = true;
    else
        return false;
    return true;
}

} // namespace

Command parseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") return Command::Help;
        if (arg == "--version") return Command::Version;
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (takesValue(name))
        {
            const bool joined = equals != std::string::npos;
            if (!joined && i + 1 >= args.size())
                error = name + " needs a value";
            else if (storeValue(name, joined ? arg.substr(equals + 1) : args[++i], options, error))
                continue;
            return Command::Invalid;
        }
        if (equals == std::string::npos && storeFlag(arg, options)) continue;
        error = "unknown option " + arg;
        return Command::Invalid;
    }
    return Command::Run;
}

std::string usageText()
{
    return "usage: qm07-compressor [OPTION]...\n"
           "A stereo compressor as a JACK client, with its panel in a window.\n"
           "\n"
           "  --name NAME              JACK client name (default \"QM07 Compressor\")\n"
           "  --state FILE             settings file (default $XDG_CONFIG_HOME/qm07-compressor/state)\n"
           "  --set NAME=VALUE         set a parameter in real units, by name or symbol\n"
           "                           (\"Thresh=-18\", \"ratio=4\", \"sc_mode=A\"); may be repeated\n"
           "  --connect-in PORT,PORT   connect these ports to in_1, in_2\n"
           "  --connect-out PORT,PORT  connect out_1, out_2 to these ports\n"
           "  --auto-connect           connect to the first physical capture and playback ports\n"
           "  --no-ui                  run without a window\n"
           "  --help                   show this and exit\n"
           "  --version                show the version and exit\n"
           "\n"
           "Exit status: 0 done, 1 failure, 2 no JACK server running, 64 bad command line.\n";
}

} // namespace qm07
