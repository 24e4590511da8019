// The VST 2.x layer of the effect base: every 2.x operation with its default, and every request to the host.
#pragma once

#include "AudioEffect.h"

class AudioEffectX : public AudioEffect
{
public:
    using AudioEffect::AudioEffect;

    /// UI thread as a rule; opcodes 25 to 79, everything else goes to AudioEffect's dispatcher.
    std::intptr_t dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                             float opt) override;

    // Parameters and programs. UI thread; no allocation.
    virtual bool canParameterBeAutomated(std::int32_t) { return true; }
    virtual bool string2parameter(std::int32_t, char*) { return false; }
    virtual bool getParameterProperties(std::int32_t, VstParameterProperties*) { return false; }
    /// Host request (UI thread, the editor): a gesture on parameter index starts.
    virtual bool beginEdit(std::int32_t index);
    /// Host request (UI thread, the editor): the gesture on parameter index ends.
    virtual bool endEdit(std::int32_t index);
    virtual bool getProgramNameIndexed(std::int32_t, std::int32_t, char*) { return false; }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual std::int32_t beginLoadBank(VstPatchChunkInfo*) { return 0; }
    virtual std::int32_t beginLoadProgram(VstPatchChunkInfo*) { return 0; }

    // Connections. Requests run on the caller's thread; nothing here allocates.
    virtual bool ioChanged();
    /// Asks the host for its rate; a positive answer is stored. Answers the rate in force.
    virtual double updateSampleRate();
    /// Asks the host for its block size; a positive answer is stored. Answers the size in force.
    virtual std::int32_t updateBlockSize();
    virtual std::int32_t getInputLatency();
    virtual std::int32_t getOutputLatency();
    virtual bool getInputProperties(std::int32_t, VstPinProperties*) { return false; }
    virtual bool getOutputProperties(std::int32_t, VstPinProperties*) { return false; }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }
    /// UI thread; offers no arrangement: writes null into each location given, answers false.
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
    virtual bool setBypass(bool) { return false; }
    virtual bool setPanLaw(std::int32_t, float) { return false; }
    virtual bool setProcessPrecision(std::int32_t) { return false; }
    virtual std::int32_t getNumMidiInputChannels() { return 0; }
    virtual std::int32_t getNumMidiOutputChannels() { return 0; }

    // Real time. Requests on the caller's thread (the audio thread included); no allocation.
    virtual VstTimeInfo* getTimeInfo(std::int32_t filter);
    virtual std::int32_t getCurrentProcessLevel();
    virtual std::int32_t getAutomationState();
    /// Audio thread; no allocation.
    virtual std::int32_t processEvents(VstEvents*) { return 0; }
    virtual std::int32_t startProcess() { return 0; }
    virtual std::int32_t stopProcess() { return 0; }
    virtual bool processVariableIo(VstVariableIo*) { return false; }
    virtual std::int32_t setTotalSampleToProcess(std::int32_t value) { return value; }

    // Host properties: requests on the caller's thread; no allocation.
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual std::int32_t getHostVendorVersion();
    virtual std::intptr_t hostVendorSpecific(std::int32_t first, std::intptr_t second, void* ptr, float opt);
    /// 1 when the host answers anything but 0 (a negative answer included), else 0.
    virtual std::int32_t canHostDo(char* text);
    virtual std::int32_t getHostLanguage();

    // Plug-in properties. UI thread; no allocation.
    virtual void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }
    virtual void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }
    virtual std::int32_t getGetTailSize() { return 0; }
    virtual void* getDirectory();
    virtual bool getEffectName(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual std::int32_t getVendorVersion() { return 0; }
    virtual std::intptr_t vendorSpecific(std::int32_t, std::intptr_t, void*, float) { return 0; }
    /// 1 yes, -1 no, 0 don't know.
    virtual std::int32_t canDo(const char*) { return 0; }
    virtual std::int32_t getVstVersion() { return 2400; }
    virtual std::int32_t getPlugCategory();

    // MIDI programs. UI thread; no allocation.
    virtual std::int32_t getMidiProgramName(std::int32_t, MidiProgramName*) { return 0; }
    virtual std::int32_t getCurrentMidiProgram(std::int32_t, MidiProgramName*) { return -1; }
    virtual std::int32_t getMidiProgramCategory(std::int32_t, MidiProgramCategory*) { return 0; }
    virtual bool hasMidiProgramsChanged(std::int32_t) { return false; }
    virtual bool getMidiKeyName(std::int32_t, MidiKeyName*) { return false; }

    // Others. Requests on the UI thread; no allocation.
    virtual bool updateDisplay();
    virtual bool sizeWindow(std::int32_t width, std::int32_t height);
    virtual bool openFileSelector(VstFileSelect* selector);
    virtual bool closeFileSelector(VstFileSelect* selector);
    virtual std::int32_t getNextShellPlugin(char*) { return 0; }

    // Speaker tools. UI thread; they allocate and free arrangements.
    /// Replaces *arrangement by a zeroed one of channels speakers; false for a negative count or no memory.
    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, std::int32_t channels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
    /// Copies name (always terminated) and numeric fields; false when either pointer is null.
    virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
    /// Makes *to a copy of from; false for a null source or when allocation fails.
    virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);

    // Offline processing. Requests on the UI thread; no allocation.
    virtual bool offlineRead(VstOfflineTask* task, std::int32_t option, bool readSource = true);
    virtual bool offlineWrite(VstOfflineTask* task, std::int32_t option);
    virtual bool offlineStart(VstAudioFile* files, std::int32_t numAudioFiles, std::int32_t numNewAudioFiles);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual bool offlineNotify(VstAudioFile*, std::int32_t, bool) { return false; }
    virtual bool offlinePrepare(VstOfflineTask*, std::int32_t) { return false; }
    virtual bool offlineRun(VstOfflineTask*, std::int32_t) { return false; }

    // Deprecated requests and flag setters, on the caller's thread; no allocation.
    virtual void wantEvents(std::int32_t filter = 1);
    virtual std::int32_t tempoAt(std::int32_t pos);
    virtual std::int32_t getNumAutomatableParameters();
    virtual std::int32_t getParameterQuantization();
    virtual bool needIdle();
    virtual AEffect* getPreviousPlug(std::int32_t input);
    virtual AEffect* getNextPlug(std::int32_t output);
    virtual std::int32_t willProcessReplacing();
    virtual void wantAsyncOperation(bool state = true) { setFlag(effFlagsExtIsAsync, state); }
    virtual void hasExternalBuffer(bool state = true) { setFlag(effFlagsExtHasBuffer, state); }
    virtual void setOutputSamplerate(float rate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow(VstWindow* window);
    virtual bool closeWindow(VstWindow* window);
    virtual bool getChunkFile(void* nativePath);

    /// UI thread (effMainsChanged); asks for MIDI only when the effect is a synth or says it takes MIDI.
    void resume() override;

private:
    std::intptr_t dispatchTextQuery(std::int32_t opcode, std::int32_t index, std::intptr_t value, char* text);
    std::intptr_t dispatchEditorExt(std::int32_t opcode, std::int32_t index, std::intptr_t value, float opt);
    std::intptr_t dispatchMidiProgram(std::int32_t opcode, std::int32_t index, void* ptr);
};
