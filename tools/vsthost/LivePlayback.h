// Plays a looped signal through a started plug-in on an audio thread of its own, at the pace of real time.
#pragma once

#include "AudioClip.h"
#include "PluginInstance.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

/// A parameter value the host sets from its audio thread once playback has reached a given time.
struct ScheduledSetting
{
    double seconds = 0.0;
    int index = 0;
    double value = 0.0;
};

/// Blocks of the plug-in's block size go through its single-precision process call one after another,
/// each started no earlier than its place in real time, as an audio interface would ask for them.
/// Scheduled settings go with the block that contains their time, at its first frame. The audio thread
/// never allocates, locks or prints.
class LivePlayback
{
public:
    /// Starts the audio thread; the plug-in must be started and stay so until stop().
    LivePlayback(PluginInstance& plugin, AudioClip signal, std::vector<ScheduledSetting> schedule);
    ~LivePlayback();

    LivePlayback(const LivePlayback&) = delete;
    LivePlayback& operator=(const LivePlayback&) = delete;

    /// Ends the audio thread after its current block; does nothing the second time.
    void stop();
    std::size_t blocksPlayed() const { return blocks.load(std::memory_order_acquire); }
    /// How many of the schedule's settings (sorted by time) the audio thread has applied so far.
    std::size_t settingsApplied() const { return applied.load(std::memory_order_acquire); }
    /// The schedule in the order the audio thread applies it.
    const std::vector<ScheduledSetting>& schedule() const { return settings; }

private:
    void run();
    void fillInput(std::size_t start, std::size_t frames);
    std::size_t collectDue(std::size_t blockEnd);

    PluginInstance& plugin;
    AudioClip loop;
    std::vector<ScheduledSetting> settings;
    std::size_t blockFrames;
    std::vector<std::vector<float>> inputs;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
    std::vector<ParameterChange> due;
    std::atomic<bool> running{true};
    std::atomic<std::size_t> blocks{0};
    std::atomic<std::size_t> applied{0};
    std::thread thread;
};
