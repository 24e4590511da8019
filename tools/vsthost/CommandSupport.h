// Steps the vsthost commands share: loading with a message, parameter settings, level reports.
#pragma once

#include "AudioClip.h"
#include "CommandLine.h"
#include "PluginInstance.h"

#include <memory>
#include <string>
#include <vector>

constexpr double kDefaultRawRate = 48000.0;
constexpr int kDefaultBlockSize = 512;

/// Loads a plug-in of the format its file names (a .clap file is CLAP, anything else VST) or prints why it
/// cannot be loaded.
std::unique_ptr<PluginInstance> openOrReport(const std::string& path);
/// Index of the parameter NAME names (case-insensitive, outer spaces ignored) or its index in digits; -1
/// when it names none.
int parameterIndex(PluginInstance& plugin, const std::string& name);
/// Reads NAME=VALUE, the value in the format's own values; false when NAME names no parameter.
bool parseSetting(PluginInstance& plugin, const std::string& setting, int& index, double& value);
/// Applies NAME=VALUE settings and prints each; false on a bad setting.
bool applySettings(PluginInstance& plugin, const std::vector<std::string>& settings);
/// Loads a file of raw state bytes into the plug-in; false with a message when it cannot.
bool applyStateFile(PluginInstance& plugin, const std::string& path);
/// Writes the plug-in's state to a file as raw bytes; false with a message when it cannot.
bool saveStateFile(PluginInstance& plugin, const std::string& path);
/// The state file of --state, when given, then the --set settings; false with a message at a problem.
bool applyStateAndSettings(PluginInstance& plugin, const CommandLine& line);
/// Prints, one line each, what the plug-in logged and the faults the host saw since the last call.
void printMessages(PluginInstance& plugin);
/// Prints one line: sample rate, channels, length, peak and RMS.
void printLevels(const char* label, const AudioClip& clip);
