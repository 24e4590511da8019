// vsthost validate: the strict battery, one line per check, for any VST 2.4 or CLAP plug-in.
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "validate/Checks.h"
#include "validate/CrashReport.h"

#include <cstdio>
#include <random>

namespace
{
constexpr int kDefaultStrictness = 5;
} // namespace

int runValidate(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--strictness", "--seed"}, {});
    const int strictness = static_cast<int>(line.number("--strictness", kDefaultStrictness, 1, 10));
    const auto seed =
        static_cast<std::uint32_t>(line.number("--seed", std::random_device{}(), 0, 4294967295.0));
    if (!line.usable(1, "vsthost validate",
                     "usage: vsthost validate PLUGIN [--strictness 1..10] [--seed N]\n"))
        return 2;
    const std::string& path = line.positional()[0];
    if (!openOrReport(path)) return 1;
    std::printf("Validating %s at strictness %d with seed %u\n", path.c_str(), strictness, seed);
    std::fflush(stdout);
    CrashReport::install();
    Session session(path, strictness, seed);
    return runBattery(session, allChecks());
}
