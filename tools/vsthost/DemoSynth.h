// A deterministic drums-and-bass loop, the signal of the demo and of the benchmark.
#pragma once

#include "AudioClip.h"

/// Two-bar loop at 120 beats per minute (kick, snare, hi-hat, bass), repeated to fill the duration,
/// normalised to a peak of -1 dBFS. The same arguments give the same samples on every run.
AudioClip synthesizeDemo(double sampleRate, double seconds);
