// The effect base: owns the record the host holds and the editor, and turns host calls into virtual calls.
#pragma once

#include "EffectRecord.h"

#include <cstdint>

class AEffEditor;

class AudioEffect
{
public:
    /// Any thread the host loads on; no allocation of its own.
    AudioEffect(audioMasterCallback audioMaster, std::int32_t numPrograms, std::int32_t numParams);
    /// UI thread (effClose); deletes the attached editor.
    virtual ~AudioEffect();

    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    /// UI thread as a rule; allocates only where an operation does (getChunk). Opcodes 0 to 24.
    virtual std::intptr_t dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                                     float opt);

    /// UI thread (effOpen, effClose, effMainsChanged); no allocation.
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    /// UI thread while processing is suspended; no allocation.
    virtual void setSampleRate(float newRate) { sampleRate = newRate; }
    /// UI thread while processing is suspended; no allocation.
    virtual void setBlockSize(std::int32_t newSize) { blockSize = newSize; }

    /// Audio thread; must not allocate, lock or wait.
    virtual void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) = 0;
    /// Audio thread; must not allocate, lock or wait.
    virtual void processDoubleReplacing(double** inputs, double** outputs, std::int32_t sampleFrames);

    /// Any thread, the audio thread included; must not allocate or lock.
    virtual void setParameter(std::int32_t index, float value);
    /// Any thread, the audio thread included; must not allocate or lock.
    virtual float getParameter(std::int32_t index);
    /// UI thread (the editor); sets the value, then tells the host. No allocation.
    virtual void setParameterAutomated(std::int32_t index, float value);

    /// UI thread; no allocation.
    virtual std::int32_t getProgram() { return curProgram; }
    virtual void setProgram(std::int32_t program) { curProgram = program; }
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(std::int32_t index, char* label);
    virtual void getParameterDisplay(std::int32_t index, char* text);
    virtual void getParameterName(std::int32_t index, char* text);

    /// UI thread (effGetChunk); may allocate. Stores the chunk's address in *data, answers its size.
    virtual std::int32_t getChunk(void** data, bool isPreset = false);
    /// UI thread (effSetChunk); no allocation. Answers 0.
    virtual std::int32_t setChunk(void* data, std::int32_t byteSize, bool isPreset = false);

    /// Set-up of the record (constructor thread); no allocation.
    virtual void setUniqueID(std::int32_t id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(std::int32_t inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(std::int32_t outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(std::int32_t delay) { cEffect.initialDelay = delay; }

    /// Any thread; no allocation.
    virtual AEffEditor* getEditor() { return editor; }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual std::int32_t getBlockSize() { return blockSize; }

    /// Host requests, on the caller's thread; no allocation. Without a callback they answer their default.
    virtual std::int32_t getMasterVersion();
    virtual std::int32_t getCurrentUniqueId();
    virtual void masterIdle();

    /// Any thread; no allocation. Text of at most maxLen characters, a zero written at text[maxLen].
    virtual void dB2string(float value, char* text, std::int32_t maxLen);
    virtual void Hz2string(float samples, char* text, std::int32_t maxLen);
    virtual void ms2string(float samples, char* text, std::int32_t maxLen);
    virtual void float2string(float value, char* text, std::int32_t maxLen);
    virtual void int2string(std::int32_t value, char* text, std::int32_t maxLen);

    /// Audio thread (the deprecated accumulating call); does nothing.
    virtual void process(float** inputs, float** outputs, std::int32_t sampleFrames);
    /// Deprecated record set-up (constructor thread); no allocation.
    virtual void hasVu(bool state = true) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state = true) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state = true) { setFlag(effFlagsCanMono, state); }
    virtual void setRealtimeQualities(std::int32_t qualities) { cEffect.realQualities = qualities; }
    virtual void setOfflineQualities(std::int32_t qualities) { cEffect.offQualities = qualities; }
    /// Deprecated host requests, on the caller's thread; no allocation.
    virtual bool isInputConnected(std::int32_t input);
    virtual bool isOutputConnected(std::int32_t output);

    /// Constructor thread of the editor; takes ownership and sets or clears effFlagsHasEditor.
    void setEditor(AEffEditor* newEditor);

protected:
    void setFlag(std::int32_t flag, bool state);
    /// One request to the host; 0 without a callback.
    std::intptr_t callHost(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    std::int32_t blockSize = 1024;
    std::int32_t numPrograms;
    std::int32_t numParams;
    std::int32_t curProgram = 0;
    AEffect cEffect;

private:
    std::intptr_t dispatchEditor(std::int32_t opcode, void* ptr);
    std::intptr_t dispatchText(std::int32_t opcode, std::int32_t index, void* ptr);
};
