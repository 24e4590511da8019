// The validation battery's frame: checks, their verdicts, the session they share, and the runner.
#pragma once

#include "HostedPlugin.h"
#include "PluginInstance.h"
#include "clap/ClapInstance.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

enum class Verdict
{
    Pass,
    Fail,
    Skip,
};

struct Outcome
{
    Verdict verdict = Verdict::Pass;
    std::string detail;

    static Outcome skip(std::string reason) { return {Verdict::Skip, std::move(reason)}; }
    static Outcome fail(std::string reason) { return {Verdict::Fail, std::move(reason)}; }
};

/// The problems one check finds; the check passes when there are none.
class Findings
{
public:
    /// Records problem unless condition holds; answers condition.
    bool expect(bool condition, const std::string& problem);
    void add(const std::string& problem) { expect(false, problem); }
    bool empty() const { return count == 0; }
    /// Pass, or Fail naming the first problems and how many there were.
    Outcome outcome() const;

private:
    static constexpr std::size_t kShown = 3;
    std::vector<std::string> first;
    int count = 0;
};

/// What every check gets: fresh instances of the plug-in, how hard to push, and a seeded random source.
/// The plug-in's format is the one its file names.
class Session
{
public:
    Session(std::string pluginPath, int strictness, std::uint32_t seed);

    PluginFormat format() const { return kind; }
    /// A fresh instance, opened but not started; null with the reason in error when it cannot be had.
    std::unique_ptr<PluginInstance> instance(std::string& error);
    /// The same as a VST instance, for the checks that only VST has.
    std::unique_ptr<HostedPlugin> load(std::string& error) const;
    /// The same as a CLAP instance, for the checks that only CLAP has.
    std::unique_ptr<ClapInstance> loadClap(std::string& error);
    /// What the CLAP instances logged and the faults the host saw in them since the last call.
    std::vector<std::string> takeClapMessages();
    int strictness() const { return level; }
    std::uint32_t seed() const { return baseSeed; }
    /// The random source of the running check, reseeded for each check from the seed and its name,
    /// so a check draws the same numbers whatever runs before it.
    std::mt19937& random() { return generator; }
    void beginCheck(const std::string& name);

private:
    struct Messages
    {
        std::mutex lock;
        std::vector<std::string> lines;
    };

    std::string path;
    PluginFormat kind;
    std::shared_ptr<Messages> clapMessages = std::make_shared<Messages>();
    int level;
    std::uint32_t baseSeed;
    std::mt19937 generator;
};

/// The formats a check is for.
enum Formats : unsigned
{
    kVstOnly = 1,
    kClapOnly = 2,
    kEveryFormat = 3,
};

struct Check
{
    const char* name;
    /// The check runs from this strictness on.
    int minStrictness;
    Outcome (*run)(Session& session);
    unsigned formats;
    /// The same check's name in CLAP's terms, where they are not VST's.
    const char* clapName = nullptr;
};

/// Runs the checks the session's strictness and format ask for, one line each on out, then "N passed, M
/// failed"; answers the exit status (1 when anything failed).
int runBattery(Session& session, const std::vector<Check>& checks, std::FILE* out = stdout);
