// The DSP library's only export: the descriptor of urn:tarvel:qm07-compressor.
#include "Lv2Compressor.h"
#include "PortLayout.h"

#include <lv2/core/lv2.h>

#include <new>

namespace
{
using qm07::lv2::Lv2Compressor;

Lv2Compressor* instanceOf(LV2_Handle handle)
{
    return static_cast<Lv2Compressor*>(handle);
}

/// Instantiation thread; allocates the instance, null when memory is short.
LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*)
{
    return new (std::nothrow) Lv2Compressor(rate);
}

/// Audio thread or any while not running; no allocation.
void connectPort(LV2_Handle handle, std::uint32_t port, void* data)
{
    instanceOf(handle)->connect(port, data);
}

/// Instantiation thread; no allocation.
void activate(LV2_Handle handle)
{
    instanceOf(handle)->activate();
}

/// Audio thread; never allocates, locks or waits.
void run(LV2_Handle handle, std::uint32_t frames)
{
    instanceOf(handle)->run(frames);
}

/// Instantiation thread; frees the instance.
void cleanup(LV2_Handle handle)
{
    delete instanceOf(handle);
}

/// Any thread: no extension beyond ports.
const void* extensionData(const char*)
{
    return nullptr;
}

const LV2_Descriptor kDescriptor = {
    qm07::lv2::kPluginUri, instantiate, connectPort, activate, run, nullptr, cleanup, extensionData};
} // namespace

/// Any thread; no allocation.
const LV2_Descriptor* lv2_descriptor(std::uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
