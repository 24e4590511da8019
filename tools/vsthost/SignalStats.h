// Level measurements of a clip, and how two clips differ sample by sample.
#pragma once

#include "AudioClip.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct Levels
{
    double peak = 0.0; ///< largest magnitude over all channels
    double rms = 0.0;  ///< root mean square over all samples of all channels
};

Levels measureLevels(const AudioClip& clip);
/// Decibels relative to full scale; "-inf" for silence.
std::string formatDecibels(double linear);

struct Difference
{
    bool sameShape = false;    ///< same channel count and length
    double maxAbsolute = 0.0;  ///< largest |a - b|
    std::int64_t maxUlps = 0;  ///< largest distance in float steps
    std::size_t differing = 0; ///< samples that are not bit-identical
};

/// Compares two clips sample by sample; the ulp distance counts the floats lying between two samples.
Difference compareClips(const AudioClip& a, const AudioClip& b);
/// Number of representable floats between a and b (0 when equal, also for +0 and -0).
std::int64_t ulpDistance(float a, float b);
