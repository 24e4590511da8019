// The params extension as a host reads it: the table, values as the plug-in sees them, texts, flush.
#include "ClapPlugin.h"
#include "ClapTestSupport.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace
{
using namespace qm07;
using namespace qm07::test;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kAutomatable = CLAP_PARAM_IS_AUTOMATABLE;
constexpr std::uint32_t kEnum = CLAP_PARAM_IS_AUTOMATABLE | CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_ENUM;

struct Params : ::testing::Test
{
    TestHost host;
    Instance instance{host};
    const clap_plugin* p = instance.plugin;
    const clap_plugin_params& params = *instance.params;

    double value(clap_id id)
    {
        double v = kNaN;
        EXPECT_TRUE(params.get_value(p, id, &v));
        return v;
    }
};

// Real units from the product's description; the defaults are what the VST build starts with.
TEST_F(Params, InfoListsTheTenByIdWithTheirRangesAndDefaults)
{
    const struct
    {
        const char* name;
        std::uint32_t flags;
        double minimum, maximum, defaultValue;
    } kInfo[] = {
        {"Thresh", kAutomatable, -40.0, 0.0, -20.0},
        {"Ratio", kAutomatable, 1.0, 100.0, 1.0 / (1.0 - std::sqrt(0.5))},
        {"Gain", kAutomatable, 0.0, 24.0, 0.0},
        {"Attack", kAutomatable, 0.03, 30.0, 29.97 * 0.375 * 0.375 * 0.375 + 0.03},
        {"Release", kAutomatable, 50.0, 2000.0, 293.75},
        {"Knee dB", kAutomatable, 0.0, 24.0, 9.0},
        {"Knee %", kAutomatable, 0.0, 100.0, 0.0},
        {"SC Mode", kEnum, 0.0, 2.0, 0.0},
        {"Push", kEnum, 0.0, 2.0, 0.0},
        {"Wet/Dry", kAutomatable, 0.0, 100.0, 0.0},
    };
    ASSERT_EQ(params.count(p), static_cast<std::uint32_t>(kNumParams));
    for (std::uint32_t i = 0; i < kNumParams; ++i)
    {
        clap_param_info info;
        std::memset(&info, 0x5a, sizeof info);
        ASSERT_TRUE(params.get_info(p, i, &info));
        const auto& want = kInfo[i];
        EXPECT_EQ(info.id, i);
        EXPECT_STREQ(info.name, want.name);
        EXPECT_STREQ(info.module, "");
        EXPECT_EQ(info.cookie, nullptr);
        EXPECT_EQ(info.flags, want.flags) << want.name;
        EXPECT_EQ(info.min_value, want.minimum) << want.name;
        EXPECT_EQ(info.max_value, want.maximum) << want.name;
        EXPECT_NEAR(info.default_value, want.defaultValue, 1e-5) << want.name;
        EXPECT_EQ(value(i), info.default_value) << want.name;
    }
}

TEST_F(Params, UnknownIdsNaNAndUnreadableTextsAreRefused)
{
    clap_param_info info;
    double v = 0.0;
    char buffer[32];
    for (clap_id id : {static_cast<clap_id>(kNumParams), CLAP_INVALID_ID})
    {
        EXPECT_FALSE(params.get_info(p, id, &info));
        EXPECT_FALSE(params.get_value(p, id, &v));
        EXPECT_FALSE(params.value_to_text(p, id, 0.0, buffer, sizeof buffer));
        EXPECT_FALSE(params.text_to_value(p, id, "0", &v));
    }
    EXPECT_FALSE(params.text_to_value(p, kGain, "loud", &v));
    EXPECT_FALSE(params.value_to_text(p, kGain, kNaN, buffer, sizeof buffer));
}

// Plain values read as the core's texts, those outside the range as its nearest end; texts read back as
// plain values.
TEST_F(Params, PlainValuesAndTextsConvertBothWays)
{
    const struct
    {
        clap_id id;
        double value;
        const char* text;
        double readsAs; ///< what text_to_value makes of the text
    } kTexts[] = {
        {kThresh, -40.0, "\u221240.0 dB", -40.0},
        {kRatio, 100.0, "\u221E:1", 100.0},
        {kRatio, 1e9, "\u221E:1", 100.0},
        {kGain, 30.0, "24.0 dB", 24.0},
        {kWetDry, -kInf, "0 % dry", 0.0},
        {kScMode, 2.0, "B", 2.0},
        {kPush, 1.0, "I", 1.0},
    };
    for (const auto& c : kTexts)
    {
        char text[64];
        ASSERT_TRUE(params.value_to_text(p, c.id, c.value, text, sizeof text)) << c.id << " at " << c.value;
        EXPECT_STREQ(text, c.text);
        double back = kNaN;
        ASSERT_TRUE(params.text_to_value(p, c.id, c.text, &back)) << c.text;
        EXPECT_EQ(back, c.readsAs) << c.text;
    }
    double v = 0.0;
    ASSERT_TRUE(params.text_to_value(p, kRatio, "inf", &v));
    EXPECT_EQ(v, 100.0);
    ASSERT_TRUE(params.text_to_value(p, kScMode, "b", &v));
    EXPECT_EQ(v, 2.0);
}

TEST_F(Params, FlushAppliesEventsWhileInactiveAndWhileActiveAndTheEditorSeesThem)
{
    // Clamped to the range, positions rounded, ∞ and all beyond it as 100, NaN keeping the value before.
    const struct
    {
        clap_id id;
        double sent;
        double reads; ///< what get_value answers afterwards
    } kFlushes[] = {
        {kThresh, -12.0, -12.0}, {kThresh, 5.0, 0.0},   {kThresh, -kInf, -40.0},
        {kRatio, 250.0, 100.0},  {kRatio, kInf, 100.0}, {kRatio, 0.5, 1.0},
        {kScMode, 1.4, 1.0},     {kPush, 7.0, 2.0},     {kGain, kNaN, 0.0},
    };
    for (bool active : {false, true})
    {
        if (active)
        {
            ASSERT_TRUE(p->activate(p, 44100.0, 1, 256));
        }
        for (const auto& c : kFlushes)
        {
            ClapPlugin::of(p).values().takeUnseen();
            InputEvents events;
            events.add(7, c.id, c.sent);
            params.flush(p, events.list(), nullptr);
            EXPECT_NEAR(value(c.id), c.reads, 1e-6) << c.id << " sent " << c.sent; // stored as a float
            EXPECT_EQ(ClapPlugin::of(p).values().takeUnseen(), 1u << c.id);
        }
        params.flush(p, nullptr, nullptr);
    }
    p->deactivate(p);
}

TEST_F(Params, OffMainThreadCallsAreLoggedByTheNextMainThreadCall)
{
    host.onMainThread = false;
    params.count(p);
    EXPECT_TRUE(host.messages.empty()) << "nothing is logged off the main thread";
    host.onMainThread = true;
    params.count(p);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "params.count was called off the main thread");
}

} // namespace
