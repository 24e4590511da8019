// Loading a CLAP plug-in and its lifecycle, parameters and state, all on the main thread.
#include "ClapInstance.h"

#include "ClapStreams.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

using namespace qm07::clap;

namespace
{
// Events per block: far more than a host sends, since a value event per frame is possible.
constexpr std::size_t kEventsPerBlock = 8192;
// How long the main thread waits for the audio thread to take queued changes before dropping one.
constexpr auto kQueueWait = std::chrono::seconds(1);
} // namespace

ClapInstance::ClapInstance(std::unique_ptr<ClapLibrary> module, MessageSink sink)
    : library(std::move(module)), context(std::make_unique<ClapHostContext>(std::move(sink))),
      inputEvents(kEventsPerBlock)
{
}

std::unique_ptr<ClapInstance> ClapInstance::load(const std::string& path, std::string& error,
                                                 MessageSink sink)
{
    auto module = ClapLibrary::load(path, error);
    if (!module) return nullptr;
    std::unique_ptr<ClapInstance> instance(new ClapInstance(std::move(module), std::move(sink)));
    if (!instance->create(error)) return nullptr;
    instance->readExtensions();
    return instance;
}

bool ClapInstance::create(std::string& error)
{
    const clap_plugin_factory& factory = library->factory();
    const clap_plugin_descriptor* wanted =
        factory.get_plugin_count(&factory) > 0 ? factory.get_plugin_descriptor(&factory, 0) : nullptr;
    if (!wanted || !wanted->id)
        error = "the plug-in factory describes no plug-in";
    else if (!clap_version_is_compatible(wanted->clap_version))
        error = std::string("the descriptor of ") + wanted->id + " has a version before 1.0";
    else if (!(plugin = factory.create_plugin(&factory, context->table(), wanted->id)))
        error = std::string("create_plugin refused ") + wanted->id;
    else
    {
        context->beginInit();
        if (plugin->init(plugin)) return true;
        error = std::string("init of ") + wanted->id + " failed";
        plugin->destroy(plugin);
        plugin = nullptr;
    }
    return false;
}

void ClapInstance::readExtensions()
{
    auto find = [this](const char* id) { return plugin->get_extension(plugin, id); };
    audioPorts = static_cast<const clap_plugin_audio_ports*>(find(CLAP_EXT_AUDIO_PORTS));
    params = static_cast<const clap_plugin_params*>(find(CLAP_EXT_PARAMS));
    state = static_cast<const clap_plugin_state*>(find(CLAP_EXT_STATE));
    gui = static_cast<const clap_plugin_gui*>(find(CLAP_EXT_GUI));
    timerSupport = static_cast<const clap_plugin_timer_support*>(find(CLAP_EXT_TIMER_SUPPORT));
    fdSupport = static_cast<const clap_plugin_posix_fd_support*>(find(CLAP_EXT_POSIX_FD_SUPPORT));
    latencyExtension = static_cast<const clap_plugin_latency*>(find(CLAP_EXT_LATENCY));
    inputPorts = readPorts(true);
    outputPorts = readPorts(false);
    const std::uint32_t count = params ? params->count(plugin) : 0;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        clap_param_info info{};
        if (params->get_info(plugin, i, &info))
            parameters.push_back(info);
        else
            context->note("fault: params.get_info refused index " + std::to_string(i) + " of " +
                          std::to_string(count));
    }
    gestureOpen.assign(parameters.size(), false);
}

std::vector<clap_audio_port_info> ClapInstance::readPorts(bool input) const
{
    std::vector<clap_audio_port_info> result;
    const std::uint32_t count = audioPorts ? audioPorts->count(plugin, input) : 0;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        clap_audio_port_info info{};
        if (audioPorts->get(plugin, i, input, &info)) result.push_back(info);
    }
    return result;
}

ClapInstance::~ClapInstance()
{
    if (!plugin) return;
    if (editorCreated) destroyEditor();
    stop();
    plugin->destroy(plugin);
    if (!context->timers().empty() || !context->descriptors().empty())
        context->note("fault: timers or descriptors still registered after destroy");
    // Nobody can ask for the messages any more; they go where a host's log would.
    for (const std::string& line : context->takeMessages())
        std::fprintf(stderr, "vsthost: %s\n", line.c_str());
}

int ClapInstance::channelTotal(const std::vector<clap_audio_port_info>& ports)
{
    int total = 0;
    for (const auto& port : ports)
        total += static_cast<int>(port.channel_count);
    return total;
}

bool ClapInstance::canProcessDouble() const
{
    auto wide = [](const clap_audio_port_info& port)
    { return (port.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS) != 0; };
    return std::all_of(inputPorts.begin(), inputPorts.end(), wide) &&
           std::all_of(outputPorts.begin(), outputPorts.end(), wide);
}

