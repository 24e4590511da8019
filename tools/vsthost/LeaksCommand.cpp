// vsthost leaks: many whole lives of a plug-in in one process (load, create, set a parameter, process,
// save state, destroy, unload), and whether the process keeps more memory or GDI objects afterwards than
// noise explains.
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "ResourceUse.h"
#include "validate/Drive.h"

#include <cstdio>

namespace
{
constexpr int kWarmUp = 20;
// Beyond noise: a leak of 16 bytes per life shows in the heap over 1000 lives, 4 KiB per life in the
// process's memory, and any GDI object kept by one life in ten.
constexpr double kHeapBytesPerLife = 16.0;
constexpr double kProcessBytesPerLife = 4096.0;
constexpr double kGdiObjectsPerLife = 0.1;

bool live(const std::string& path)
{
    auto plugin = loadOrReport(path);
    if (!plugin) return false;
    plugin->start(48000.0, 512);
    // A host moves a parameter in almost every life; the first change on a thread may cost the plug-in.
    if (plugin->effect().numParams > 0) plugin->setParameter(0, plugin->parameter(0));
    Stimulus stimulus(48000.0, 1);
    stimulus.setSignal(Signal::Noise);
    ProcessBuffers<float> buffers(plugin->effect().numInputs, plugin->effect().numOutputs, 512, false);
    for (int block = 0; block < 4; ++block)
    {
        stimulus.fill(buffers, 512);
        buffers.process(plugin->effect(), 512);
    }
    plugin->chunk();
    return true;
}

bool judge(const char* what, std::int64_t before, std::int64_t after, double allowedPerLife, int lives)
{
    if (before == ResourceUse::kUnknown || after == ResourceUse::kUnknown)
    {
        std::printf("SKIP  %s: not measurable here\n", what);
        return true;
    }
    const auto growth = static_cast<double>(after - before);
    const bool fine = growth <= allowedPerLife * lives;
    std::printf("%s  %s: %lld before, %lld after, %+.0f (%.2f per life; at most %.2f allowed)\n",
                fine ? "PASS" : "FAIL", what, static_cast<long long>(before), static_cast<long long>(after),
                growth, growth / lives, allowedPerLife);
    return fine;
}
} // namespace

int runLeaks(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--cycles"}, {});
    const int cycles = static_cast<int>(line.number("--cycles", 1000, 1, 1e7));
    if (!line.ok() || line.positional().size() != 1)
    {
        std::fprintf(stderr, "vsthost leaks: %s\nusage: vsthost leaks PLUGIN [--cycles N]\n",
                     line.ok() ? "wrong number of arguments" : line.error().c_str());
        return 2;
    }
    const std::string& path = line.positional()[0];
    for (int i = 0; i < kWarmUp; ++i)
        if (!live(path)) return 1;
    const ResourceUse before = measureResources();
    for (int i = 0; i < cycles; ++i)
        if (!live(path)) return 1;
    const ResourceUse after = measureResources();
    std::printf(
        "%d lives of %s (load, create, set a parameter, process, save state, destroy, unload) after %d "
        "to warm up\n",
        cycles, path.c_str(), kWarmUp);
    std::printf("Measured with %s\n", resourceMethods().c_str());
    bool fine = judge("heap bytes", before.heapBytes, after.heapBytes, kHeapBytesPerLife, cycles);
    fine =
        judge("process bytes", before.processBytes, after.processBytes, kProcessBytesPerLife, cycles) && fine;
    // Headroom shrinks when objects are kept, so the growth that counts is before minus after.
    fine =
        judge("GDI objects kept", after.gdiHeadroom, before.gdiHeadroom, kGdiObjectsPerLife, cycles) && fine;
    std::printf("%s\n", fine ? "No growth beyond noise" : "Resources grow with each life");
    return fine ? 0 : 1;
}
