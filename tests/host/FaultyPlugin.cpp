// A plug-in with one deliberate fault per kind the battery looks for, so its tests can see each one caught.
// Every fault stays inside the memory the battery hands over (its guards are larger than any overrun here),
// so the sanitizer builds run it too.
#include "AudioEffectExt.h"
#include "PluginFactory.h"
#include "TextConversions.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr std::int32_t kParams = 2;

class FaultyEffect : public AudioEffectX
{
public:
    explicit FaultyEffect(audioMasterCallback callback) : AudioEffectX(callback, 0, kParams)
    {
        // Fault: no unique ID.
        setUniqueID(0);
        setNumInputs(2);
        setNumOutputs(2);
        programsAreChunks();
    }

    std::intptr_t dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                             float opt) override
    {
        // Fault: the chunk size is cut to 32 bits before anyone looks at it.
        if (opcode == effSetChunk) return setChunk(ptr, static_cast<std::int32_t>(value), index != 0);
        return AudioEffectX::dispatcher(opcode, index, value, ptr, opt);
    }

    bool getEffectName(char* name) override
    {
        vsttext::copyText(name, "Faulty", kVstMaxEffectNameLen);
        return true;
    }

    // Fault: stored as sent, never clamped.
    void setParameter(std::int32_t index, float value) override
    {
        if (index >= 0 && index < kParams) values[index] = value;
    }
    float getParameter(std::int32_t index) override
    {
        return index >= 0 && index < kParams ? values[index] : 0.0f;
    }

    // Fault: a name of 20 characters in a buffer meant for 8.
    void getParameterName(std::int32_t, char* text) override { std::strcpy(text, "ParameterNameTooLong"); }
    void getParameterDisplay(std::int32_t index, char* text) override
    {
        vsttext::float2string(getParameter(index), text, kVstMaxParamStrLen);
    }

    std::int32_t getChunk(void** data, bool) override
    {
        *data = values;
        return sizeof(values);
    }
    // Fault: whatever floats arrive are kept, NaN included.
    std::int32_t setChunk(void* data, std::int32_t size, bool) override
    {
        if (data && size >= static_cast<std::int32_t>(sizeof(values)))
            std::memcpy(values, data, sizeof(values));
        return 0;
    }

    void processReplacing(float** in, float** out, std::int32_t frames) override { run(in, out, frames); }
    void processDoubleReplacing(double** in, double** out, std::int32_t frames) override
    {
        run(in, out, frames);
    }

private:
    template <typename Sample> void run(Sample** in, Sample** out, std::int32_t frames)
    {
        for (int c = 0; c < 2; ++c)
        {
            // Fault: a call of 0 frames still writes its first output sample.
            if (frames == 0) out[c][0] = 0;
            for (std::int32_t n = 0; n < frames; ++n)
            {
                // Fault: a NaN or infinity stays in the smoothing state for good.
                state[c] = 0.5 * state[c] + 0.5 * in[c][n];
                // Fault: silence comes out as a subnormal number.
                out[c][n] = static_cast<Sample>(in[c][n] == 0 ? 1e-40f : state[c]);
            }
        }
    }

    float values[kParams] = {0.5f, 0.5f};
    double state[2] = {};
};
} // namespace

AudioEffect* createEffectInstance(audioMasterCallback callback)
{
    return new FaultyEffect(callback);
}
