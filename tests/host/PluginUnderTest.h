// The plug-in this tree builds, loaded through our host, and the buffers the host tests hand it.
#pragma once

#include "AudioClip.h"
#include "GuardedBuffer.h"
#include "HostedPlugin.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

/// Path of the built plug-in (the .so natively, the DLL in the Windows build).
const char* pluginUnderTestPath();
/// A fresh instance, opened but not started; records a test failure and returns null if it cannot load.
std::unique_ptr<HostedPlugin> loadPluginUnderTest();

/// Stereo drums and bass, the same on every call.
AudioClip testSignal(double sampleRate, double seconds);

/// A host's audio thread for the editor tests: processes the test signal in 256-frame blocks and moves a
/// parameter after each, until stopped. It stops itself when a failed assertion ends the test early.
class AutomatingAudioThread
{
public:
    /// plugin must be started and outlive this.
    explicit AutomatingAudioThread(HostedPlugin& plugin);
    ~AutomatingAudioThread() { stop(); }

    /// Ends the thread; answers how many blocks it processed.
    long stop();

private:
    std::atomic<bool> stopping{false};
    std::atomic<long> blocks{0};
    std::thread thread;
};
