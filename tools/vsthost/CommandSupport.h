// Steps the vsthost commands share: loading with a message, parameter settings, level reports.
#pragma once

#include "AudioClip.h"
#include "HostedPlugin.h"

#include <memory>
#include <string>
#include <vector>

constexpr double kDefaultRawRate = 48000.0;
constexpr int kDefaultBlockSize = 512;

/// Loads a plug-in or prints why it cannot be loaded.
std::unique_ptr<HostedPlugin> loadOrReport(const std::string& path);
/// Reads NAME=VALUE (NAME a parameter name, case-insensitive, or an index); false when it is neither.
bool parseSetting(HostedPlugin& plugin, const std::string& setting, int& index, float& value);
/// Applies NAME=VALUE settings (NAME may also be an index) and prints each; false on a bad setting.
bool applySettings(HostedPlugin& plugin, const std::vector<std::string>& settings);
/// Prints one line: sample rate, channels, length, peak and RMS.
void printLevels(const char* label, const AudioClip& clip);
