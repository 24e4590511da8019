// qm07-lv2-ttl: writes the bundle's Turtle files, and tells tests the port values of normalized settings and
// the stored values of a factory preset.
#include "FactoryPresets.h"
#include "HostValues.h"
#include "Parameters.h"
#include "PortValues.h"
#include "TtlWriter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace
{
using namespace qm07;
using namespace qm07::lv2;

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file.flush());
}

int writeBundle(const std::string& directory, const BundleFiles& files)
{
    if (const std::string problems = presetProblems(); !problems.empty())
    {
        std::fputs(problems.c_str(), stderr);
        return 1;
    }
    const std::pair<const char*, std::string> outputs[] = {{kManifestFile, manifestTtl(files)},
                                                           {kPluginFile, pluginTtl()},
                                                           {kUiFile, uiTtl()},
                                                           {kPresetsFile, presetsTtl()}};
    for (const auto& [name, text] : outputs)
        if (!writeFile(directory + "/" + name, text))
        {
            std::fprintf(stderr, "qm07-lv2-ttl: cannot write %s/%s\n", directory.c_str(), name);
            return 1;
        }
    return 0;
}

// "Knee dB=0.5" becomes "knee_db=9.0": what a host sets the port to for that stored value.
int printPortValues(int count, char** settings)
{
    for (int n = 0; n < count; ++n)
    {
        const std::string setting = settings[n];
        const std::size_t equals = setting.find('=');
        const std::int32_t index = findParameter(setting.substr(0, equals).c_str());
        if (equals == std::string::npos || index < 0)
        {
            std::fprintf(stderr, "qm07-lv2-ttl: no parameter in '%s'\n", setting.c_str());
            return 2;
        }
        const float normalized = std::strtof(setting.c_str() + equals + 1, nullptr);
        std::printf("%s=%s\n", kParameters[index].symbol, turtleNumber(portValue(index, normalized)).c_str());
    }
    return 0;
}
// "Thresh=0.75" and the like, one a line: the stored values a preset's ports become, as vsthost --set takes
// them, every digit a float needs.
int printPresetValues(const std::string& symbol)
{
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        if (symbol != preset.symbol) continue;
        for (std::int32_t index = 0; index < kNumParams; ++index)
        {
            const float port = static_cast<float>(preset.ports[index]);
            const float stored = storedFromHost(index, port, kParameters[index].defaultValue);
            std::printf("%s=%.9g\n", kParameters[index].name, static_cast<double>(stored));
        }
        return 0;
    }
    std::fprintf(stderr, "qm07-lv2-ttl: no preset '%s'\n", symbol.c_str());
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "bundle" && argc == 5) return writeBundle(argv[2], {argv[3], argv[4]});
    if (command == "ports") return printPortValues(argc - 2, argv + 2);
    if (command == "preset" && argc == 3) return printPresetValues(argv[2]);
    std::fputs("usage: qm07-lv2-ttl bundle DIR DSP_BINARY UI_BINARY\n"
               "       qm07-lv2-ttl ports NAME=NORMALIZED ...\n"
               "       qm07-lv2-ttl preset SYMBOL\n",
               stderr);
    return 2;
}
