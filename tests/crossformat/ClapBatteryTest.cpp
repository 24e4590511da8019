// The battery's CLAP checks and the CLAP host's own watch against a plug-in with known faults: each fault
// fails the check meant for it or is noted by the host, while the plug-in, which watches its host in turn,
// finds nothing wrong with ours.
#include "Checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <thread>

namespace
{
/// The battery's line for each check that ran, and the summary.
std::vector<std::string> runBatteryLines()
{
    Session session(FAULTY_CLAP_PATH, 3, 1);
    std::FILE* out = std::tmpfile();
    EXPECT_EQ(runBattery(session, allChecks(), out), 1);
    std::rewind(out);
    std::vector<std::string> lines;
    for (char line[4096]; std::fgets(line, sizeof(line), out);)
        lines.emplace_back(line, std::strlen(line) - 1);
    std::fclose(out);
    return lines;
}

bool mentions(const std::vector<std::string>& lines, const std::string& text)
{
    for (const auto& line : lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}
} // namespace

TEST(ClapBattery, EachFaultFailsItsCheck)
{
    const struct
    {
        const char* check;
        const char* verdict;
        const char* reason;
    } expected[] = {
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
    };
    const auto lines = runBatteryLines();
    for (const auto& e : expected)
    {
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](const std::string& line)
                                        { return line.compare(6, std::strlen(e.check), e.check) == 0; });
        ASSERT_NE(found, lines.end()) << e.check;
        EXPECT_EQ(found->substr(0, 4), e.verdict) << *found;
        EXPECT_NE(found->find(e.reason), std::string::npos) << *found;
    }
    EXPECT_FALSE(mentions(lines, "opcodes:")) << "a VST-only check ran";
    EXPECT_FALSE(mentions(lines, "host misbehaving")) << "the plug-in found fault with our host";
}

TEST(ClapHost, KeepsTheLifecycleAndNotesThePluginsFaults)
{
    std::string error;
    auto plugin = ClapInstance::load(FAULTY_CLAP_PATH, error);
    ASSERT_TRUE(plugin) << error;
    plugin->setParameterValue(0, 0.5);
    for (const bool wide : {false, true})
    {
        plugin->start(wide ? 44100.0 : 48000.0, 64);
        std::thread audio(
            [&]
            {
                std::vector<double> left(64, 0.5), right(64, 0.5);
                double* channels[] = {left.data(), right.data()};
                std::vector<float> leftFloat(64, 0.5f), rightFloat(64, 0.5f);
                float* floats[] = {leftFloat.data(), rightFloat.data()};
                const ParameterChange changes[] = {{10, 0, 0.25}, {63, 1, 1.0}, {500, 0, 0.75}};
                for (int block = 0; block < 20; ++block)
                    if (wide)
                        plugin->processBlock(channels, channels, 64, changes, 3);
                    else
                        plugin->processBlock(floats, floats, 64, changes, 3);
            });
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
