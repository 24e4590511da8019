// Parameter storage, chunk format and identity answers shared by the vendor's effects.
#include "TarvelFX.h"

#include "AEffEditor.h"
#include "ProductInfo.h"
#include "TextConversions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr std::size_t kBytesPerValue = 4;

float clampUnit(float value)
{
    if (value < 0.0f) return 0.0f;
    if (value > 1.0f) return 1.0f;
    return value;
}

// The chunk is little-endian whatever the machine.
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

TarvelFX::TarvelFX(audioMasterCallback callback)
    : AudioEffectX(callback, 0, kNumParams), chunkAllocator(std::malloc)
{
}

TarvelFX::~TarvelFX()
{
    std::free(chunkBuffer);
}

void TarvelFX::loadParameterTable(const ParameterDefinition* table, std::uint16_t count)
{
    for (std::uint16_t i = 0; i < count && i < paramCount; ++i)
    {
        parameters[i].name = table[i].name;
        parameters[i].label = table[i].label;
        parameters[i].value.store(clampUnit(table[i].defaultValue), std::memory_order_relaxed);
    }
}

void TarvelFX::setSampleRate(float newRate)
{
    sampleRate = newRate;
    sampleRateChanged(newRate);
}

void TarvelFX::setParameter(std::int32_t index, float value)
{
    // A NaN would stick in every computation that reads the value: it is refused like a bad index.
    if (!isValidIndex(index) || std::isnan(value)) return;
    parameters[index].value.store(clampUnit(value));
    notifyChange(index, value);
}

float TarvelFX::getParameter(std::int32_t index)
{
    return isValidIndex(index) ? parameters[index].value.load() : 0.0f;
}

void TarvelFX::notifyChange(std::int32_t index, float value)
{
    parameterChanged(index, value);
    if (editor) editor->setParameter(index, value);
}

void TarvelFX::getProgramName(char* name)
{
    vsttext::copyText(name, "Default", kVstMaxProgNameLen);
}

void TarvelFX::getParameterLabel(std::int32_t index, char* label)
{
    if (isValidIndex(index)) vsttext::copyText(label, parameters[index].label, kVstMaxParamStrLen);
}

void TarvelFX::getParameterDisplay(std::int32_t index, char* text)
{
    if (isValidIndex(index)) float2string(getParameter(index), text, kVstMaxParamStrLen);
}

void TarvelFX::getParameterName(std::int32_t index, char* text)
{
    if (isValidIndex(index)) vsttext::copyText(text, parameters[index].name, kVstMaxParamStrLen);
}

std::int32_t TarvelFX::getChunk(void** data, bool)
{
    const std::size_t bytes = kBytesPerValue * paramCount;
    if (!data || bytes == 0) return 0;
    auto* fresh = static_cast<unsigned char*>(chunkAllocator(bytes));
    if (!fresh) return 0;
    for (std::uint16_t i = 0; i < paramCount; ++i)
        writeFloat(fresh + kBytesPerValue * i, getParameter(i));
    std::free(chunkBuffer);
    chunkBuffer = fresh;
    *data = fresh;
    return static_cast<std::int32_t>(bytes);
}

std::int32_t TarvelFX::setChunk(void* data, std::int32_t byteSize, bool)
{
    const std::size_t bytes = kBytesPerValue * paramCount;
    // Never read past what the host handed over: a short chunk is refused as a whole.
    if (!data || byteSize < 0 || static_cast<std::size_t>(byteSize) < bytes) return 0;
    const auto* in = static_cast<const unsigned char*>(data);
    for (std::uint16_t i = 0; i < paramCount; ++i)
    {
        const float value = readFloat(in + kBytesPerValue * i);
        if (!std::isnan(value)) parameters[i].value.store(clampUnit(value));
        notifyChange(i, getParameter(i));
    }
    return 0;
}

bool TarvelFX::getVendorString(char* text)
{
    vsttext::copyText(text, qm07::kVendorName, kVstMaxVendorStrLen);
    return true;
}

std::int32_t TarvelFX::canDo(const char* text)
{
    if (!text) return -1;
    for (std::uint16_t i = 0; i < canDoCount; ++i)
        if (canDoStrings[i] && std::strcmp(text, canDoStrings[i]) == 0) return 1;
    return -1;
}

void TarvelFX::sampleRateChanged(float) {}

void TarvelFX::parameterChanged(std::int32_t, float) {}
