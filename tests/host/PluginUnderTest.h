// The plug-in this tree builds, loaded through our host, and the buffers the host tests hand it.
#pragma once

#include "AudioClip.h"
#include "HostedPlugin.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

/// Path of the built plug-in (the .so natively, the DLL in the Windows build).
const char* pluginUnderTestPath();
/// A fresh instance, opened but not started; records a test failure and returns null if it cannot load.
std::unique_ptr<HostedPlugin> loadPluginUnderTest();

/// A byte buffer for one host call, with guard bytes after the part the plug-in may write.
class GuardedBuffer
{
public:
    static constexpr unsigned char kFill = 0xA5;
    static constexpr std::size_t kGuardBytes = 32;

    explicit GuardedBuffer(std::size_t writable) : size(writable), bytes(writable + kGuardBytes, kFill) {}

    char* data() { return reinterpret_cast<char*>(bytes.data()); }
    /// Nothing was written after the writable part.
    bool guardIntact() const;
    /// Nothing was written at all.
    bool untouched() const;
    /// The text up to the first zero in the writable part (all of it when there is none).
    std::string text() const;
    unsigned char at(std::size_t i) const { return bytes.at(i); }

private:
    std::size_t size;
    std::vector<unsigned char> bytes;
};

/// Stereo drums and bass, the same on every call.
AudioClip testSignal(double sampleRate, double seconds);
