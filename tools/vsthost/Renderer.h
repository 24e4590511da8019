// Plays a whole clip through a started plug-in instance.
#pragma once

#include "AudioClip.h"
#include "PluginInstance.h"

#include <vector>

enum class Precision
{
    Single,
    Double,
};

/// The plug-in's outputs for the clip, one channel per plug-in output, in process calls of the instance's
/// block size. Input channels are repeated across the plug-in's inputs (a mono file feeds both sides of a
/// stereo effect). Changes (sorted by frame, counted from the clip's start) land on their frames. When
/// processSeconds is given it receives the time spent inside the process calls alone.
AudioClip renderClip(PluginInstance& plugin, const AudioClip& input, Precision precision,
                     const std::vector<ParameterChange>& changes = {}, double* processSeconds = nullptr);
