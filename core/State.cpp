// The state is little-endian whatever the machine.
#include "State.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace qm07
{
namespace
{
constexpr std::size_t kBytesPerValue = 4;
static_assert(kStateBytes == kBytesPerValue * kNumParams);

void writeFloat(unsigned char* out, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    for (std::size_t i = 0; i < kBytesPerValue; ++i)
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

float readFloat(const unsigned char* in)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < kBytesPerValue; ++i)
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}
} // namespace

StateBytes writeState(const ParameterValues& values)
{
    StateBytes bytes{};
    for (std::size_t i = 0; i < values.size(); ++i)
        writeFloat(bytes.data() + kBytesPerValue * i, values[i]);
    return bytes;
}

bool readState(const void* data, std::size_t size, ParameterValues& values)
{
    // Never read past what was handed over: a short state is refused as a whole.
    if (!data || size < kStateBytes) return false;
    const auto* in = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < values.size(); ++i)
    {
        const float value = readFloat(in + kBytesPerValue * i);
        if (!std::isnan(value)) values[i] = clampUnit(value);
    }
    return true;
}
} // namespace qm07
