// Plays a whole clip through a started plug-in instance.
#pragma once

#include "AudioClip.h"
#include "HostedPlugin.h"

enum class Precision
{
    Single,
    Double,
};

/// The plug-in's outputs for the clip, one channel per plug-in output. Input channels are repeated
/// across the plug-in's inputs (a mono file feeds both sides of a stereo effect). When processSeconds
/// is given it receives the time spent inside the process calls alone.
AudioClip renderClip(HostedPlugin& plugin, const AudioClip& input, Precision precision,
                     double* processSeconds = nullptr);
