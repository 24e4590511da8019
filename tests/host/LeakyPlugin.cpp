// A plug-in that keeps a little memory after each life, for the leak check's tests.
#include "AudioEffectExt.h"
#include "PluginFactory.h"

namespace
{
class LeakyEffect : public AudioEffectX
{
public:
    explicit LeakyEffect(audioMasterCallback callback) : AudioEffectX(callback, 0, 0), lost(new char[256])
    {
        setUniqueID(fourCharCode('L', 'e', 'a', 'k'));
        setNumInputs(2);
    }
    // The fault: lost is never freed.

    void processReplacing(float** in, float** out, std::int32_t frames) override
    {
        for (int c = 0; c < 2; ++c)
            for (std::int32_t n = 0; n < frames; ++n)
                out[c][n] = in[c][n];
    }

private:
    char* lost;
};
} // namespace

AudioEffect* createEffectInstance(audioMasterCallback callback)
{
    return new LeakyEffect(callback);
}
