// The battery against a plug-in with known faults: each fault fails the check meant for it, and checks
// with nothing to find pass, so a check that cannot fail, or fails for the wrong reason, shows here.
#include "Checks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace
{
/// The battery's lines by check name: verdict and detail.
std::map<std::string, std::string> runOnFaultyPlugin(std::string& summary)
{
    Session session(FAULTY_PLUGIN_PATH, 3, 1);
    std::FILE* out = std::tmpfile();
    EXPECT_EQ(runBattery(session, allChecks(), out), 1);
    std::rewind(out);
    std::map<std::string, std::string> lines;
    char line[4096];
    while (std::fgets(line, sizeof(line), out))
    {
        const std::string text(line, std::strlen(line) - 1);
        for (const auto& check : allChecks())
            if (text.compare(6, std::strlen(check.name), check.name) == 0) lines[check.name] = text;
        summary = text;
    }
    std::fclose(out);
    return lines;
}
} // namespace

TEST(Validate, EachFaultFailsItsCheckAndNothingElseFails)
{
    const struct
    {
        const char* check;
        const char* verdict;
        const char* reason;
    } expected[] = {
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
    };
    std::string summary;
    const auto lines = runOnFaultyPlugin(summary);
    for (const auto& e : expected)
    {
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](const auto& line) { return line.first.rfind(e.check, 0) == 0; });
        ASSERT_NE(found, lines.end()) << e.check;
        EXPECT_EQ(found->second.substr(0, 4), e.verdict) << found->second;
        EXPECT_NE(found->second.find(e.reason), std::string::npos) << found->second;
    }
    EXPECT_EQ(summary, "11 passed, 9 failed");
}
