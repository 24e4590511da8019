// The application's life: the JACK client, the window, the settings file, and the loop that keeps them.
#pragma once

#include "JackSession.h"
#include "Options.h"
#include "PanelBridge.h"
#include "PanelEditor.h"
#include "SharedParameters.h"
#include "StereoProcessor.h"
#include "TopLevelWindow.h"

#include <chrono>
#include <memory>
#include <string>

namespace qm07
{

/// Main thread; allocates. Settings from the file and the command line, then the application until a
/// signal, the window's close or a fault; returns the exit status.
int runApplication(const Options& options);

class Application
{
public:
    Application(const Options& options, std::string statePath, const ParameterValues& initial);
    ~Application();

    /// Main thread: opens the client (and the window), loops, saves; the exit status.
    int run();

private:
    using Clock = std::chrono::steady_clock;

    std::string wantedName() const;
    int start();
    bool openWindow();
    /// One turn of the loop; false when the application should end.
    bool turn();
    void keepJack(Clock::time_point now);
    void followServer();
    void autosave(Clock::time_point now);
    void save();

    const Options& options;
    const std::string statePath;
    const Wiring wiring;
    SharedParameters parameters;
    StereoProcessor processor;
    JackSession session;
    PanelBridge bridge;
    std::unique_ptr<VSTGUI::x11::TopLevelWindow> window;
    std::unique_ptr<PanelEditor> editor;
    int signals = -1;
    jack_nframes_t shownRate = 0;
    jack_nframes_t shownPeriod = 0;
    std::uint32_t seenChanges = 0;
    std::uint32_t savedChanges = 0;
    Clock::time_point lastChange;
    Clock::time_point nextAttempt;
};

} // namespace qm07
