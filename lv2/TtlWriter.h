// The bundle's Turtle files, written from the core's parameter table, the port layout and the presets.
#pragma once

#include <string>

namespace qm07::lv2
{
struct BundleFiles
{
    std::string dspBinary; ///< file names inside the bundle
    std::string uiBinary;
};

constexpr const char* kManifestFile = "manifest.ttl";
constexpr const char* kPluginFile = "qm07-compressor.ttl";
constexpr const char* kUiFile = "qm07-compressor-ui.ttl";
constexpr const char* kPresetsFile = "presets.ttl";

std::string manifestTtl(const BundleFiles& files);
std::string pluginTtl();
std::string uiTtl();
std::string presetsTtl();
/// Empty when every preset value lies within its port's range, else what does not.
std::string presetProblems();
/// A number as Turtle reads it back into the same float: "-20.0", "1.61041653", "3.41421366".
std::string turtleNumber(double value);
} // namespace qm07::lv2
