// The vendor's effect base: ten parameter records, the state chunk, identity strings and two change hooks.
#pragma once

#include "AudioEffectExt.h"
#include "Parameters.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

/// A parameter as hosts see it. The value is shared between threads without a lock; the engine reads it
/// once per block.
struct ParameterRecord
{
    const char* name = nullptr;
    const char* label = nullptr;
    std::atomic<float> value{0.0f};
};

class TarvelFX : public AudioEffectX
{
public:
    /// Loader thread; no allocation (the records live in the object).
    explicit TarvelFX(audioMasterCallback callback);
    /// UI thread (effClose); frees the last chunk handed out.
    ~TarvelFX() override;

    /// UI thread while processing is suspended; stores the rate, then calls sampleRateChanged.
    void setSampleRate(float newRate) override;
    /// Any thread, the audio thread included; no allocation. Clamps to 0...1, ignores NaN and bad indices.
    void setParameter(std::int32_t index, float value) override;
    /// Any thread, the audio thread included; no allocation. 0 for a bad index.
    float getParameter(std::int32_t index) override;
    /// UI thread; no allocation. Text getters leave the text untouched for a bad index.
    void getProgramName(char* name) override;
    void getParameterLabel(std::int32_t index, char* label) override;
    void getParameterDisplay(std::int32_t index, char* text) override;
    void getParameterName(std::int32_t index, char* text) override;
    /// UI thread; allocates. The effect owns the buffer until the next getChunk or its destruction.
    /// Answers 0 (and leaves *data alone) when no buffer can be had.
    std::int32_t getChunk(void** data, bool isPreset = false) override;
    /// UI thread; no allocation. A null chunk or one shorter than the whole state changes nothing.
    std::int32_t setChunk(void* data, std::int32_t byteSize, bool isPreset = false) override;
    /// UI thread; no allocation.
    bool getVendorString(char* text) override;
    /// UI thread; no allocation. 1 for a registered capability, -1 for anything else.
    std::int32_t canDo(const char* text) override;

    /// Any thread, the audio thread included; no allocation. The stored values in index order.
    qm07::ParameterValues storedValues();

    /// Thread of setSampleRate; the engine recomputes what depends on the rate.
    virtual void sampleRateChanged(float newRate);
    /// Thread of the change (audio thread possible); value as passed to setParameter, stored value from a
    /// chunk.
    virtual void parameterChanged(std::int32_t index, float value);

protected:
    /// Constructor thread: names, labels and defaults of the first count records, without notifications.
    void loadParameterTable(const qm07::ParameterInfo* table, std::uint16_t count);

    using ChunkAllocator = void* (*)(std::size_t bytes);
    /// Where getChunk takes its buffers from; the buffers are released with std::free.
    ChunkAllocator chunkAllocator;

    const char* const* canDoStrings = nullptr;
    ParameterRecord parameters[qm07::kNumParams];
    std::uint16_t paramCount = qm07::kNumParams;
    std::uint16_t canDoCount = 0;

private:
    bool isValidIndex(std::int32_t index) const { return index >= 0 && index < paramCount; }
    void notifyChange(std::int32_t index, float value);

    void* chunkBuffer = nullptr;
};
