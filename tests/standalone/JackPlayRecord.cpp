// A JACK client for the tests: plays a raw stereo file into two ports and records two others, then
// writes what came back. Our outputs feed the recorded ports through the client under test, so the
// graph is a loop and JACK delays it by exactly one period, which is dropped from the recording.
// Usage: qm07_jack_playrec IN.f32 OUT.f32 TO_1,TO_2 FROM_1,FROM_2
#include "RawAudio.h"

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace
{

struct Player
{
    AudioClip input;
    AudioClip recorded;
    std::size_t length = 0; ///< frames to record: the file and one period
    std::size_t position = 0;
    std::atomic<bool> armed{false};
    std::atomic<bool> done{false};
    jack_port_t* outs[2] = {};
    jack_port_t* ins[2] = {};
};

/// Audio thread; no allocation: the recording was sized before activation.
int process(jack_nframes_t frames, void* data)
{
    auto& p = *static_cast<Player*>(data);
    const bool playing = p.armed.load() && !p.done.load();
    for (int c = 0; c < 2; ++c)
    {
        auto* out = static_cast<float*>(jack_port_get_buffer(p.outs[c], frames));
        const auto* in = static_cast<const float*>(jack_port_get_buffer(p.ins[c], frames));
        for (jack_nframes_t n = 0; n < frames; ++n)
        {
            const std::size_t at = p.position + n;
            out[n] = playing && at < p.input.frames() ? p.input.channels[c][at] : 0.0f;
            if (playing && at < p.length) p.recorded.channels[c][at] = in[n];
        }
    }
    if (playing)
    {
        p.position += frames;
        if (p.position >= p.length) p.done.store(true);
    }
    return 0;
}

bool split(const std::string& text, std::string parts[2])
{
    const auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    parts[0] = text.substr(0, comma);
    parts[1] = text.substr(comma + 1);
    return true;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "qm07_jack_playrec: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::string to[2], from[2];
    if (argc != 5 || !split(argv[3], to) || !split(argv[4], from))
        return fail("usage: qm07_jack_playrec IN.f32 OUT.f32 TO_1,TO_2 FROM_1,FROM_2");
    jack_client_t* client = jack_client_open("qm07 playrec", JackNoStartServer, nullptr);
    if (!client) return fail("no JACK server");
    Player player;
    std::string error;
    if (!readRawAudio(argv[1], jack_get_sample_rate(client), player.input, error)) return fail(error);
    const jack_nframes_t period = jack_get_buffer_size(client);
    player.length = player.input.frames() + period;
    player.recorded.sampleRate = player.input.sampleRate;
    player.recorded.channels.assign(2, std::vector<float>(player.length, 0.0f));
    for (int c = 0; c < 2; ++c)
    {
        const std::string n = std::to_string(c + 1);
        player.outs[c] =
            jack_port_register(client, ("out_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        player.ins[c] =
            jack_port_register(client, ("in_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    }
    jack_set_process_callback(client, process, &player);
    if (jack_activate(client) != 0) return fail("cannot activate");
    for (int c = 0; c < 2; ++c)
        if (jack_connect(client, jack_port_name(player.outs[c]), to[c].c_str()) != 0 ||
            jack_connect(client, from[c].c_str(), jack_port_name(player.ins[c])) != 0)
            return fail("cannot connect to " + to[c] + " and " + from[c]);
    // The connections take effect at a cycle's start; starting a few periods later is safely after it.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    player.armed.store(true);
    while (!player.done.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    jack_deactivate(client);
    jack_client_close(client);
    // The loop's one period of delay.
    for (auto& channel : player.recorded.channels)
        channel.erase(channel.begin(), channel.begin() + period);
    if (!writeRawAudio(argv[2], player.recorded, error)) return fail(error);
    std::printf("played and recorded %zu frames at %.0f Hz, period %u\n", player.input.frames(),
                player.input.sampleRate, period);
    return 0;
}
