// Runs the checks and prints one line per check and the total.
#include "Battery.h"

#include "CrashReport.h"
#include "PluginLoader.h"

#include <utility>

bool Findings::expect(bool condition, const std::string& problem)
{
    if (condition) return true;
    if (first.size() < kShown) first.push_back(problem);
    ++count;
    return false;
}

Outcome Findings::outcome() const
{
    if (count == 0) return {};
    std::string detail;
    for (const auto& problem : first)
        detail += (detail.empty() ? "" : "; ") + problem;
    if (count > static_cast<int>(first.size()))
        detail += " (" + std::to_string(count - static_cast<int>(first.size())) + " more)";
    return Outcome::fail(detail);
}

Session::Session(std::string pluginPath, int strictness, std::uint32_t seed)
    : path(std::move(pluginPath)), kind(isClapPath(path) ? PluginFormat::Clap : PluginFormat::Vst),
      level(strictness), baseSeed(seed)
{
}

std::unique_ptr<PluginInstance> Session::instance(std::string& error)
{
    if (kind == PluginFormat::Clap) return loadClap(error);
    return load(error);
}

std::unique_ptr<HostedPlugin> Session::load(std::string& error) const
{
    return HostedPlugin::load(path, error);
}

std::unique_ptr<ClapInstance> Session::loadClap(std::string& error)
{
    // The sink keeps the list alive for instances that outlive the session.
    return ClapInstance::load(path, error,
                              [messages = clapMessages](const std::string& line)
                              {
                                  std::lock_guard<std::mutex> hold(messages->lock);
                                  messages->lines.push_back(line);
                              });
}

std::vector<std::string> Session::takeClapMessages()
{
    std::lock_guard<std::mutex> hold(clapMessages->lock);
    return std::exchange(clapMessages->lines, {});
}

void Session::beginCheck(const std::string& name)
{
    // FNV-1a, so that every build of the host draws the same numbers for the same seed.
    std::uint32_t hash = 2166136261u;
    for (const unsigned char c : name)
        hash = (hash ^ c) * 16777619u;
    generator.seed(baseSeed ^ hash);
}

int runBattery(Session& session, const std::vector<Check>& checks, std::FILE* out)
{
    static const char* const kVerdictNames[] = {"PASS", "FAIL", "SKIP"};
    int passed = 0;
    int failed = 0;
    for (const Check& check : checks)
    {
        const bool clap = session.format() == PluginFormat::Clap;
        if (check.minStrictness > session.strictness() || !(check.formats & (clap ? kClapOnly : kVstOnly)))
            continue;
        const char* name = clap && check.clapName ? check.clapName : check.name;
        session.beginCheck(name);
        CrashReport::running(name, passed, failed);
        const Outcome outcome = check.run(session);
        std::fprintf(out, "%s  %s%s%s\n", kVerdictNames[static_cast<int>(outcome.verdict)], name,
                     outcome.detail.empty() ? "" : ": ", outcome.detail.c_str());
        std::fflush(out);
        passed += outcome.verdict == Verdict::Pass;
        failed += outcome.verdict == Verdict::Fail;
    }
    CrashReport::running(nullptr, passed, failed);
    std::fprintf(out, "%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
