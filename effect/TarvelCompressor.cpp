// The effect's side of the engine: the stored values for every block, coefficients armed on change.
#include "TarvelCompressor.h"

#include "AEffEditor.h"
#include "NoiseSeed.h"
#include "TextConversions.h"

TarvelCompressor::TarvelCompressor(audioMasterCallback callback, EditorFactory makeEditor)
    : TarvelFX(callback), engine(qm07::freshNoiseSeed(this))
{
    loadParameterTable(qm07::kParameters, qm07::kNumParams);
    engine.assumeSampleRate(sampleRate);
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
    if (sampleFrames > 0) engine.process(storedValues(), inputs, outputs, sampleFrames);
}

void TarvelCompressor::processDoubleReplacing(double** inputs, double** outputs, std::int32_t sampleFrames)
{
    if (sampleFrames > 0) engine.process(storedValues(), inputs, outputs, sampleFrames);
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
    engine.setSampleRate(newRate);
}

// The engine computes the coefficients at its next block; a change only arms them, as before.
void TarvelCompressor::parameterChanged(std::int32_t index, float)
{
    if (index == qm07::kAttack || index == qm07::kRelease)
        engine.armEnvelope();
    else if (index == qm07::kScMode)
        engine.armSidechain();
}
