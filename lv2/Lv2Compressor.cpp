// Ports mapped onto the stored values and the engine; the engine itself is untouched by the format.
#include "Lv2Compressor.h"

#include "HostValues.h"
#include "NoiseSeed.h"
#include "PortLayout.h"

#include <algorithm>

namespace qm07::lv2
{
namespace
{
// The engine counts frames in 32 signed bits, LV2 in 32 unsigned ones.
constexpr std::uint32_t kLargestCall = 1u << 30;
} // namespace

Lv2Compressor::Lv2Compressor(double sampleRate) : engine(freshNoiseSeed(this)), rate(sampleRate)
{
    engine.setSampleRate(sampleRate);
}

void Lv2Compressor::connect(std::uint32_t port, void* data)
{
    if (const std::int32_t index = parameterOfPort(port); index >= 0)
        controls[index] = static_cast<const float*>(data);
    else if (port == kInputLeft || port == kInputRight)
        inputs[port - kInputLeft] = static_cast<const float*>(data);
    else if (port == kOutputLeft || port == kOutputRight)
        outputs[port - kOutputLeft] = static_cast<float*>(data);
    else if (port == kGainReductionPort)
        gainReduction = static_cast<float*>(data);
}

// A host activates again after a deactivate (a transport stop, a bypass): nothing of the audio before it may
// sound on.
void Lv2Compressor::activate()
{
    engine.reset();
    engine.gainReductionFeed().activate(rate);
}

void Lv2Compressor::run(std::uint32_t frames)
{
    readControls();
    const bool connected = inputs[0] && inputs[1] && outputs[0] && outputs[1];
    if (connected && frames > 0) process(frames);
    if (gainReduction) *gainReduction = static_cast<float>(engine.gainReductionFeed().reading());
}

void Lv2Compressor::readControls()
{
    for (std::int32_t index = 0; index < kNumParams; ++index)
    {
        if (!controls[index]) continue;
        const float port = *controls[index];
        if (port == convertedPorts[index]) continue;
        values[index] = storedFromHost(index, port, values[index]);
        convertedPorts[index] = port;
    }
}

void Lv2Compressor::process(std::uint32_t frames)
{
    for (std::uint32_t done = 0; done < frames;)
    {
        const std::uint32_t count = std::min(frames - done, kLargestCall);
        const float* const in[2] = {inputs[0] + done, inputs[1] + done};
        float* const out[2] = {outputs[0] + done, outputs[1] + done};
        engine.process(values, in, out, static_cast<std::int32_t>(count));
        done += count;
    }
}
} // namespace qm07::lv2
