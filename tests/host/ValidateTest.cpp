// The battery against plug-ins with known faults, a VST and a CLAP one: each fault fails the check meant for
// it, and checks with nothing to find pass, so a check that cannot fail, or fails for the wrong reason,
// shows here. The CLAP one also watches our host, which must note its faults and deliver every change.
#include "Checks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace
{
struct Expected
{
    const char* check; ///< the start of its name
    const char* verdict;
    const char* reason; ///< part of its line
};

/// The battery's lines on the plug-in at path, the summary last.
std::vector<std::string> batteryLines(const char* path)
{
    Session session(path, 3, 1);
    std::FILE* out = std::tmpfile();
    EXPECT_EQ(runBattery(session, allChecks(), out), 1);
    std::rewind(out);
    std::vector<std::string> lines;
    for (char line[4096]; std::fgets(line, sizeof(line), out);)
        lines.emplace_back(line, std::strlen(line) - 1);
    std::fclose(out);
    return lines;
}

void expectVerdicts(const std::vector<std::string>& lines, const std::vector<Expected>& expected)
{
    for (const Expected& e : expected)
    {
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](const std::string& line)
                                        { return line.compare(6, std::strlen(e.check), e.check) == 0; });
        ASSERT_NE(found, lines.end()) << e.check;
        EXPECT_EQ(found->substr(0, 4), e.verdict) << *found;
        EXPECT_NE(found->find(e.reason), std::string::npos) << *found;
    }
}

bool mentions(const std::vector<std::string>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}
} // namespace

TEST(Validate, EachFaultFailsItsCheckAndNothingElseFails)
{
    const auto lines = batteryLines(FAULTY_PLUGIN_PATH);
    expectVerdicts(
        lines,
        {
            {"identity: effect record sane", "FAIL", "unique ID is 0"},
            {"identity: names within", "PASS", ""},
            {"opcodes: 0 to 79", "FAIL", "opcode 8 wrote past 9 bytes"},
            {"opcodes: out of range", "PASS", ""},
            {"opcodes: every program", "SKIP", "no programs"},
            {"parameters: 0, 1, steps", "FAIL", "set to 2.000000 reads 2.000000"},
            {"parameters: names, labels", "FAIL", "opcode 8, parameter 0 at 0.000000: wrote past 9 bytes"},
            {"parameters: random settings", "PASS", ""},
            {"state: bank and program", "PASS", ""},
            {"state: a fresh instance", "PASS", ""},
            {"state: truncated, random", "FAIL", "random bytes: parameter 0 reads"},
            {"state: chunk sizes", "FAIL", "a size of -4294967288 was taken"},
            {"process: random blocks", "PASS", ""},
            {"process: silence", "FAIL",
             "float, out of place, call 1 of 1 frames: output 0 sample 0 is 9.99995e-41"},
            {"process: full-scale noise", "PASS", ""},
            {"process: output is finite again", "FAIL", "is nan"},
            {"process: a call of 0 frames", "FAIL", "wrote past the end of output 0"},
            {"determinism: two fresh instances give the same output at the defaults", "PASS", ""},
            {"determinism: two fresh instances give the same output at random", "PASS", ""},
            {"threads:", "PASS", ""},
        });
    EXPECT_EQ(lines.back(), "11 passed, 9 failed");
}

TEST(Validate, EachClapFaultFailsItsCheckAndTheHostIsNotFaulted)
{
    const auto lines = batteryLines(FAULTY_CLAP_PATH);
    expectVerdicts(
        lines,
        {
            {"parameters: minimum, maximum", "FAIL", "parameter 0 set to -1.000000 reads -1.000000"},
            {"parameters: random settings", "PASS", ""},
            {"state: the saved state survives", "PASS", ""},
            {"state: a fresh instance's state", "PASS", ""},
            {"state: truncated, random", "FAIL", "after a state 16 random bytes: parameter 0 reads"},
            {"process: random blocks", "FAIL",
             "176400 Hz, float, out of place, call 1 of 1 frames: the plug-in failed"},
            {"process: output is finite again", "FAIL", "the plug-in failed the process call"},
            {"determinism: two fresh instances give the same output at the defaults", "PASS", ""},
            {"threads: parameters and state", "PASS", ""},
            {"editor: open and close", "SKIP", "no editor"},
            {"clap: a descriptor", "FAIL", "input port 0 pairs in place with a port that does not exist"},
            {"clap: parameter ids", "FAIL",
             "parameter 1 of a fresh instance reads 0.250000, not its default 0.500000"},
            {"clap: texts", "FAIL", "the text overruns a buffer of 4 bytes"},
            {"clap: the state loads from a stream", "FAIL", "state.load failed when each read gave one byte"},
            {"clap: no faults", "FAIL", "fault: "},
        });
    EXPECT_FALSE(mentions(lines, "opcodes:")) << "a VST-only check ran";
    EXPECT_FALSE(mentions(lines, "host misbehaving")) << "the plug-in found fault with our host";
}

TEST(ClapHost, KeepsTheLifecycleAndNotesThePluginsFaults)
{
    std::string error;
    auto plugin = ClapInstance::load(FAULTY_CLAP_PATH, error);
    ASSERT_TRUE(plugin) << error;
    plugin->setParameterValue(0, 0.5);
    const ParameterChange changes[] = {{10, 0, 0.25}, {63, 1, 1.0}, {500, 0, 0.75}};
    auto play = [&](auto sample)
    {
        std::vector<decltype(sample)> left(64, 0.5), right(64, 0.5);
        decltype(sample)* channels[] = {left.data(), right.data()};
        for (int block = 0; block < 20; ++block)
            plugin->processBlock(channels, channels, 64, changes, 3);
    };
    for (const bool wide : {false, true})
    {
        plugin->start(wide ? 44100.0 : 48000.0, 64);
        std::thread audio([&] { wide ? play(0.0) : play(0.0f); });
        plugin->setParameterValue(1, 0.5);
        audio.join();
        plugin->setParameterValue(1, 0.125);
        plugin->stop();
        EXPECT_EQ(plugin->parameterValue(0), 0.75) << "the change past the block's end was lost";
        EXPECT_EQ(plugin->parameterValue(1), 0.125) << "the change queued after the last block was lost";
    }
    const auto messages = plugin->takeMessages();
    for (const char* fault : {"params.request_flush called from the audio thread",
                              "a gesture ends on parameter 0 without beginning",
                              "parameter 0 reported at 5.000000, outside its range"})
        EXPECT_TRUE(mentions(messages, fault)) << fault;
    EXPECT_FALSE(mentions(messages, "host misbehaving")) << ::testing::PrintToString(messages);
}
