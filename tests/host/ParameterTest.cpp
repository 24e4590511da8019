// The ten parameters as a host sees them: texts, values, clamping and bad indices.
#include "PluginUnderTest.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{
struct ParameterTexts
{
    const char* name;
    const char* label;
    const char* display;
};

const ParameterTexts kDefaults[] = {
    {"Thresh", "dB", "0.500000"}, {"Ratio", "", "0.500000"},     {"Gain", "dB", "0.000000"},
    {"Attack", "ms", "0.375000"}, {"Release", "ms", "0.500000"}, {"Knee dB", "dB", "0.375000"},
    {"Knee %", "%", "0.000000"},  {"SC Mode", "", "0.000000"},   {"Push", "", "0.000000"},
    {"Wet/Dry", "%", "0.000000"},
};

/// Asks for one parameter text in a buffer of exactly 9 bytes plus guards.
std::string parameterText(HostedPlugin& plugin, std::int32_t opcode, int index)
{
    GuardedBuffer text(kVstMaxParamStrLen + 1);
    EXPECT_EQ(plugin.dispatch(opcode, index, 0, text.data()), 0);
    EXPECT_EQ(text.at(kVstMaxParamStrLen), 0) << "no terminator at [8]";
    EXPECT_TRUE(text.guardIntact()) << "opcode " << opcode << " wrote past [8]";
    return text.text();
}

bool leavesBufferAlone(HostedPlugin& plugin, std::int32_t opcode, int index)
{
    GuardedBuffer text(64);
    plugin.dispatch(opcode, index, 0, text.data());
    return text.untouched();
}
} // namespace

TEST(HostParameters, NamesLabelsAndDisplaysOfTheDefaults)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE("parameter " + std::to_string(i));
        EXPECT_EQ(parameterText(*plugin, effGetParamName, i), kDefaults[i].name);
        EXPECT_EQ(parameterText(*plugin, effGetParamLabel, i), kDefaults[i].label);
        EXPECT_EQ(parameterText(*plugin, effGetParamDisplay, i), kDefaults[i].display);
    }
}

TEST(HostParameters, TextsForIndicesOutOfRangeLeaveTheBufferAlone)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    for (std::int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
        for (int index : {-1, 10, 1000})
            EXPECT_TRUE(leavesBufferAlone(*plugin, opcode, index))
                << "opcode " << opcode << " index " << index;
}

TEST(HostParameters, DisplayTruncatesTheStoredValue)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->setParameter(0, 0.7f);
    EXPECT_EQ(parameterText(*plugin, effGetParamDisplay, 0), "0.699999");
    plugin->setParameter(0, 1.0f);
    EXPECT_EQ(parameterText(*plugin, effGetParamDisplay, 0), "1.000000");
    plugin->setParameter(9, 0.999999f);
    EXPECT_EQ(parameterText(*plugin, effGetParamDisplay, 9), "0.999998");
}

TEST(HostParameters, ValuesAreClampedAndBadIndicesIgnored)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->setParameter(3, 1.7f);
    EXPECT_EQ(plugin->parameter(3), 1.0f);
    plugin->setParameter(4, -0.5f);
    EXPECT_EQ(plugin->parameter(4), 0.0f);
    plugin->setParameter(5, 0.25f);
    EXPECT_EQ(plugin->parameter(5), 0.25f);

    const auto before = plugin->chunk();
    plugin->setParameter(-1, 0.9f);
    plugin->setParameter(10, 0.9f);
    EXPECT_EQ(plugin->chunk(), before);
    EXPECT_EQ(plugin->parameter(-1), 0.0f);
    EXPECT_EQ(plugin->parameter(10), 0.0f);
}

TEST(HostParameters, HostWritesAreNotReportedBackAsAutomation)
{
    auto plugin = loadPluginUnderTest();
    ASSERT_TRUE(plugin);
    plugin->start(44100.0, 512);
    for (int i = 0; i < 10; ++i)
        plugin->setParameter(i, 0.3f);
    plugin->setChunk(plugin->chunk());
    EXPECT_EQ(plugin->requestCount(audioMasterAutomate), 0);
    EXPECT_EQ(plugin->requestCount(audioMasterBeginEdit), 0);
    EXPECT_EQ(plugin->requestCount(audioMasterEndEdit), 0);
}
