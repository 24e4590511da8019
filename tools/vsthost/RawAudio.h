// The raw exchange format both host builds read and write: files ending in ".f32" hold interleaved
// stereo samples as IEEE-754 float32, little-endian, with no header; the sample rate travels separately.
#pragma once

#include "AudioClip.h"

#include <string>

constexpr int kRawChannels = 2;

bool isRawAudioPath(const std::string& path);
/// Reads a raw file; the clip gets the given sample rate, since the file carries none.
bool readRawAudio(const std::string& path, double sampleRate, AudioClip& clip, std::string& error);
bool writeRawAudio(const std::string& path, const AudioClip& clip, std::string& error);
