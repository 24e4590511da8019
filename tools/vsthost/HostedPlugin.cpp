// Drives one plug-in instance through its effect record.
#include "HostedPlugin.h"

#include <algorithm>
#include <cstring>

namespace
{
// Hosts commonly hand out generous text buffers because not every plug-in keeps to the limits.
constexpr std::size_t kTextBufferSize = 256;
} // namespace

HostedPlugin::HostedPlugin(std::unique_ptr<PluginLibrary> module, AEffect* effect)
    : library(std::move(module)), record(effect)
{
}

std::unique_ptr<HostedPlugin> HostedPlugin::load(const std::string& path, std::string& error)
{
    auto module = PluginLibrary::load(path, error);
    if (!module) return nullptr;
    AEffect* effect = module->entryPoint()(&hostCallback);
    if (!effect)
    {
        error = path + ": the entry point returned no effect";
        return nullptr;
    }
    if (effect->magic != kEffectMagic)
    {
        // Without the magic nothing else in the record can be trusted, not even its dispatcher.
        error = path + ": the record returned is not an effect record";
        return nullptr;
    }
    std::unique_ptr<HostedPlugin> plugin(new HostedPlugin(std::move(module), effect));
    effect->user = plugin.get();
    plugin->dispatch(effOpen);
    return plugin;
}

HostedPlugin::~HostedPlugin()
{
    if (record) close();
}

std::intptr_t HostedPlugin::close()
{
    stop();
    const std::intptr_t result = dispatch(effClose);
    record = nullptr;
    return result;
}

std::intptr_t HostedPlugin::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                                     float opt)
{
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

void HostedPlugin::start(double sampleRate, int frames)
{
    stop();
    rate = sampleRate;
    maxBlock = std::max(frames, 1);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    dispatch(effSetBlockSize, 0, maxBlock);
    dispatch(effMainsChanged, 0, 1);
    running = true;
}

void HostedPlugin::stop()
{
    if (!running) return;
    dispatch(effMainsChanged, 0, 0);
    running = false;
}

std::string HostedPlugin::readText(std::int32_t opcode, std::int32_t index)
{
    char text[kTextBufferSize] = {};
    dispatch(opcode, index, 0, text);
    return std::string(text, strnlen(text, kTextBufferSize - 1));
}

bool HostedPlugin::editorSize(int& width, int& height)
{
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return true;
}

std::string HostedPlugin::effectName()
{
    return readText(effGetEffectName, 0);
}
std::string HostedPlugin::vendorName()
{
    return readText(effGetVendorString, 0);
}
std::string HostedPlugin::productName()
{
    return readText(effGetProductString, 0);
}
std::string HostedPlugin::programName()
{
    return readText(effGetProgramName, 0);
}
std::int32_t HostedPlugin::vendorVersion()
{
    return static_cast<std::int32_t>(dispatch(effGetVendorVersion));
}
std::string HostedPlugin::parameterName(int index)
{
    return readText(effGetParamName, index);
}
std::string HostedPlugin::parameterLabel(int index)
{
    return readText(effGetParamLabel, index);
}
std::string HostedPlugin::parameterDisplay(int index)
{
    return readText(effGetParamDisplay, index);
}

float HostedPlugin::parameter(int index)
{
    return record->getParameter(record, index);
}

void HostedPlugin::setParameter(int index, float value)
{
    record->setParameter(record, index, value);
}

std::vector<std::uint8_t> HostedPlugin::chunk(bool preset)
{
    void* data = nullptr;
    const auto size = dispatch(effGetChunk, preset ? 1 : 0, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

void HostedPlugin::setChunk(const std::vector<std::uint8_t>& bytes, bool preset)
{
    // The plug-in may keep reading its argument only during the call, so a local copy suffices.
    std::vector<std::uint8_t> copy(bytes);
    dispatch(effSetChunk, preset ? 1 : 0, static_cast<std::intptr_t>(copy.size()), copy.data());
}

int HostedPlugin::requestCount(std::int32_t opcode) const
{
    if (opcode < 0 || static_cast<std::size_t>(opcode) >= requests.size()) return 0;
    return requests[static_cast<std::size_t>(opcode)].load();
}
