// Loading the built plug-in and guarding the buffers handed to it.
#include "PluginUnderTest.h"

#include "DemoSynth.h"

#include <gtest/gtest.h>

const char* pluginUnderTestPath()
{
    return QM07_PLUGIN_PATH;
}

std::unique_ptr<HostedPlugin> loadPluginUnderTest()
{
    std::string error;
    auto plugin = HostedPlugin::load(pluginUnderTestPath(), error);
    if (!plugin) ADD_FAILURE() << error;
    return plugin;
}

AudioClip testSignal(double sampleRate, double seconds)
{
    return synthesizeDemo(sampleRate, seconds);
}
