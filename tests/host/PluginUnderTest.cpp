// Loading the built plug-in and guarding the buffers handed to it.
#include "PluginUnderTest.h"

#include "DemoSynth.h"

#include <algorithm>
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

bool GuardedBuffer::guardIntact() const
{
    return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(size), bytes.end(),
                       [](unsigned char b) { return b == kFill; });
}

bool GuardedBuffer::untouched() const
{
    return std::all_of(bytes.begin(), bytes.end(), [](unsigned char b) { return b == kFill; });
}

std::string GuardedBuffer::text() const
{
    const auto end = std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0);
    return std::string(bytes.begin(), end);
}

AudioClip testSignal(double sampleRate, double seconds)
{
    return synthesizeDemo(sampleRate, seconds);
}
