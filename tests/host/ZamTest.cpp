// Our host against a plug-in written elsewhere: if the record layout, the opcode numbers or the
// callback were wrong, this independent implementation would answer nonsense.
#include "DemoSynth.h"
#include "HostedPlugin.h"
#include "ParameterLookup.h"
#include "Renderer.h"
#include "SignalStats.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
std::unique_ptr<HostedPlugin> loadZam()
{
    std::string error;
    auto plugin = HostedPlugin::load(ZAM_PLUGIN_PATH, error);
    if (!plugin) ADD_FAILURE() << error;
    return plugin;
}
} // namespace

TEST(HostZam, RecordAndIdentity)
{
    auto plugin = loadZam();
    ASSERT_TRUE(plugin);
    const AEffect& effect = plugin->effect();
    EXPECT_EQ(effect.magic, kEffectMagic);
    EXPECT_EQ(effect.uniqueID, fourCharCode('Z', 'C', 'P', '2'));
    EXPECT_EQ(effect.numOutputs, 2);
    EXPECT_EQ(effect.numParams, 9);
    EXPECT_TRUE(effect.flags & effFlagsCanReplacing);
    EXPECT_EQ(plugin->effectName(), "ZamCompX2");
    EXPECT_EQ(plugin->vendorName(), "Damien Zammit");
    EXPECT_EQ(plugin->dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(plugin->dispatch(effGetPlugCategory), kPlugCategEffect);
}

TEST(HostZam, ParametersByNameAndValue)
{
    auto plugin = loadZam();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->parameterName(0), "Attack");
    EXPECT_EQ(plugin->parameterLabel(0), "ms");
    const int ratio = findParameterNamed(*plugin, " ratio ");
    ASSERT_EQ(ratio, 3);
    plugin->setParameter(ratio, 0.25f);
    EXPECT_NEAR(plugin->parameter(ratio), 0.25f, 1e-6);
    EXPECT_EQ(findParameterNamed(*plugin, "No Such Knob"), -1);
}

TEST(HostZam, CompressesLoudInput)
{
    auto plugin = loadZam();
    ASSERT_TRUE(plugin);
    plugin->setParameter(findParameterNamed(*plugin, "Threshold"), 0.5f);
    plugin->start(48000.0, 512);
    const AudioClip input = synthesizeDemo(48000.0, 1.0);
    const AudioClip output = renderClip(*plugin, input, Precision::Single);
    ASSERT_EQ(output.channels.size(), 2u);
    const Levels in = measureLevels(input);
    const Levels out = measureLevels(output);
    EXPECT_TRUE(std::isfinite(out.rms));
    EXPECT_GT(out.rms, 0.0);
    EXPECT_LT(out.peak, in.peak);
}
