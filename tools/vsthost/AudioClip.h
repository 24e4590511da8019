// A block of planar audio with its sample rate, as read from and written to files.
#pragma once

#include <cstddef>
#include <vector>

struct AudioClip
{
    double sampleRate = 48000.0;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
};
