// The effect's side of the engine: block settings from the stored values, coefficient updates on change.
#include "TarvelCompressor.h"

#include "AEffEditor.h"
#include "NoiseSeed.h"
#include "TextConversions.h"

TarvelCompressor::TarvelCompressor(audioMasterCallback callback, EditorFactory makeEditor)
    : TarvelFX(callback), engine(qm07::freshNoiseSeed(this))
{
    loadParameterTable(qm07::kParameters, qm07::kNumParams);
    setUniqueID(qm07::kUniqueId);
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    programsAreChunks();
    canDoubleReplacing();
    if (makeEditor) makeEditor(*this);
}

TarvelCompressor::~TarvelCompressor()
{
    delete editor;
    editor = nullptr;
}

void TarvelCompressor::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames)
{
    if (sampleFrames > 0) engine.process(currentBlockSettings(), inputs, outputs, sampleFrames);
}

void TarvelCompressor::processDoubleReplacing(double** inputs, double** outputs, std::int32_t sampleFrames)
{
    if (sampleFrames > 0) engine.process(currentBlockSettings(), inputs, outputs, sampleFrames);
}

BlockSettings TarvelCompressor::currentBlockSettings()
{
    return blockSettingsFrom(storedValues());
}

bool TarvelCompressor::getEffectName(char* name)
{
    vsttext::copyText(name, qm07::kProductName, kVstMaxEffectNameLen);
    return true;
}

bool TarvelCompressor::getProductString(char* text)
{
    vsttext::copyText(text, qm07::kProductName, kVstMaxProductStrLen);
    return true;
}

void TarvelCompressor::sampleRateChanged(float newRate)
{
    updateEnvelopeCoefs();
    updateSidechainFilter();
    engine.gainReductionFeed().sampleRateChanged(newRate);
}

void TarvelCompressor::parameterChanged(std::int32_t index, float)
{
    if (index == qm07::kAttack || index == qm07::kRelease)
        updateEnvelopeCoefs();
    else if (index == qm07::kScMode)
        updateSidechainFilter();
}

// Host automation and the editor may change the same parameter at once, each thread then updating the
// coefficients. An update that finds its value replaced after it wrote runs again: with every store and
// this second look sequentially consistent, the update of whoever stored last is never overwritten by an
// older one, so no stale coefficient (or half of another shelf design) stays behind.
void TarvelCompressor::updateEnvelopeCoefs()
{
    for (;;)
    {
        const float attack = getParameter(qm07::kAttack);
        const float release = getParameter(qm07::kRelease);
        engine.setEnvelopeTimes(attack, release, sampleRate);
        if (attack == getParameter(qm07::kAttack) && release == getParameter(qm07::kRelease)) return;
    }
}

void TarvelCompressor::updateSidechainFilter()
{
    for (;;)
    {
        const int mode = qm07::positionByThirds(getParameter(qm07::kScMode));
        engine.setSidechainMode(mode, sampleRate);
        if (mode == qm07::positionByThirds(getParameter(qm07::kScMode))) return;
    }
}
