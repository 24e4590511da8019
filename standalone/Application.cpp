// The application's loop on the main thread: signals arrive through a descriptor, the window's events
// and idle at about 60 Hz, the JACK server watched and rejoined, settings saved a second after a change.
#include "Application.h"

#include "NoiseSeed.h"
#include "ParameterSettings.h"
#include "ProductInfo.h"
#include "SettingsFile.h"
#include "StateFile.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace qm07
{

namespace
{

constexpr auto kSavePause = std::chrono::seconds(1);
constexpr auto kRetryPause = std::chrono::seconds(1);
constexpr int kIdleMs = 16;
constexpr int kQuietMs = 100;

void say(const std::string& text)
{
    std::fprintf(stderr, "qm07-compressor: %s\n", text.c_str());
}

/// Before any thread starts (JACK's, the display's), so that every thread leaves them to the descriptor.
int takeSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);
    return signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

Wiring wiringOf(const Options& options)
{
    return Wiring{options.connectIn, options.connectOut, options.autoConnect};
}

} // namespace

int runApplication(const Options& options)
{
    const std::string path = options.statePath.empty()
                                 ? defaultStatePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))
                                 : options.statePath;
    if (path.empty()) say("neither XDG_CONFIG_HOME nor HOME is set: settings are not kept");
    ParameterValues values = defaultValues();
    std::string message;
    if (!path.empty() && !loadState(path, values, message) && !message.empty()) say(message);
    for (const auto& setting : options.settings)
        if (!applySetting(setting, values, message))
        {
            say(message);
            return kExitUsage;
        }
    return Application(options, path, values).run();
}

Application::Application(const Options& given, std::string path, const ParameterValues& initial)
    : options(given), statePath(std::move(path)), wiring(wiringOf(given)), parameters(initial),
      processor(parameters, freshNoiseSeed(this)), session(processor), bridge(parameters)
{
}

Application::~Application()
{
    // The meter's feed goes off before the panel that reads it.
    processor.gainReductionFeed().deactivate();
    editor.reset();
    window.reset();
    session.close();
    if (signals >= 0) close(signals);
}

int Application::run()
{
    signals = takeSignals();
    const int status = start();
    if (status != 0) return status;
    while (turn())
        ;
    save();
    return 0;
}

std::string Application::wantedName() const
{
    return options.clientName.empty() ? kProductName : options.clientName;
}

int Application::start()
{
    const std::string name = wantedName();
    std::string notes;
    // JACK's own lines (socket errors while the server is away, mostly) would bury ours.
    quietenJack();
    const OpenResult opened = session.open(name, wiring, notes);
    if (opened == OpenResult::NoServer)
        say("no JACK server is running; start one (jackd, or a session manager) first");
    if (opened == OpenResult::Failed) say("the JACK server refused a client named \"" + name + "\"");
    if (opened != OpenResult::Open) return opened == OpenResult::NoServer ? kExitNoServer : 1;
    if (!notes.empty()) say(notes.substr(0, notes.size() - 1));
    followServer();
    say("running as JACK client \"" + session.clientName() + "\"");
    savedChanges = seenChanges = parameters.changes();
    return options.noUi || openWindow() ? 0 : 1;
}

bool Application::openWindow()
{
    // Instance and class, each zero-terminated: what desktops match the desktop entry with.
    window = VSTGUI::x11::TopLevelWindow::open(
        {kProductName, std::string("qm07-compressor\0QM07 Compressor\0", 32)}, kPanelWidth, kPanelHeight);
    if (!window)
    {
        say("cannot open the X display (is DISPLAY set? --no-ui runs without a window)");
        return false;
    }
    window->show();
    editor = std::make_unique<PanelEditor>(bridge);
    if (!editor->open(window->handle()))
    {
        say("the panel could not be built in the window");
        return false;
    }
    processor.gainReductionFeed().activate(session.sampleRate());
    return true;
}

bool Application::turn()
{
    pollfd watched[2] = {{signals, POLLIN, 0}, {window ? window->fileDescriptor() : -1, POLLIN, 0}};
    poll(watched, 2, window ? kIdleMs : kQuietMs);
    if (watched[0].revents & POLLIN) return false;
    if (window && window->closeRequested()) return false;
    const auto now = Clock::now();
    keepJack(now);
    autosave(now);
    if (editor)
    {
        editor->showGainReduction(processor.gainReductionFeed().reading());
        editor->idle();
    }
    return true;
}

void Application::keepJack(Clock::time_point now)
{
    if (session.isOpen() && session.serverGone())
    {
        session.close();
        say("the JACK server went away; waiting for it to come back");
        nextAttempt = now;
    }
    if (session.isOpen())
    {
        followServer();
        return;
    }
    if (now < nextAttempt) return;
    nextAttempt = now + kRetryPause;
    std::string notes;
    const bool opened = session.open(wantedName(), wiring, notes) == OpenResult::Open;
    if (!opened) return;
    if (!notes.empty()) say(notes.substr(0, notes.size() - 1));
    say("back on the JACK server as \"" + session.clientName() + "\"");
}

/// The engine follows by itself; this only tells of a change, once.
void Application::followServer()
{
    const jack_nframes_t rate = session.sampleRate();
    const jack_nframes_t period = session.bufferSize();
    if (rate == shownRate && period == shownPeriod) return;
    shownRate = rate;
    shownPeriod = period;
    say("JACK runs at " + std::to_string(rate) + " Hz, " + std::to_string(period) + " frames a period");
}

void Application::autosave(Clock::time_point now)
{
    const std::uint32_t changes = parameters.changes();
    if (changes != seenChanges)
    {
        seenChanges = changes;
        lastChange = now;
    }
    if (seenChanges != savedChanges && now - lastChange >= kSavePause) save();
}

void Application::save()
{
    savedChanges = seenChanges;
    std::string error;
    if (!statePath.empty() && !saveState(statePath, parameters.snapshot(), error)) say(error);
}

} // namespace qm07
