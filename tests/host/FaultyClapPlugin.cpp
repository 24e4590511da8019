// A CLAP plug-in with deliberate faults for the battery's CLAP checks, that also watches its host: a call on
// the wrong thread or out of the lifecycle's order is logged as the host misbehaving. Two parameters from 0
// to 1: "Level" scales the audio and is stored unclamped; "Bias" claims a default of 0.5 but starts at 0.25.
// Texts ignore the capacity they are given; the state is read with one read; blocks above 96 kHz fail; the
// first flush reports an unpaired gesture end and a value out of range; the first block asks for a flush
// from the audio thread. Its overruns stay inside the guards the battery puts after every buffer, so the
// sanitizer builds run it too.
#include "abi/Entry.h"
#include "abi/Features.h"
#include "abi/ext/AudioPorts.h"
#include "abi/ext/Log.h"
#include "abi/ext/Params.h"
#include "abi/ext/State.h"
#include "abi/ext/ThreadCheck.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace qm07::clap;

namespace
{
enum class Stage
{
    Created,
    Inactive,
    Active,
    Processing,
};

struct Faulty
{
    clap_plugin plugin;
    const clap_host* host;
    const clap_host_thread_check* threads = nullptr;
    const clap_host_log* log = nullptr;
    const clap_host_params* hostParams = nullptr;
    std::atomic<Stage> stage{Stage::Created};
    std::uint32_t maxFrames = 0;
    double rate = 0.0;
    // The main thread loads state while the audio thread reads them.
    std::atomic<double> values[2] = {0.5, 0.25};
    bool flushed = false;
    bool askedFromAudio = false;
};

Faulty& of(const clap_plugin* p)
{
    return *static_cast<Faulty*>(p->plugin_data);
}

void complain(Faulty& self, const char* what)
{
    if (self.log) self.log->log(self.host, CLAP_LOG_HOST_MISBEHAVING, what);
}

/// Logs unless the call comes on the thread CLAP names and in a stage it allows.
void expect(Faulty& self, bool audio, bool stageAllowed, const char* what)
{
    const bool rightThread = !self.threads || (audio ? self.threads->is_audio_thread(self.host) &&
                                                           !self.threads->is_main_thread(self.host)
                                                     : self.threads->is_main_thread(self.host));
    if (!rightThread || !stageAllowed) complain(self, what);
}

/// A lifecycle call, allowed only at stage from; it leaves the instance at stage to.
void move(const clap_plugin* p, bool audio, Stage from, Stage to, const char* what)
{
    expect(of(p), audio, of(p).stage == from, what);
    of(p).stage = to;
}

/// A main-thread call of an extension, allowed once init has run.
void onMain(const clap_plugin* p, const char* what)
{
    expect(of(p), false, of(p).stage != Stage::Created, what);
}

bool init(const clap_plugin* p)
{
    Faulty& self = of(p);
    auto find = [&](const char* id) { return self.host->get_extension(self.host, id); };
    self.threads = static_cast<const clap_host_thread_check*>(find(CLAP_EXT_THREAD_CHECK));
    self.log = static_cast<const clap_host_log*>(find(CLAP_EXT_LOG));
    self.hostParams = static_cast<const clap_host_params*>(find(CLAP_EXT_PARAMS));
    move(p, false, Stage::Created, Stage::Inactive, "init");
    return true;
}

void destroy(const clap_plugin* p)
{
    expect(of(p), false, of(p).stage == Stage::Inactive, "destroy while active");
    delete &of(p);
}

bool activate(const clap_plugin* p, double rate, std::uint32_t, std::uint32_t maxFrames)
{
    move(p, false, Stage::Inactive, Stage::Active, "activate");
    of(p).rate = rate;
    of(p).maxFrames = maxFrames;
    return true;
}

void deactivate(const clap_plugin* p)
{
    move(p, false, Stage::Active, Stage::Inactive, "deactivate while not active, or processing");
}

bool startProcessing(const clap_plugin* p)
{
    move(p, true, Stage::Active, Stage::Processing, "start_processing");
    return true;
}

void stopProcessing(const clap_plugin* p)
{
    move(p, true, Stage::Processing, Stage::Active, "stop_processing");
}

void reset(const clap_plugin* p)
{
    expect(of(p), true, of(p).stage != Stage::Inactive, "reset");
}

void applyEvents(Faulty& self, const clap_input_events* in, std::uint32_t frames, bool inBlock)
{
    std::uint32_t last = 0;
    for (std::uint32_t i = 0; i < in->size(in); ++i)
    {
        const clap_event_header* header = in->get(in, i);
        if (header->time < last || (inBlock && header->time >= frames)) complain(self, "events out of order");
        last = header->time;
        if (header->space_id != CLAP_CORE_EVENT_SPACE_ID || header->type != CLAP_EVENT_PARAM_VALUE) continue;
        const auto* event = reinterpret_cast<const clap_event_param_value*>(header);
        if (header->size != sizeof(clap_event_param_value) || event->param_id > 1)
            complain(self, "a bad event");
        else
            self.values[event->param_id] = event->value;
    }
}

clap_process_status process(const clap_plugin* p, const clap_process* block)
{
    Faulty& self = of(p);
    expect(self, true, self.stage == Stage::Processing, "process");
    if (block->frames_count < 1 || block->frames_count > self.maxFrames)
        complain(self, "a block outside the range");
    if (!self.askedFromAudio && self.hostParams) self.hostParams->request_flush(self.host);
    self.askedFromAudio = true;
    applyEvents(self, block->in_events, block->frames_count, true);
    if (self.rate > 96000.0) return CLAP_PROCESS_ERROR;
    const clap_audio_buffer& in = block->audio_inputs[0];
    const clap_audio_buffer& out = block->audio_outputs[0];
    for (std::uint32_t c = 0; c < 2; ++c)
        for (std::uint32_t n = 0; n < block->frames_count; ++n)
            if (in.data32)
                out.data32[c][n] = static_cast<float>(in.data32[c][n] * self.values[0]);
            else
                out.data64[c][n] = in.data64[c][n] * self.values[0];
    return CLAP_PROCESS_CONTINUE;
}

bool portInfo(const clap_plugin* p, std::uint32_t index, bool input, clap_audio_port_info* info)
{
    onMain(p, "audio_ports.get");
    if (index != 0) return false;
    *info = {};
    std::snprintf(info->name, sizeof(info->name), "%s", input ? "In" : "Out");
    info->flags = CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS;
    info->channel_count = 2;
    info->port_type = CLAP_PORT_STEREO;
    info->in_place_pair = 7; // no such port
    return true;
}

bool paramInfo(const clap_plugin* p, std::uint32_t index, clap_param_info* info)
{
    onMain(p, "params.get_info");
    if (index > 1) return false;
    *info = {};
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE;
    std::snprintf(info->name, sizeof(info->name), "%s", index == 0 ? "Level" : "Bias");
    info->max_value = 1.0;
    info->default_value = 0.5;
    return true;
}

bool paramValue(const clap_plugin* p, clap_id id, double* value)
{
    onMain(p, "params.get_value");
    if (id > 1) return false;
    *value = of(p).values[id].load();
    return true;
}

bool valueToText(const clap_plugin* p, clap_id id, double value, char* text, std::uint32_t)
{
    onMain(p, "params.value_to_text");
    if (id > 1) return false;
    std::sprintf(text, "%.3f units", value); // the capacity ignored
    return true;
}

bool textToValue(const clap_plugin* p, clap_id id, const char* text, double* value)
{
    onMain(p, "params.text_to_value");
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return id <= 1 && end != text;
}

void flush(const clap_plugin* p, const clap_input_events* in, const clap_output_events* out)
{
    Faulty& self = of(p);
    const bool inactive = self.stage == Stage::Inactive;
    expect(self, !inactive, self.stage != Stage::Processing && self.stage != Stage::Created, "params.flush");
    applyEvents(self, in, 0, false);
    if (self.flushed) return;
    self.flushed = true;
    const clap_event_param_gesture end = {
        {sizeof end, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_GESTURE_END, 0}, 0};
    clap_event_param_value outside = {};
    outside.header = {sizeof outside, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    outside.value = 5.0;
    out->try_push(out, &end.header);
    out->try_push(out, &outside.header);
}

bool saveState(const clap_plugin* p, const clap_ostream* stream)
{
    onMain(p, "state.save");
    const double values[2] = {of(p).values[0].load(), of(p).values[1].load()};
    return stream->write(stream, values, sizeof(values)) == sizeof(values);
}

bool loadState(const clap_plugin* p, const clap_istream* stream)
{
    onMain(p, "state.load");
    double read[2];
    if (stream->read(stream, read, sizeof(read)) != sizeof(read)) return false; // one read only
    of(p).values[0] = read[0];                                                  // NaN taken as it comes
    of(p).values[1] = read[1];
    return true;
}

// One port each way and two parameters, whichever thread asks: the counts check nothing.
const clap_plugin_audio_ports kPorts = {[](const clap_plugin*, bool) { return 1u; }, portInfo};
const clap_plugin_params kParams = {
    [](const clap_plugin*) { return 2u; }, paramInfo, paramValue, valueToText, textToValue, flush};
const clap_plugin_state kState = {saveState, loadState};

const void* extension(const clap_plugin*, const char* id)
{
    if (std::strcmp(id, CLAP_EXT_AUDIO_PORTS) == 0) return &kPorts;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &kState;
    return nullptr;
}

const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, nullptr};
const clap_plugin_descriptor kDescriptor = {CLAP_VERSION, "org.qm07.faulty", "Faulty", "QM07 project", "", "",
                                            "",           "1.0.0",           "",       kFeatures};

const clap_plugin* create(const clap_plugin_factory*, const clap_host* host, const char* id)
{
    if (!id || std::strcmp(id, kDescriptor.id) != 0) return nullptr;
    auto* self = new Faulty{{&kDescriptor, nullptr, init, destroy, activate, deactivate, startProcessing,
                             stopProcessing, reset, process, extension,
                             [](const clap_plugin* p) { onMain(p, "on_main_thread"); }},
                            host};
    self->plugin.plugin_data = self;
    return &self->plugin;
}

const clap_plugin_factory kFactory = {[](const clap_plugin_factory*) { return 1u; },
                                      [](const clap_plugin_factory*, std::uint32_t index)
                                      { return index == 0 ? &kDescriptor : nullptr; },
                                      create};
} // namespace

extern "C" const clap_plugin_entry clap_entry = {
    CLAP_VERSION, [](const char*) { return true; }, [] {},
    [](const char* id) -> const void*
    { return std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr; }};
