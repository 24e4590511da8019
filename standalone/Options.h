// The application's command line, read and checked before anything starts.
#pragma once

#include <string>
#include <vector>

namespace qm07
{

struct Options
{
    std::string clientName;              ///< empty: the product's name
    std::string statePath;               ///< empty: the default place of the settings file
    std::vector<std::string> settings;   ///< NAME=VALUE in real units, applied in order
    std::vector<std::string> connectIn;  ///< ports feeding in_1, in_2
    std::vector<std::string> connectOut; ///< ports fed by out_1, out_2
    bool autoConnect = false;
    bool noUi = false;
};

enum class Command
{
    Run,
    Help,
    Version,
    Invalid,
};

/// Exit codes: a usage error, and no JACK server to talk to.
constexpr int kExitUsage = 64;
constexpr int kExitNoServer = 2;

/// Main thread; allocates. For Invalid, `error` says what is wrong.
Command parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);
std::string usageText();

} // namespace qm07
