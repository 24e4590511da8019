// Test doubles for the host interface: a recording host callback, a recording editor, a small effect.
#pragma once

#include "AEffEditor.h"
#include "TarvelFX.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using namespace qm07;

/// A host that records every request and answers from a per-opcode table (0 when absent).
struct FakeHost
{
    struct Call
    {
        AEffect* effect;
        std::int32_t opcode;
        std::int32_t index;
        std::intptr_t value;
        void* ptr;
        float opt;
    };

    FakeHost() { active = this; }
    ~FakeHost() { active = nullptr; }
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    static std::intptr_t callback(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                  std::intptr_t value, void* ptr, float opt)
    {
        FakeHost* host = active;
        host->calls.push_back({effect, opcode, index, value, ptr, opt});
        const auto found = host->answers.find(opcode);
        return found == host->answers.end() ? 0 : found->second;
    }

    static inline FakeHost* active = nullptr;
    std::vector<Call> calls;
    std::map<std::int32_t, std::intptr_t> answers;
};

/// An editor that logs what reaches it.
class RecordingEditor : public AEffEditor
{
public:
    explicit RecordingEditor(AudioEffect* owner, int* destroyed = nullptr)
        : AEffEditor(owner), deaths(destroyed)
    {
    }
    ~RecordingEditor() override
    {
        if (deaths) ++*deaths;
    }

    bool getRect(ERect** out) override
    {
        log.push_back("getRect");
        *out = &rect;
        return true;
    }
    bool open(void* parent) override
    {
        log.push_back("open");
        AEffEditor::open(parent);
        return true;
    }
    void close() override { log.push_back("close"); }
    void idle() override { log.push_back("idle"); }
    bool onKeyDown(VstKeyCode& key) override { return keyAnswer(key, "keyDown"); }
    bool onKeyUp(VstKeyCode& key) override { return keyAnswer(key, "keyUp"); }
    bool setKnobMode(std::int32_t mode) override
    {
        log.push_back("knobMode");
        knobMode = mode;
        return true;
    }
    void setParameter(std::int32_t index, float value) override
    {
        parameterUpdates.push_back({index, value});
    }

    ERect rect{0, 0, 220, 800};
    VstKeyCode lastKey{};
    bool useKeys = true;
    std::int32_t knobMode = -1;
    std::vector<std::string> log;
    std::vector<std::pair<std::int32_t, float>> parameterUpdates;

private:
    bool keyAnswer(VstKeyCode& key, const char* what)
    {
        log.push_back(what);
        lastKey = key;
        return useKeys;
    }
    int* deaths;
};

/// The vendor base set up as the product sets it up, with its hooks recorded.
class TestEffect : public TarvelFX
{
public:
    explicit TestEffect(audioMasterCallback callback, int* destroyed = nullptr)
        : TarvelFX(callback), deaths(destroyed)
    {
        loadParameterTable(qm07::kParameters, qm07::kNumParams);
        setUniqueID(fourCharCode('Q', 'M', '0', '7'));
        setNumInputs(2);
        setNumOutputs(2);
        canProcessReplacing();
        programsAreChunks();
        canDoubleReplacing();
    }
    ~TestEffect() override
    {
        if (deaths) ++*deaths;
    }

    void processReplacing(float**, float**, std::int32_t) override {}
    void sampleRateChanged(float rate) override { rateChanges.push_back(rate); }
    void parameterChanged(std::int32_t index, float value) override { changes.push_back({index, value}); }

    void failAllocations()
    {
        chunkAllocator = [](std::size_t) -> void* { return nullptr; };
    }
    void registerCapabilities(const char* const* strings, std::uint16_t count)
    {
        canDoStrings = strings;
        canDoCount = count;
    }
    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f)
    {
        return getAeffect()->dispatcher(getAeffect(), opcode, index, value, ptr, opt);
    }

    std::vector<float> rateChanges;
    std::vector<std::pair<std::int32_t, float>> changes;

private:
    int* deaths;
};
