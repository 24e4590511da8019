// vsthost leaks: many whole lives of a plug-in in one process (load, create, set a parameter, process,
// save state, destroy, unload), and whether the process keeps more memory or GDI objects afterwards than
// noise explains.
#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "EditorWindow.h"
#include "ResourceUse.h"
#include "validate/Drive.h"

#include <cstdio>
#include <string>

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
    auto plugin = openOrReport(path);
    if (!plugin) return false;
    plugin->start(48000.0, 512);
    // A host moves a parameter in almost every life; the first change on a thread may cost the plug-in.
    if (plugin->parameterCount() > 0) plugin->setParameterValue(0, plugin->parameterValue(0));
    Stimulus stimulus(48000.0, 1);
    stimulus.setSignal(Signal::Noise);
    ProcessBuffers<float> buffers(plugin->inputCount(), plugin->outputCount(), 512, false);
    for (int block = 0; block < 4; ++block)
    {
        stimulus.fill(buffers, 512);
        buffers.process(*plugin, 512);
    }
    plugin->saveState();
    return true;
}

bool judge(const std::string& what, std::int64_t before, std::int64_t after, double allowedPerLife, int lives)
{
    if (before == ResourceUse::kUnknown || after == ResourceUse::kUnknown)
    {
        std::printf("SKIP  %s: not measurable here\n", what.c_str());
        return true;
    }
    const auto growth = static_cast<double>(after - before);
    const bool fine = growth <= allowedPerLife * lives;
    std::printf("%s  %s: %lld before, %lld after, %+.0f (%.2f per life; at most %.2f allowed)\n",
                fine ? "PASS" : "FAIL", what.c_str(), static_cast<long long>(before),
                static_cast<long long>(after), growth, growth / lives, allowedPerLife);
    return fine;
}

/// Judges every measured resource, each line's name after prefix.
bool judgeGrowth(const std::string& prefix, const ResourceUse& before, const ResourceUse& after, int lives)
{
    bool fine = judge(prefix + "heap bytes", before.heapBytes, after.heapBytes, kHeapBytesPerLife, lives);
    fine = judge(prefix + "process bytes", before.processBytes, after.processBytes, kProcessBytesPerLife,
                 lives) &&
           fine;
    // Headroom shrinks when objects are kept, so the growth that counts is before minus after.
    return judge(prefix + "GDI objects kept", after.gdiHeadroom, before.gdiHeadroom, kGdiObjectsPerLife,
                 lives) &&
           fine;
}

/// Opens and closes the editor of one instance in a window of ours; answers false when that cannot be
/// done here, with the reason printed. Window classes that outlive the last closing are printed as FAIL.
bool editorLives(const std::string& path, int cycles, bool& fine)
{
    auto plugin = openOrReport(path);
    if (!plugin) return false;
    if (!plugin->hasEditor())
    {
        std::printf("SKIP  editor: the plug-in has no editor\n");
        return true;
    }
    int width = 400;
    int height = 300;
    plugin->editorSize(width, height);
    std::string error;
    auto window = EditorWindow::open("vsthost leaks", 40, 40, width, height, error);
    if (!window)
    {
        std::printf("SKIP  editor: %s\n", error.c_str());
        return true;
    }
    plugin->start(48000.0, 512);
    std::vector<WindowClass> classes;
    auto open = [&]
    {
        plugin->openEditor(window->nativeHandle());
        for (int pass = 0; pass < 3; ++pass)
        {
            window->handleEvents(0, [](const VstKeyCode&, bool) { return false; });
            plugin->idleEditor();
        }
        if (classes.empty()) classes = childWindowClasses(window->nativeHandle());
        plugin->closeEditor();
    };
    for (int i = 0; i < kWarmUp; ++i)
        open();
    const ResourceUse before = measureResources();
    for (int i = 0; i < cycles; ++i)
        open();
    const ResourceUse after = measureResources();
    std::printf("%d openings and closings of the editor in one instance, after %d to warm up\n", cycles,
                kWarmUp);
    fine = judgeGrowth("editor: ", before, after, cycles) && fine;
    for (const WindowClass& windowClass : classes)
    {
        const bool kept = windowClassRegistered(windowClass);
        std::printf("%s  editor: window class \"%s\" %s after the last closing\n", kept ? "FAIL" : "PASS",
                    windowClass.name.c_str(), kept ? "is still registered" : "is gone");
        fine = fine && !kept;
    }
    return true;
}
} // namespace

int runLeaks(const std::vector<std::string>& args)
{
    CommandLine line(args, {"--cycles", "--editor-cycles"}, {});
    const int cycles = static_cast<int>(line.number("--cycles", 1000, 1, 1e7));
    const int editorCycles = static_cast<int>(line.number("--editor-cycles", 0, 0, 1e7));
    if (!line.usable(1, "vsthost leaks", "usage: vsthost leaks PLUGIN [--cycles N] [--editor-cycles N]\n"))
        return 2;
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
    bool fine = judgeGrowth("", before, after, cycles);
    if (editorCycles > 0 && !editorLives(path, editorCycles, fine)) return 1;
    std::printf("%s\n", fine ? "No growth beyond noise" : "Resources grow with each life");
    return fine ? 0 : 1;
}
