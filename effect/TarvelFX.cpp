// Parameter storage, chunk format and identity answers shared by the vendor's effects.
#include "TarvelFX.h"

#include "AEffEditor.h"
#include "ProductInfo.h"
#include "State.h"
#include "TextConversions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

using qm07::clampUnit;

TarvelFX::TarvelFX(audioMasterCallback callback)
    : AudioEffectX(callback, 0, qm07::kNumParams), chunkAllocator(std::malloc)
{
}

TarvelFX::~TarvelFX()
{
    std::free(chunkBuffer);
}

void TarvelFX::loadParameterTable(const qm07::ParameterInfo* table, std::uint16_t count)
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
    if (!data) return 0;
    auto* fresh = static_cast<unsigned char*>(chunkAllocator(qm07::kStateBytes));
    if (!fresh) return 0;
    const qm07::StateBytes state = qm07::writeState(storedValues());
    std::memcpy(fresh, state.data(), state.size());
    std::free(chunkBuffer);
    chunkBuffer = fresh;
    *data = fresh;
    return static_cast<std::int32_t>(state.size());
}

std::int32_t TarvelFX::setChunk(void* data, std::int32_t byteSize, bool)
{
    qm07::ParameterValues values = storedValues();
    if (byteSize < 0 || !qm07::readState(data, static_cast<std::size_t>(byteSize), values)) return 0;
    // Stored and announced one by one, in index order, as hosts have always seen it.
    for (std::int32_t i = 0; i < qm07::kNumParams; ++i)
    {
        parameters[i].value.store(values[i]);
        notifyChange(i, getParameter(i));
    }
    return 0;
}

qm07::ParameterValues TarvelFX::storedValues()
{
    qm07::ParameterValues values{};
    for (std::int32_t i = 0; i < qm07::kNumParams; ++i)
        values[i] = getParameter(i);
    return values;
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
