// Audio files by name: raw float32 on every build, the common formats where a codec library exists.
#pragma once

#include "AudioClip.h"

#include <string>

/// Reads path; a raw ".f32" file is taken to be at rawSampleRate.
bool readAudioFile(const std::string& path, double rawSampleRate, AudioClip& clip, std::string& error);
/// Writes path in the format its extension names.
bool writeAudioFile(const std::string& path, const AudioClip& clip, std::string& error);
