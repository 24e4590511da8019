// One life of the JACK client: opened without starting a server, four ports, the process callback,
// connections made; closed when the server goes away so that a new one can be opened later.
#pragma once

#include <jack/jack.h>

#include <atomic>
#include <string>
#include <vector>

namespace qm07
{

class StereoProcessor;

/// The connections to make each time the client is opened.
struct Wiring
{
    std::vector<std::string> inputs;  ///< to in_1, in_2
    std::vector<std::string> outputs; ///< from out_1, out_2
    bool autoConnect = false;         ///< physical ports for a side without names
};

enum class OpenResult
{
    Open,
    NoServer,
    Failed,
};

class JackSession
{
public:
    explicit JackSession(StereoProcessor& audio) : processor(audio) {}
    ~JackSession() { close(); }
    JackSession(const JackSession&) = delete;
    JackSession& operator=(const JackSession&) = delete;

    /// Main thread; allocates. Ports, callbacks, activation, then the connections; a connection that
    /// fails is reported in `notes` and does not fail the opening.
    OpenResult open(const std::string& name, const Wiring& wiring, std::string& notes);
    /// Main thread; may wait for the server to finish a cycle.
    void close();
    bool isOpen() const { return client != nullptr; }
    /// Any thread: the server shut down or died since the opening.
    bool serverGone() const { return gone.load(std::memory_order_acquire); }
    /// The name the server gave, which may carry a suffix when ours was taken.
    std::string clientName() const;
    /// Any thread: what the server runs at now (0 before the first opening).
    jack_nframes_t sampleRate() const { return rate.load(std::memory_order_relaxed); }
    jack_nframes_t bufferSize() const { return period.load(std::memory_order_relaxed); }

private:
    bool registerPorts();
    void connectAll(const Wiring& wiring, std::string& notes);
    void connect(const char* source, const char* destination, std::string& notes);
    void connectPhysical(unsigned long direction, bool ours, std::string& notes);

    /// JACK's process thread; never allocates, locks, logs or waits.
    static int processCallback(jack_nframes_t frames, void* self);
    /// JACK's threads; no allocation: the new figures are only stored.
    static int sampleRateCallback(jack_nframes_t rate, void* self);
    static int bufferSizeCallback(jack_nframes_t frames, void* self);
    static void shutdownCallback(jack_status_t code, const char* reason, void* self);

    StereoProcessor& processor;
    jack_client_t* client = nullptr;
    jack_port_t* inputs[2] = {};
    jack_port_t* outputs[2] = {};
    std::atomic<bool> gone{false};
    std::atomic<jack_nframes_t> rate{0};
    std::atomic<jack_nframes_t> period{0};
};

/// Main thread, before the first opening: JACK's own messages are dropped from then on.
void quietenJack();

} // namespace qm07
