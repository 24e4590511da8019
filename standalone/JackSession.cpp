// The JACK client's life. The process callback only fetches the port buffers and runs the processor.
#include "JackSession.h"

#include "StereoProcessor.h"

#include <cerrno>

namespace qm07
{

namespace
{

constexpr const char* kInputNames[2] = {"in_1", "in_2"};
constexpr const char* kOutputNames[2] = {"out_1", "out_2"};

void dropMessage(const char*) {}

} // namespace

void quietenJack()
{
    jack_set_error_function(dropMessage);
    jack_set_info_function(dropMessage);
}

OpenResult JackSession::open(const std::string& name, const Wiring& wiring, std::string& notes)
{
    close();
    jack_status_t status{};
    client = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!client) return (status & JackServerFailed) ? OpenResult::NoServer : OpenResult::Failed;
    gone.store(false, std::memory_order_release);
    rate.store(jack_get_sample_rate(client), std::memory_order_relaxed);
    period.store(jack_get_buffer_size(client), std::memory_order_relaxed);
    processor.setSampleRate(jack_get_sample_rate(client));
    jack_set_process_callback(client, processCallback, this);
    jack_set_sample_rate_callback(client, sampleRateCallback, this);
    jack_set_buffer_size_callback(client, bufferSizeCallback, this);
    jack_on_info_shutdown(client, shutdownCallback, this);
    if (!registerPorts() || jack_activate(client) != 0)
    {
        close();
        return OpenResult::Failed;
    }
    connectAll(wiring, notes);
    return OpenResult::Open;
}

void JackSession::close()
{
    if (!client) return;
    jack_client_close(client);
    client = nullptr;
    for (auto* port : {&inputs[0], &inputs[1], &outputs[0], &outputs[1]})
        *port = nullptr;
}

std::string JackSession::clientName() const
{
    return client ? jack_get_client_name(client) : std::string();
}

bool JackSession::registerPorts()
{
    for (int c = 0; c < 2; ++c)
    {
        inputs[c] = jack_port_register(client, kInputNames[c], JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        outputs[c] =
            jack_port_register(client, kOutputNames[c], JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        if (!inputs[c] || !outputs[c]) return false;
    }
    return true;
}

void JackSession::connectAll(const Wiring& wiring, std::string& notes)
{
    for (std::size_t c = 0; c < wiring.inputs.size() && c < 2; ++c)
        connect(wiring.inputs[c].c_str(), jack_port_name(inputs[c]), notes);
    for (std::size_t c = 0; c < wiring.outputs.size() && c < 2; ++c)
        connect(jack_port_name(outputs[c]), wiring.outputs[c].c_str(), notes);
    if (!wiring.autoConnect) return;
    if (wiring.inputs.empty()) connectPhysical(JackPortIsOutput, false, notes);
    if (wiring.outputs.empty()) connectPhysical(JackPortIsInput, true, notes);
}

void JackSession::connect(const char* source, const char* destination, std::string& notes)
{
    const int result = jack_connect(client, source, destination);
    if (result != 0 && result != EEXIST)
        notes += std::string("cannot connect ") + source + " to " + destination + "\n";
}

/// Physical capture ports (outputs of the system) feed our inputs; our outputs feed physical playback.
void JackSession::connectPhysical(unsigned long direction, bool ours, std::string& notes)
{
    const char** found =
        jack_get_ports(client, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsPhysical | direction);
    if (!found || !found[0]) notes += ours ? "no physical playback ports\n" : "no physical capture ports\n";
    for (int c = 0; found && found[c] && c < 2; ++c)
        if (ours)
            connect(jack_port_name(outputs[c]), found[c], notes);
        else
            connect(found[c], jack_port_name(inputs[c]), notes);
    jack_free(found);
}

int JackSession::processCallback(jack_nframes_t frames, void* self)
{
    auto& session = *static_cast<JackSession*>(self);
    const float* in[2];
    float* out[2];
    for (int c = 0; c < 2; ++c)
    {
        in[c] = static_cast<const float*>(jack_port_get_buffer(session.inputs[c], frames));
        out[c] = static_cast<float*>(jack_port_get_buffer(session.outputs[c], frames));
    }
    session.processor.process(in, out, static_cast<std::int32_t>(frames));
    return 0;
}

int JackSession::sampleRateCallback(jack_nframes_t newRate, void* self)
{
    auto& session = *static_cast<JackSession*>(self);
    session.rate.store(newRate, std::memory_order_relaxed);
    session.processor.setSampleRate(newRate);
    return 0;
}

int JackSession::bufferSizeCallback(jack_nframes_t frames, void* self)
{
    // The engine works in JACK's own buffers, whatever their size: nothing to make again.
    static_cast<JackSession*>(self)->period.store(frames, std::memory_order_relaxed);
    return 0;
}

void JackSession::shutdownCallback(jack_status_t, const char*, void* self)
{
    static_cast<JackSession*>(self)->gone.store(true, std::memory_order_release);
}

} // namespace qm07
