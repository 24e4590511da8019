// The minimal editor an effect owns: the host's parent window and the editor requests of the dispatcher.
#pragma once

#include "EffectRecord.h"

#include <cstdint>

class AudioEffect;

class AEffEditor
{
public:
    /// Does not attach itself: the effect learns of its editor through setEditor.
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor() = default;

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    /// Any thread; no allocation.
    virtual AudioEffect* getEffect() { return effect; }
    /// UI thread (effEditGetRect); no allocation. A plain editor has no size: stores null, answers false.
    virtual bool getRect(ERect** rect);
    /// UI thread (effEditOpen); no allocation. Keeps the host's parent window; answers false.
    virtual bool open(void* parentWindow);
    /// UI thread (effEditClose); no allocation.
    virtual void close();
    /// UI thread; no allocation.
    virtual bool isOpen();
    /// UI thread (effEditIdle); no allocation here.
    virtual void idle();
    /// UI thread (effEditKeyDown); answers whether the key was used.
    virtual bool onKeyDown(VstKeyCode& keyCode);
    /// UI thread (effEditKeyUp); answers whether the key was used.
    virtual bool onKeyUp(VstKeyCode& keyCode);
    /// UI thread; answers whether the wheel movement was used.
    virtual bool onWheel(float distance);
    /// UI thread (effSetEditKnobMode); answers whether the mode was taken.
    virtual bool setKnobMode(std::int32_t mode);
    /// Any thread that sets parameters, the audio thread included: must not allocate or lock.
    /// Tells the editor that the effect stored a new value; the editor reads it back with getParameter.
    virtual void setParameter(std::int32_t index, float value);

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};
