// The command line: each form of each option, and the mistakes that must stop the start.
#include "Options.h"
#include "ParameterSettings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using qm07::Command;

struct OptionCase
{
    std::vector<std::string> args;
    Command command;
};

TEST(StandaloneOptions, CommandsAndMistakes)
{
    const OptionCase cases[] = {
        {{}, Command::Run},
        {{"--no-ui", "--auto-connect"}, Command::Run},
        {{"--name", "X", "--state=/tmp/s", "--set", "ratio=4", "--set=gain=3"}, Command::Run},
        {{"--connect-in", "a:1,a:2", "--connect-out=b:1"}, Command::Run},
        {{"--set", "ratio=4", "--help"}, Command::Help},
        {{"--version"}, Command::Version},
        {{"--bogus"}, Command::Invalid},
        {{"--name"}, Command::Invalid},
        {{"--name="}, Command::Invalid},
        {{"--no-ui=1"}, Command::Invalid},
        {{"--connect-in", "a:1,a:2,a:3"}, Command::Invalid},
        {{"--connect-in", "a:1,"}, Command::Invalid},
        {{"--connect-out", ",b:2"}, Command::Invalid},
        {{"stray"}, Command::Invalid},
    };
    for (const auto& c : cases)
    {
        qm07::Options options;
        std::string error;
        const Command got = qm07::parseOptions(c.args, options, error);
        const std::string line = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(got, c.command) << line;
        EXPECT_EQ(error.empty(), got != Command::Invalid) << line << ": " << error;
    }
}

TEST(StandaloneOptions, ValuesLandWhereTheyBelong)
{
    qm07::Options options;
    std::string error;
    ASSERT_EQ(
        qm07::parseOptions({"--name=Comp", "--state", "/x/state", "--set", "Thresh=-10", "--set=push=II",
                            "--connect-in", "a:1,a:2", "--connect-out", "b:1", "--no-ui"},
                           options, error),
        Command::Run);
    EXPECT_EQ(options.clientName, "Comp");
    EXPECT_EQ(options.statePath, "/x/state");
    EXPECT_EQ(options.settings, (std::vector<std::string>{"Thresh=-10", "push=II"}));
    EXPECT_EQ(options.connectIn, (std::vector<std::string>{"a:1", "a:2"}));
    EXPECT_EQ(options.connectOut, (std::vector<std::string>{"b:1"}));
    EXPECT_TRUE(options.noUi);
    EXPECT_FALSE(options.autoConnect);
}

struct SettingCase
{
    const char* setting;
    std::int32_t index; ///< -1: must be refused
    double real;        ///< what the stored value must mean
};

TEST(StandaloneSettings, RealUnitsAndPositionTextsByNameOrSymbol)
{
    const SettingCase cases[] = {
        {"Thresh=-18", qm07::kThresh, -18.0},
        {"thresh = -18 dB", qm07::kThresh, -18.0},
        {"THRESH=\xE2\x88\x92"
         "12.5 dB",
         qm07::kThresh, -12.5},
        {"ratio=4", qm07::kRatio, 4.0},
        {"Knee dB=6", qm07::kKneeDb, 6.0},
        {"knee_pct=50 %", qm07::kKneePct, 50.0},
        {"attack=10", qm07::kAttack, 10.0},
        {"Release=2000", qm07::kRelease, 2000.0},
        {"Wet/Dry=0", qm07::kWetDry, 0.0},
        {"sc_mode=B", qm07::kScMode, 2.0},
        {"SC Mode=2", qm07::kScMode, 2.0},
        {"push=II", qm07::kPush, 2.0},
        {"push=3", -1, 0},
        {"Thresh=5", -1, 0},
        {"Thresh=-41", -1, 0},
        {"ratio=0.5", -1, 0},
        {"attack=0", -1, 0},
        {"wet_dry=101", -1, 0},
        {"Tresh=-10", -1, 0},
        {"Thresh", -1, 0},
        {"Thresh=", -1, 0},
        {"gain=loud", -1, 0},
        {"=3", -1, 0},
    };
    for (const auto& c : cases)
    {
        qm07::ParameterValues values = qm07::defaultValues();
        const qm07::ParameterValues before = values;
        std::string error;
        const bool applied = qm07::applySetting(c.setting, values, error);
        EXPECT_EQ(applied, c.index >= 0) << c.setting << ": " << error;
        if (!applied)
        {
            EXPECT_EQ(values, before) << c.setting;
            EXPECT_FALSE(error.empty()) << c.setting;
            continue;
        }
        const double got = qm07::realValue(c.index, values[c.index]);
        EXPECT_NEAR(got, c.real, 1e-4 * std::max(1.0, std::fabs(c.real))) << c.setting;
    }
}

} // namespace
