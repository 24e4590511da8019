// Cost of the LV2 UI's idle call while gain-reduction port events move the needle, against a full repaint,
// with the bundle's UI library loaded through its descriptor into a parent window on the X display, as a
// host does. Counters: the calling thread's CPU per idle and its share of one core at 30 idle calls a
// second (as the VST editor's benchmark reports), and the X server's CPU per idle when it runs on this
// machine, since the server copies every changed pixel into the window.
#include "PortLayout.h"

#include <benchmark/benchmark.h>
#include <lv2/ui/ui.h>
#include <xcb/xcb.h>

#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
constexpr double kIdlePerSecond = 30.0;

double cpuSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

/// The CPU-time clock of the process serving DISPLAY, found by its command line (":N" among its arguments).
bool xServerClock(const std::string& display, clockid_t& clock)
{
    const std::string wanted = display.substr(0, display.find('.'));
    for (const auto& entry : std::filesystem::directory_iterator("/proc"))
    {
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        std::string name, argument;
        if (!std::getline(file, name, '\0')) continue;
        if (name.find("Xvfb") == std::string::npos && name.find("Xorg") == std::string::npos) continue;
        while (std::getline(file, argument, '\0'))
            if (argument == wanted)
                return clock_getcpuclockid(std::atoi(entry.path().filename().c_str()), &clock) == 0;
    }
    return false;
}

void ignoreWrite(LV2UI_Controller, std::uint32_t, std::uint32_t, std::uint32_t, const void*) {}

/// The UI in an 800 × 220 top-level window of the benchmark's own, painted once.
class HostedUi
{
public:
    HostedUi() : link(xcb_connect(nullptr, nullptr)) {}
    ~HostedUi()
    {
        if (handle) descriptor->cleanup(handle);
        if (library) dlclose(library);
        xcb_disconnect(link);
    }

    /// Empty when the UI runs, else why not.
    std::string open()
    {
        if (xcb_connection_has_error(link)) return "no X display";
        library = dlopen(QM07_LV2_UI_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        const auto entry =
            library ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"))
                    : nullptr;
        descriptor = entry ? entry(0) : nullptr;
        if (!descriptor) return std::string("cannot load ") + QM07_LV2_UI_LIBRARY;
        makeParent();
        LV2_Feature parentFeature{LV2_UI__parent,
                                  reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))};
        LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
        const LV2_Feature* features[] = {&parentFeature, &idleFeature, nullptr};
        LV2UI_Widget widget = nullptr;
        handle = descriptor->instantiate(descriptor, qm07::lv2::kPluginUri, "", ignoreWrite, nullptr, &widget,
                                         features);
        const auto* idleInterface =
            static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
        if (!handle || !idleInterface) return "the UI does not instantiate";
        idleCall = idleInterface->idle;
        panel = static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(widget));
        idle();
        return "";
    }

    void showGainReduction(float dB)
    {
        descriptor->port_event(handle, qm07::lv2::kGainReductionPort, sizeof dB, 0, &dB);
    }
    void idle() { idleCall(handle); }
    /// Asks the server for an expose of the whole panel, as when a window in front of it goes away.
    void exposeAll()
    {
        xcb_clear_area(link, 1, panel, 0, 0, 0, 0);
        xcb_flush(link);
    }
    /// Waits until the server has handled every request sent so far on this connection.
    void sync() { std::free(xcb_get_input_focus_reply(link, xcb_get_input_focus(link), nullptr)); }

private:
    void makeParent()
    {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(link)).data;
        parent = xcb_generate_id(link);
        xcb_create_window(link, XCB_COPY_FROM_PARENT, parent, screen->root, 0, 0, 800, 220, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(link, parent);
        xcb_flush(link);
    }

    xcb_connection_t* link;
    xcb_window_t parent = 0;
    xcb_window_t panel = 0;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Handle handle = nullptr;
    int (*idleCall)(LV2UI_Handle) = nullptr;
};

/// Runs `pass` once per iteration and reports the counters from the CPU times around the loop.
template <typename Pass> void measure(benchmark::State& state, HostedUi& ui, Pass pass)
{
    const char* display = std::getenv("DISPLAY");
    clockid_t server{};
    const bool serverSeen = display && xServerClock(display, server);
    ui.sync();
    const double serverStart = serverSeen ? cpuSeconds(server) : 0.0;
    const double start = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    for (auto _ : state)
        pass();
    const double perPass =
        (cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - start) / static_cast<double>(state.iterations());
    ui.sync();
    state.counters["cpu_us_per_idle"] = perPass * 1e6;
    state.counters["percent_of_core_at_30_per_s"] = perPass * kIdlePerSecond * 100.0;
    if (serverSeen)
        state.counters["server_cpu_us_per_idle"] =
            (cpuSeconds(server) - serverStart) / static_cast<double>(state.iterations()) * 1e6;
}

void idleWithMovingMeter(benchmark::State& state)
{
    HostedUi ui;
    if (const std::string error = ui.open(); !error.empty()) return state.SkipWithError(error.c_str());
    float reduction = 20.0f;
    measure(state, ui,
            [&]
            {
                // A falling reduction is shown at once, so every pass draws another needle frame.
                reduction = reduction > 0.2f ? reduction - 0.2f : 20.0f;
                ui.showGainReduction(reduction);
                ui.idle();
            });
}
BENCHMARK(idleWithMovingMeter)->Unit(benchmark::kMicrosecond);

void idleAfterFullExpose(benchmark::State& state)
{
    HostedUi ui;
    if (const std::string error = ui.open(); !error.empty()) return state.SkipWithError(error.c_str());
    measure(state, ui,
            [&]
            {
                ui.exposeAll();
                ui.sync(); // the expose has been sent before the idle looks for it
                ui.idle();
            });
}
BENCHMARK(idleAfterFullExpose)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
