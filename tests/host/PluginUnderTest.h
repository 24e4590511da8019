// The plug-in this tree builds, loaded through our host, and the buffers the host tests hand it.
#pragma once

#include "AudioClip.h"
#include "GuardedBuffer.h"
#include "HostedPlugin.h"

#include <memory>
#include <string>
#include <vector>

/// Path of the built plug-in (the .so natively, the DLL in the Windows build).
const char* pluginUnderTestPath();
/// A fresh instance, opened but not started; records a test failure and returns null if it cannot load.
std::unique_ptr<HostedPlugin> loadPluginUnderTest();

/// Stereo drums and bass, the same on every call.
AudioClip testSignal(double sampleRate, double seconds);
