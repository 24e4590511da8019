// Loading the built plug-in, its test signal, and a host's audio thread that drives it.
#include "PluginUnderTest.h"

#include "DemoSynth.h"

#include <gtest/gtest.h>

#include <chrono>

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

AutomatingAudioThread::AutomatingAudioThread(HostedPlugin& plugin)
    : thread(
          [this, &plugin]
          {
              AudioClip signal = testSignal(48000.0, 1.0);
              std::vector<float> left(256), right(256);
              float* outputs[] = {left.data(), right.data()};
              for (std::size_t at = 0; !stopping.load(); at = (at + 256) % (signal.frames() - 256))
              {
                  float* inputs[] = {&signal.channels[0][at], &signal.channels[1][at]};
                  plugin.processFloat(inputs, outputs, 256);
                  const long n = blocks.load();
                  plugin.setParameter(static_cast<int>(n % 10), static_cast<float>(n % 7) / 6.0f);
                  ++blocks;
                  // A host's audio thread waits for the next block; spinning would starve the UI.
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
          })
{
}

long AutomatingAudioThread::stop()
{
    stopping = true;
    if (thread.joinable()) thread.join();
    return blocks.load();
}