bool ClapInstance::canProcessInPlace() const
{
    // Channel c of the flat lists shares memory in place, so port p must pair with port p.
    for (std::size_t p = 0; p < inputPorts.size() && p < outputPorts.size(); ++p)
        if (inputPorts[p].in_place_pair != outputPorts[p].id ||
            outputPorts[p].in_place_pair != inputPorts[p].id)
            return false;
    return true;
}

std::string ClapInstance::name()
{
    return plugin->desc && plugin->desc->name ? plugin->desc->name : "";
}

std::string ClapInstance::parameterName(int index)
{
    const clap_param_info& info = parameters[static_cast<std::size_t>(index)];
    return std::string(info.name, strnlen(info.name, sizeof(info.name)));
}

ParameterRange ClapInstance::parameterRange(int index)
{
    const clap_param_info& info = parameters[static_cast<std::size_t>(index)];
    return {info.min_value, info.max_value, info.default_value, (info.flags & CLAP_PARAM_IS_STEPPED) != 0};
}

double ClapInstance::parameterValue(int index)
{
    double value = std::nan("");
    if (!params->get_value(plugin, parameters[static_cast<std::size_t>(index)].id, &value))
        context->note("fault: params.get_value refused parameter " + std::to_string(index));
    return value;
}

void ClapInstance::setParameterValue(int index, double value)
{
    const clap_id id = parameters[static_cast<std::size_t>(index)].id;
    if (!active)
    {
        inputEvents.clear();
        inputEvents.addValue(0, id, value);
        flushOnMainThread();
        return;
    }
    const auto giveUp = std::chrono::steady_clock::now() + kQueueWait;
    while (!queued.push({id, value}))
    {
        if (std::chrono::steady_clock::now() > giveUp)
        {
            context->note("a parameter change was dropped: no block took the queued ones for a second");
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void ClapInstance::flushOnMainThread()
{
    if (!params) return;
    params->flush(plugin, inputEvents.list(), outputEvents.list());
    inputEvents.clear();
    reportEvents();
}

std::string ClapInstance::parameterText(int index)
{
    char text[CLAP_NAME_SIZE] = {};
    return valueToText(index, parameterValue(index), text, sizeof(text)) ? std::string(text) : std::string();
}

bool ClapInstance::valueToText(int index, double value, char* text, std::uint32_t capacity)
{
    return params->value_to_text(plugin, parameters[static_cast<std::size_t>(index)].id, value, text,
                                 capacity);
}

bool ClapInstance::textToValue(int index, const char* text, double& value)
{
    return params->text_to_value(plugin, parameters[static_cast<std::size_t>(index)].id, text, &value);
}

std::vector<std::uint8_t> ClapInstance::saveState()
{
    ClapByteSink sink;
    if (!state || !state->save(plugin, sink.stream())) return {};
    return sink.bytes();
}

bool ClapInstance::loadStateInPieces(const std::vector<std::uint8_t>& bytes, std::size_t piece)
{
    ClapByteSource source(bytes, piece == 0 ? bytes.size() + 1 : piece);
    return state && state->load(plugin, source.stream());
}

bool ClapInstance::latency(std::uint32_t& frames) const
{
    if (!latencyExtension || !active) return false;
    frames = latencyExtension->get(plugin);
    return true;
}

void ClapInstance::start(double sampleRate, int maxBlock)
{
    stop();
    rate = sampleRate;
    maxFrames = std::max(maxBlock, 1);
    inputBuffers.assign(inputPorts.size(), clap_audio_buffer{});
    outputBuffers.assign(outputPorts.size(), clap_audio_buffer{});
    steadyTime = 0;
    failures = 0;
    context->setActivating(true);
    active = plugin->activate(plugin, rate, 1, static_cast<std::uint32_t>(maxFrames));
    context->setActivating(false);
    context->setActive(active);
    if (!active) context->note("activate failed");
}

void ClapInstance::stop()
{
    if (!active) return;
    if (processing)
    {
        // The audio thread is over; this thread takes its place for the one call that is left.
        ClapHostContext::AudioScope audio(*context);
        plugin->stop_processing(plugin);
        processing = false;
    }
    plugin->deactivate(plugin);
    active = false;
    context->setActive(false);
    inputEvents.clear();
    for (QueuedChange change; queued.pop(change);)
        inputEvents.addValue(0, change.param, change.value);
    flushOnMainThread();
    if (droppedChanges.load() > 0)
        context->note(std::to_string(droppedChanges.exchange(0)) + " parameter changes did not fit a block");
    if (failures.load() > 0)
        context->note("process failed in " + std::to_string(failures.load()) +
                      " blocks, which were silenced");
}

std::vector<std::string> ClapInstance::takeMessages()
{
    return context->takeMessages();
}
