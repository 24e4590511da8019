// Cost of the editor's idle pass while only the meter moves, against a full repaint of the window, on the
// software renderer with the editor the DLL opens. The share of one core at the host's usual 30 idle
// passes a second is reported as a counter, from the thread's CPU time.
#include "GainReductionFeed.h"
#include "HeadlessPlatform.h"
#include "PlatformFrame.h"
#include "TarvelCompressor.h"
#include "TarvelCompressorGUI.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace
{
constexpr double kIdlePerSecond = 30.0;

std::intptr_t silentHost(AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*, float)
{
    return 0;
}

/// The effect with its editor open and painted once in an 800 × 220 headless host window.
struct OpenEditor
{
    OpenEditor()
    {
        effect.setSampleRate(48000.0f);
        host.width = 800;
        host.height = 220;
        effect.dispatcher(effEditOpen, 0, 0, &host, 0.0f);
        window = VSTGUI::headless::environment().windows.back();
        repaintAll();
    }
    ~OpenEditor() { effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f); }

    void repaintAll()
    {
        VSTGUI::headless::invalidateWindow(*window, VSTGUI::CRect(0, 0, window->width, window->height));
        VSTGUI::platform::dispatchPendingPaint();
    }

    VSTGUI::headless::Window host;
    TarvelCompressor effect{&silentHost, createCompressorEditor};
    VSTGUI::headless::Window* window = nullptr;
};

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

/// CPU time per pass × 30 passes a second, in percent of one core.
void reportShareAt30PerSecond(benchmark::State& state, double cpuSeconds)
{
    state.counters["percent_of_core_at_30_per_s"] =
        cpuSeconds / static_cast<double>(state.iterations()) * kIdlePerSecond * 100.0;
}

void idlePassWithMovingMeter(benchmark::State& state)
{
    OpenEditor editor;
    GainReductionFeed& feed = editor.effect.gainReductionFeed();
    double reduction = 20.0;
    const double start = threadCpuSeconds();
    for (auto _ : state)
    {
        // A falling reduction is shown at once, so every pass draws another needle frame.
        reduction = reduction > 0.2 ? reduction - 0.2 : 20.0;
        feed.feed(reduction);
        editor.effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        benchmark::DoNotOptimize(editor.window->surface->pixel(660, 60));
    }
    reportShareAt30PerSecond(state, threadCpuSeconds() - start);
}
BENCHMARK(idlePassWithMovingMeter)->Unit(benchmark::kMicrosecond);

void fullRepaint(benchmark::State& state)
{
    OpenEditor editor;
    const double start = threadCpuSeconds();
    for (auto _ : state)
    {
        editor.repaintAll();
        benchmark::DoNotOptimize(editor.window->surface->pixel(400, 110));
    }
    reportShareAt30PerSecond(state, threadCpuSeconds() - start);
}
BENCHMARK(fullRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
