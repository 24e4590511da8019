// Raw interleaved stereo float32 files.
#include "RawAudio.h"

#include <cstring>
#include <fstream>
#include <iterator>

// Samples are copied byte for byte, which is little-endian on every target we build for (x86-64).

bool isRawAudioPath(const std::string& path)
{
    const std::string suffix = ".f32";
    return path.size() > suffix.size() &&
           path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool readRawAudio(const std::string& path, double sampleRate, AudioClip& clip, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        error = "cannot open " + path;
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    constexpr std::size_t frameBytes = kRawChannels * sizeof(float);
    if (bytes.size() % frameBytes != 0)
    {
        error = path + ": size is not a whole number of stereo float32 frames";
        return false;
    }
    const std::size_t frames = bytes.size() / frameBytes;
    clip.sampleRate = sampleRate;
    clip.channels.assign(kRawChannels, std::vector<float>(frames));
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < kRawChannels; ++c)
            std::memcpy(&clip.channels[c][i], &bytes[i * frameBytes + c * sizeof(float)], sizeof(float));
    return true;
}

bool writeRawAudio(const std::string& path, const AudioClip& clip, std::string& error)
{
    if (clip.channels.size() != kRawChannels)
    {
        error = path + ": raw files are stereo, the signal has " + std::to_string(clip.channels.size()) +
                " channels";
        return false;
    }
    std::vector<float> interleaved(clip.frames() * kRawChannels);
    for (std::size_t i = 0; i < clip.frames(); ++i)
        for (int c = 0; c < kRawChannels; ++c)
            interleaved[i * kRawChannels + c] = clip.channels[c][i];
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(interleaved.data()),
               static_cast<std::streamsize>(interleaved.size() * sizeof(float)));
    if (!file.flush())
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
