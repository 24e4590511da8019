// The editor: opened and closed many times in a window of ours while another thread processes, and idle
// calls while it is closed.
#include "Checks.h"
#include "Drive.h"
#include "EditorWindow.h"

#include <atomic>
#include <thread>

namespace
{
constexpr int kOpenings = 50;

Outcome openAndCloseWhileProcessing(Session& session)
{
    std::string error;
    auto plugin = session.instance(error);
    if (!plugin) return Outcome::fail(error);
    if (!plugin->hasEditor()) return Outcome::skip("the plug-in has no editor");
    int width = 400;
    int height = 300;
    plugin->editorSize(width, height);
    auto window = EditorWindow::open("vsthost validate", 40, 40, width, height, error);
    if (!window) return Outcome::skip("no window for the editor: " + error);

    plugin->start(48000.0, 512);
    std::atomic<bool> stop{false};
    OutputScan bad;
    std::thread audio(
        [&]
        {
            Stimulus stimulus(48000.0, 5);
            ProcessBuffers<float> buffers(plugin->inputCount(), plugin->outputCount(), 512, false);
            while (!stop.load() && bad.nonFinite == 0)
            {
                stimulus.fill(buffers, 512);
                buffers.process(*plugin, 512);
                bad = buffers.scan();
            }
        });
    Findings findings;
    const bool vst = plugin->format() == PluginFormat::Vst;
    for (int opening = 0; opening < kOpenings; ++opening)
    {
        findings.expect(plugin->openEditor(window->nativeHandle()),
                        std::string(vst ? "effEditOpen answered 0" : "the editor did not open") +
                            " at opening " + std::to_string(opening + 1));
        for (int pass = 0; pass < 3; ++pass)
        {
            window->handleEvents(0, [](const VstKeyCode&, bool) { return false; });
            plugin->idleEditor();
        }
        plugin->closeEditor();
    }
    stop = true;
    audio.join();
    findings.expect(bad.nonFinite == 0, "processing meanwhile: " + bad.first);
    return findings.outcome();
}

Outcome idleWhileClosed(Session& session)
{
    std::string error;
    auto plugin = session.load(error);
    if (!plugin) return Outcome::fail(error);
    if (!(plugin->effect().flags & effFlagsHasEditor)) return Outcome::skip("the plug-in has no editor");
    Findings findings;
    for (int pass = 0; pass < 10; ++pass)
    {
        const auto answer = plugin->dispatch(effEditIdle);
        findings.expect(answer == 0,
                        "effEditIdle answers " + std::to_string(answer) + " with no editor open");
    }
    return findings.outcome();
}
} // namespace

std::vector<Check> editorChecks()
{
    return {
        {"editor: idle calls while it is closed answer 0", 1, idleWhileClosed, kVstOnly},
        {"editor: open and close 50 times while another thread processes", 2, openAndCloseWhileProcessing,
         kEveryFormat},
    };
}
