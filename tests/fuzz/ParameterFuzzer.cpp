// Parameter writes of any index and value, reads and displays, interleaved with process calls of any
// length in both sample types, in place or not, with inputs that may hold NaN, infinities and subnormals.
// A block whose input is finite and at most 24 dB over full scale must come out finite, whatever came before.
#include "FuzzSupport.h"

#include <cmath>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>

namespace
{
constexpr float kLoudest = 16.0f;

float sampleFrom(FuzzedDataProvider& input)
{
    static const float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     1e-41f,
                                     -1e-41f,
                                     1e30f,
                                     0.0f};
    if (input.ConsumeIntegralInRange<int>(0, 15) == 0) return input.PickValueInArray(kSpecial);
    return input.ConsumeFloatingPointInRange<float>(-kLoudest, kLoudest);
}

template <typename Sample> void processBlock(Instance& instance, FuzzedDataProvider& input)
{
    static Sample in[2][Instance::kMaxBlock];
    static Sample out[2][Instance::kMaxBlock];
    const int frames = input.ConsumeIntegralInRange<int>(0, Instance::kMaxBlock);
    const bool inPlace = input.ConsumeBool();
    // A few fuzzed samples, then the pattern repeats: long blocks cost no more input than short ones.
    Sample pattern[16];
    bool clean = true;
    for (auto& x : pattern)
    {
        x = static_cast<Sample>(sampleFrom(input));
        clean = clean && std::isfinite(x) && std::fabs(x) <= kLoudest;
    }
    for (int n = 0; n < frames; ++n)
    {
        in[0][n] = pattern[n % 16];
        in[1][n] = pattern[(n * 7 + 3) % 16];
    }
    Sample* ins[] = {in[0], in[1]};
    Sample* outs[] = {inPlace ? in[0] : out[0], inPlace ? in[1] : out[1]};
    AEffect& e = instance.record();
    if constexpr (sizeof(Sample) == sizeof(float))
        e.processReplacing(&e, ins, outs, frames);
    else
        e.processDoubleReplacing(&e, ins, outs, frames);
    if (!clean) return;
    for (int n = 0; n < frames; ++n)
        require(std::isfinite(outs[0][n]) && std::isfinite(outs[1][n]), "a clean block came out non-finite");
}

std::int32_t indexFrom(FuzzedDataProvider& input, const AEffect& e)
{
    return input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int32_t>(-1, e.numParams)
                               : input.ConsumeIntegral<std::int32_t>();
}

float valueFrom(FuzzedDataProvider& input)
{
    if (input.ConsumeBool()) return input.ConsumeFloatingPointInRange<float>(0.0f, 1.0f);
    const auto bits = input.ConsumeIntegral<std::uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Instance instance;
    AEffect& e = instance.record();
    static const float kRates[] = {8000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 384000.0f};
    for (int step = 0; step < 256 && input.remaining_bytes() > 0; ++step)
    {
        switch (input.ConsumeIntegralInRange<int>(0, 5))
        {
        case 0:
            e.setParameter(&e, indexFrom(input, e), valueFrom(input));
            break;
        case 1:
        {
            const std::int32_t index = indexFrom(input, e);
            const float value = e.getParameter(&e, index);
            require(index < 0 || index >= e.numParams ? value == 0.0f : value >= 0.0f && value <= 1.0f,
                    "getParameter outside 0 to 1, or not 0 for a bad index");
            break;
        }
        case 2:
            processBlock<float>(instance, input);
            break;
        case 3:
            processBlock<double>(instance, input);
            break;
        case 4:
        {
            char text[kVstMaxParamStrLen + 1];
            std::memset(text, 'x', sizeof(text));
            const std::int32_t index = indexFrom(input, e);
            instance.dispatch(effGetParamDisplay, index, 0, text);
            require(index < 0 || index >= e.numParams || text[kVstMaxParamStrLen] == 0,
                    "display unterminated");
            break;
        }
        default:
            instance.dispatch(effMainsChanged, 0, 0);
            instance.dispatch(effSetSampleRate, 0, 0, nullptr, input.PickValueInArray(kRates));
            instance.dispatch(effMainsChanged, 0, 1);
        }
    }
    instance.requireValidParameters();
    return 0;
}
