// vsthost: loads a VST 2.4 or CLAP plug-in, describes it, plays audio files through it, times it and opens
// its editor.
#include "Commands.h"

#include <cstdio>
#include <cstring>

namespace
{
const char kUsage[] =
    "usage:\n"
    "  vsthost info PLUGIN\n"
    "  vsthost render PLUGIN IN OUT [--set NAME=VALUE ...] [--at FRAME:NAME=VALUE ...] [--state FILE]\n"
    "                 [--save-state FILE] [--block N] [--double] [--rate HZ]\n"
    "  vsthost bench PLUGIN [--set NAME=VALUE ...] [--state FILE] [--block N] [--rate HZ]\n"
    "  vsthost compare A B [--ulps N] [--rate HZ]\n"
    "  vsthost edit PLUGIN [--seconds S] [--set NAME=VALUE ...] [--at S:NAME=VALUE ...] [--state FILE]\n"
    "               [--signal drums|tone|silence] [--block N] [--rate HZ]\n"
    "  vsthost validate PLUGIN [--strictness 1..10] [--seed N]\n"
    "  vsthost leaks PLUGIN [--cycles N] [--editor-cycles N]\n"
    "\n"
    "PLUGIN is a VST 2.4 plug-in, or a CLAP plug-in when its file ends in .clap.\n"
    "Files ending in .f32 are raw interleaved stereo float32, little-endian, without a header;\n"
    "--rate gives their sample rate (default 48000). The native build also reads what libsndfile\n"
    "reads and writes .wav, .aif(f) and .flac. --set takes a parameter name (or index) and a value\n"
    "in the format's own terms: normalized for VST, e.g. --set \"Knee dB=0.5\", the plain value in\n"
    "the parameter's units for CLAP, e.g. --set \"Knee dB=12\". --at FRAME:NAME=VALUE changes a\n"
    "parameter at that frame of the render. --state loads a file of raw state bytes before the\n"
    "settings, --save-state writes the state after the render. --block is the largest block per\n"
    "process call (default 512). compare succeeds when every sample is within N float steps\n"
    "(default 2). edit opens the editor, idles it, plays the signal through the plug-in and prints\n"
    "every edit the editor reports; --at sets a parameter from the audio thread at a time.\n"
    "validate runs a battery of checks, one line each, and fails when any check fails. leaks loads,\n"
    "runs and unloads the plug-in N times (default 1000) and fails when memory or GDI objects grow.\n";
}

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    const char* command = argv[1];
    if (std::strcmp(command, "info") == 0) return runInfo(args);
    if (std::strcmp(command, "render") == 0) return runRender(args);
    if (std::strcmp(command, "bench") == 0) return runBench(args);
    if (std::strcmp(command, "compare") == 0) return runCompare(args);
    if (std::strcmp(command, "edit") == 0) return runEdit(args);
    if (std::strcmp(command, "validate") == 0) return runValidate(args);
    if (std::strcmp(command, "leaks") == 0) return runLeaks(args);
    std::fputs(kUsage, stderr);
    return 2;
}
