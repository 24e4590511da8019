// Every opcode 0-79: which operation it reaches, how arguments travel, and what the host gets back.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
// Logs each operation the dispatcher reaches and answers with values that tell the cases apart.
class SpyEffect : public AudioEffectX
{
public:
    SpyEffect() : AudioEffectX(nullptr, 3, 10) {}

    struct Call
    {
        std::string name;
        std::intptr_t a = 0;
        std::intptr_t b = 0;
        const void* p = nullptr;
        const void* q = nullptr;
        float f = 0.0f;
    };
    std::vector<Call> calls;

    std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                           void* ptr = nullptr, float opt = 0.0f)
    {
        return dispatcher(opcode, index, value, ptr, opt);
    }

    void open() override { log({"open"}); }
    void close() override { log({"close"}); }
    void suspend() override { log({"suspend"}); }
    void resume() override { log({"resume"}); }
    void setProgram(std::int32_t p) override { log({"setProgram", p}); }
    std::int32_t getProgram() override { return log({"getProgram"}, 7); }
    void setProgramName(char* n) override { log({"setProgramName", 0, 0, n}); }
    void getProgramName(char* n) override { log({"getProgramName", 0, 0, n}); }
    void getParameterLabel(std::int32_t i, char* t) override { log({"getParameterLabel", i, 0, t}); }
    void getParameterDisplay(std::int32_t i, char* t) override { log({"getParameterDisplay", i, 0, t}); }
    void getParameterName(std::int32_t i, char* t) override { log({"getParameterName", i, 0, t}); }
    void setSampleRate(float r) override { log({"setSampleRate", 0, 0, nullptr, nullptr, r}); }
    void setBlockSize(std::int32_t s) override { log({"setBlockSize", s}); }
    std::int32_t getChunk(void** d, bool preset) override { return log({"getChunk", preset, 0, d}, 40); }
    std::int32_t setChunk(void* d, std::int32_t n, bool preset) override
    {
        return log({"setChunk", preset, n, d}, 5);
    }
    void processReplacing(float**, float**, std::int32_t) override {}

    std::int32_t processEvents(VstEvents* e) override { return log({"processEvents", 0, 0, e}, 11); }
    bool canParameterBeAutomated(std::int32_t i) override { return log({"canParameterBeAutomated", i}, 1); }
    bool string2parameter(std::int32_t i, char* t) override { return log({"string2parameter", i, 0, t}, 1); }
    bool getProgramNameIndexed(std::int32_t c, std::int32_t i, char* t) override
    {
        return log({"getProgramNameIndexed", c, i, t}, 1);
    }
    bool getInputProperties(std::int32_t i, VstPinProperties* p) override
    {
        return log({"getInputProperties", i, 0, p}, 1);
    }
    bool getOutputProperties(std::int32_t i, VstPinProperties* p) override
    {
        return log({"getOutputProperties", i, 0, p}, 1);
    }
    std::int32_t getPlugCategory() override { return log({"getPlugCategory"}, 12); }
    bool offlineNotify(VstAudioFile* f, std::int32_t n, bool start) override
    {
        return log({"offlineNotify", n, start, f}, 1);
    }
    bool offlinePrepare(VstOfflineTask* t, std::int32_t n) override
    {
        return log({"offlinePrepare", n, 0, t}, 1);
    }
    bool offlineRun(VstOfflineTask* t, std::int32_t n) override { return log({"offlineRun", n, 0, t}, 1); }
    bool processVariableIo(VstVariableIo* v) override { return log({"processVariableIo", 0, 0, v}, 1); }
    bool setSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out) override
    {
        return log({"setSpeakerArrangement", 0, 0, in, out}, 1);
    }
    bool setBypass(bool on) override { return log({"setBypass", on}, 1); }
    bool getEffectName(char* t) override { return log({"getEffectName", 0, 0, t}, 1); }
    bool getVendorString(char* t) override { return log({"getVendorString", 0, 0, t}, 1); }
    bool getProductString(char* t) override { return log({"getProductString", 0, 0, t}, 1); }
    std::int32_t getVendorVersion() override { return log({"getVendorVersion"}, 13); }
    std::intptr_t vendorSpecific(std::int32_t i, std::intptr_t v, void* p, float f) override
    {
        return log({"vendorSpecific", i, v, p, nullptr, f}, kWide);
    }
    std::int32_t canDo(const char* t) override { return log({"canDo", 0, 0, t}, -1); }
    std::int32_t getGetTailSize() override { return log({"getGetTailSize"}, 14); }
    bool getParameterProperties(std::int32_t i, VstParameterProperties* p) override
    {
        return log({"getParameterProperties", i, 0, p}, 1);
    }
    std::int32_t getVstVersion() override { return log({"getVstVersion"}, 15); }
    std::int32_t getMidiProgramName(std::int32_t c, MidiProgramName* p) override
    {
        return log({"getMidiProgramName", c, 0, p}, 16);
    }
    std::int32_t getCurrentMidiProgram(std::int32_t c, MidiProgramName* p) override
    {
        return log({"getCurrentMidiProgram", c, 0, p}, 17);
    }
    std::int32_t getMidiProgramCategory(std::int32_t c, MidiProgramCategory* p) override
    {
        return log({"getMidiProgramCategory", c, 0, p}, 18);
    }
    bool hasMidiProgramsChanged(std::int32_t c) override { return log({"hasMidiProgramsChanged", c}, 1); }
    bool getMidiKeyName(std::int32_t c, MidiKeyName* k) override
    {
        return log({"getMidiKeyName", c, 0, k}, 1);
    }
    bool beginSetProgram() override { return log({"beginSetProgram"}, 1); }
    bool endSetProgram() override { return log({"endSetProgram"}, 1); }
    bool getSpeakerArrangement(VstSpeakerArrangement** in, VstSpeakerArrangement** out) override
    {
        return log({"getSpeakerArrangement", 0, 0, in, out}, 1);
    }
    std::int32_t getNextShellPlugin(char* t) override { return log({"getNextShellPlugin", 0, 0, t}, 19); }
    std::int32_t startProcess() override { return log({"startProcess"}, 20); }
    std::int32_t stopProcess() override { return log({"stopProcess"}, 21); }
    std::int32_t setTotalSampleToProcess(std::int32_t v) override
    {
        return log({"setTotalSampleToProcess", v}, v);
    }
    bool setPanLaw(std::int32_t t, float v) override
    {
        return log({"setPanLaw", t, 0, nullptr, nullptr, v}, 1);
    }
    std::int32_t beginLoadBank(VstPatchChunkInfo* p) override { return log({"beginLoadBank", 0, 0, p}, 22); }
    std::int32_t beginLoadProgram(VstPatchChunkInfo* p) override
    {
        return log({"beginLoadProgram", 0, 0, p}, 23);
    }
    bool setProcessPrecision(std::int32_t p) override { return log({"setProcessPrecision", p}, 1); }
    std::int32_t getNumMidiInputChannels() override { return log({"getNumMidiInputChannels"}, 24); }
    std::int32_t getNumMidiOutputChannels() override { return log({"getNumMidiOutputChannels"}, 25); }

    static constexpr std::intptr_t kWide = static_cast<std::intptr_t>(0x123456789LL);

private:
    template <typename T = int> T log(Call call, T answer = T{})
    {
        calls.push_back(std::move(call));
        return answer;
    }
};

struct Row
{
    std::int32_t opcode;
    const char* operation; // "" when nothing may be called
    std::intptr_t result;
};

// With index 3, value 5, a text buffer, opt 0.25 and an editor attached.
const Row kTable[] = {
    {0, "open", 0},
    {1, "close", 0},
    {2, "", 0}, // value 5 is not below the 3 programs
    {3, "getProgram", 7},
    {4, "setProgramName", 0},
    {5, "getProgramName", 0},
    {6, "getParameterLabel", 0},
    {7, "getParameterDisplay", 0},
    {8, "getParameterName", 0},
    {9, "", 0},
    {10, "setSampleRate", 0},
    {11, "setBlockSize", 0},
    {12, "resume", 0},
    {13, "editor:getRect", 1},
    {14, "editor:open", 1},
    {15, "editor:close", 0},
    {16, "", 0},
    {17, "", 0},
    {18, "", 0},
    {19, "editor:idle", 0},
    {20, "", 0},
    {21, "", 0},
    {22, "", 0x4E764566},
    {23, "getChunk", 40},
    {24, "setChunk", 5},
    {25, "processEvents", 11},
    {26, "canParameterBeAutomated", 1},
    {27, "string2parameter", 1},
    {28, "", 0},
    {29, "getProgramNameIndexed", 1},
    {30, "", 0},
    {31, "", 0},
    {32, "", 0},
    {33, "getInputProperties", 1},
    {34, "getOutputProperties", 1},
    {35, "getPlugCategory", 12},
    {36, "", 0},
    {37, "", 0},
    {38, "offlineNotify", 1},
    {39, "offlinePrepare", 1},
    {40, "offlineRun", 1},
    {41, "processVariableIo", 1},
    {42, "setSpeakerArrangement", 1},
    {43, "", 0},
    {44, "setBypass", 1},
    {45, "getEffectName", 1},
    {46, "", 0},
    {47, "getVendorString", 1},
    {48, "getProductString", 1},
    {49, "getVendorVersion", 13},
    {50, "vendorSpecific", SpyEffect::kWide},
    {51, "canDo", -1},
    {52, "getGetTailSize", 14},
    {53, "", 0},
    {54, "", 0},
    {55, "", 0},
    {56, "getParameterProperties", 1},
    {57, "", 0},
    {58, "getVstVersion", 15},
    {59, "editor:keyDown", 1},
    {60, "editor:keyUp", 1},
    {61, "editor:knobMode", 1},
    {62, "getMidiProgramName", 16},
    {63, "getCurrentMidiProgram", 17},
    {64, "getMidiProgramCategory", 18},
    {65, "hasMidiProgramsChanged", 1},
    {66, "getMidiKeyName", 1},
    {67, "beginSetProgram", 1},
    {68, "endSetProgram", 1},
    {69, "getSpeakerArrangement", 1},
    {70, "getNextShellPlugin", 19},
    {71, "startProcess", 20},
    {72, "stopProcess", 21},
    {73, "setTotalSampleToProcess", 5},
    {74, "setPanLaw", 1},
    {75, "beginLoadBank", 22},
    {76, "beginLoadProgram", 23},
    {77, "setProcessPrecision", 1},
    {78, "getNumMidiInputChannels", 24},
    {79, "getNumMidiOutputChannels", 25},
};
static_assert(sizeof(kTable) / sizeof(kTable[0]) == 80);

std::string onlyCall(const SpyEffect& effect, const RecordingEditor& editor)
{
    if (effect.calls.size() + editor.log.size() != 1)
        return "<" + std::to_string(effect.calls.size() + editor.log.size()) + " calls>";
    return effect.calls.empty() ? "editor:" + editor.log[0] : effect.calls[0].name;
}
} // namespace

TEST(Dispatcher, EachOpcodeReachesExactlyItsOperation)
{
    for (const Row& row : kTable)
    {
        SpyEffect effect;
        auto* editor = new RecordingEditor(&effect);
        effect.setEditor(editor);
        alignas(8) char text[80] = {};
        const std::intptr_t result = effect.dispatch(row.opcode, 3, 5, text, 0.25f);
        EXPECT_EQ(result, row.result) << "opcode " << row.opcode;
        if (*row.operation)
            EXPECT_EQ(onlyCall(effect, *editor), row.operation) << "opcode " << row.opcode;
        else
            EXPECT_EQ(effect.calls.size() + editor->log.size(), 0u) << "opcode " << row.opcode;
    }
}

TEST(Dispatcher, OpcodesOutsideTheTablesAnswerZero)
{
    SpyEffect effect;
    for (std::int32_t opcode : {-1, -1000, 80, 81, 1000, 0x7FFFFFFF})
        EXPECT_EQ(effect.dispatch(opcode, 1, 1, &effect, 1.0f), 0) << opcode;
    EXPECT_TRUE(effect.calls.empty());
}

TEST(Dispatcher, EditorOpcodesWithoutAnEditorAnswerZero)
{
    SpyEffect effect;
    ERect* rect = nullptr;
    for (std::int32_t opcode : {13, 14, 15, 19, 59, 60, 61})
        EXPECT_EQ(effect.dispatch(opcode, 1, 2, &rect, 0.0f), 0) << opcode;
    EXPECT_TRUE(effect.calls.empty());
}

TEST(Dispatcher, ArgumentsTravelAsDeclared)
{
    SpyEffect effect;
    char text[80] = {};
    effect.dispatch(effGetProgramNameIndexed, 4, 9, text);
    effect.dispatch(effOfflineNotify, 2, 6, text);
    effect.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<std::intptr_t>(&effect), text);
    effect.dispatch(effGetChunk, 1, 0, text);
    effect.dispatch(effSetChunk, 0, 40, text);
    effect.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect.dispatch(effSetPanLaw, 0, 2, nullptr, 0.5f);
    effect.dispatch(effVendorSpecific, 7, -3, text, 1.5f);
    ASSERT_EQ(effect.calls.size(), 8u);
    EXPECT_EQ(effect.calls[0].a, 9); // category from value
    EXPECT_EQ(effect.calls[0].b, 4);
    EXPECT_EQ(effect.calls[1].a, 6);
    EXPECT_EQ(effect.calls[1].b, 1); // index != 0
    EXPECT_EQ(effect.calls[2].p, &effect);
    EXPECT_EQ(effect.calls[2].q, text);
    EXPECT_EQ(effect.calls[3].a, 1);
    EXPECT_EQ(effect.calls[3].p, text);
    EXPECT_EQ(effect.calls[4].a, 0);
    EXPECT_EQ(effect.calls[4].b, 40);
    EXPECT_EQ(effect.calls[5].f, 48000.0f);
    EXPECT_EQ(effect.calls[6].a, 2);
    EXPECT_EQ(effect.calls[6].f, 0.5f);
    EXPECT_EQ(effect.calls[7].a, 7);
    EXPECT_EQ(effect.calls[7].b, -3);
    EXPECT_EQ(effect.calls[7].f, 1.5f);
}

TEST(Dispatcher, ChunkSizesThatDoNotFitWholeNeverReachTheEffect)
{
    // Negative sizes whose low 32 bits look like a whole chunk would otherwise pass as 40 bytes.
    const struct
    {
        std::int64_t size;
        bool reaches;
    } cases[] = {
        {0, true},
        {40, true},
        {INT32_MAX, true},
        {-1, false},
        {-(std::int64_t{1} << 32) + 40, false},
        {INT64_MIN + 40, false},
        {std::int64_t{INT32_MAX} + 1, false},
        {(std::int64_t{1} << 32) + 40, false},
    };
    for (const auto& c : cases)
    {
        SpyEffect effect;
        char data[40] = {};
        const auto answer = effect.dispatch(effSetChunk, 0, static_cast<std::intptr_t>(c.size), data);
        ASSERT_EQ(effect.calls.size(), c.reaches ? 1u : 0u) << c.size;
        EXPECT_EQ(answer, c.reaches ? 5 : 0) << c.size;
        if (c.reaches)
        {
            EXPECT_EQ(effect.calls[0].b, c.size);
        }
    }
}

TEST(Dispatcher, ProgramChangesOnlyWithinTheProgramCount)
{
    SpyEffect effect; // three programs
    const std::intptr_t refused[] = {-1, 3, 4, std::intptr_t{1} << 40};
    for (std::intptr_t value : refused)
        effect.dispatch(effSetProgram, 0, value);
    EXPECT_TRUE(effect.calls.empty());
    effect.dispatch(effSetProgram, 0, 2);
    ASSERT_EQ(effect.calls.size(), 1u);
    EXPECT_EQ(effect.calls[0].a, 2);
}

TEST(Dispatcher, MainsChangedChoosesSuspendOrResume)
{
    SpyEffect effect;
    effect.dispatch(effMainsChanged, 0, 0);
    effect.dispatch(effMainsChanged, 0, -7);
    ASSERT_EQ(effect.calls.size(), 2u);
    EXPECT_EQ(effect.calls[0].name, "suspend");
    EXPECT_EQ(effect.calls[1].name, "resume");
}

TEST(Dispatcher, KeyRecordIsBuiltFromIndexValueAndOpt)
{
    SpyEffect effect;
    auto* editor = new RecordingEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 'a', 0x10B, nullptr, 1.9f), 1);
    EXPECT_EQ(editor->lastKey.character, 'a');
    EXPECT_EQ(editor->lastKey.virt, 0x0B);
    EXPECT_EQ(editor->lastKey.modifier, 1);
    // A modifier that is no number becomes none rather than an undefined conversion.
    EXPECT_EQ(effect.dispatch(effEditKeyUp, 'b', 2, nullptr, 1e20f), 1);
    EXPECT_EQ(editor->lastKey.modifier, 0);
    editor->useKeys = false;
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->knobMode, 2);
}

TEST(Dispatcher, EditorRectAndOpenReachTheEditor)
{
    SpyEffect effect;
    auto* editor = new RecordingEditor(&effect);
    effect.setEditor(editor);
    ERect* rect = nullptr;
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 220);
    EXPECT_EQ(rect->right, 800);
    int window = 0;
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, &window), 1);
    EXPECT_TRUE(editor->isOpen());
}

TEST(Dispatcher, APlainEditorKeepsTheHostWindowAndDeclinesEverythingElse)
{
    SpyEffect effect;
    auto* editor = new AEffEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(editor->getEffect(), &effect);
    ERect stale{1, 2, 3, 4};
    ERect* rect = &stale;
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);

    int window = 0;
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, &window), 0);
    EXPECT_TRUE(editor->isOpen());
    for (std::int32_t opcode : {effEditIdle, effEditKeyDown, effEditKeyUp, effSetEditKnobMode})
        EXPECT_EQ(effect.dispatch(opcode, 'a', 2, nullptr, 1.0f), 0) << opcode;
    EXPECT_FALSE(editor->onWheel(1.0f));
    EXPECT_EQ(effect.dispatch(effEditClose), 0);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_TRUE(effect.calls.empty());
}

TEST(Dispatcher, MissingBuffersAreNeverWrittenThrough)
{
    SpyEffect effect;
    auto* editor = new RecordingEditor(&effect);
    effect.setEditor(editor);
    for (std::int32_t opcode : {4, 5, 6, 7, 8, 13, 23, 27, 29, 45, 47, 48, 51, 70})
        EXPECT_EQ(effect.dispatch(opcode, 1, 1, nullptr), 0) << opcode;
    EXPECT_TRUE(effect.calls.empty());
    EXPECT_TRUE(editor->log.empty());
}

// The same table through the vendor base, which answers with the defaults the product keeps.
TEST(Dispatcher, VendorBaseDefaults)
{
    TestEffect effect(nullptr);
    alignas(8) char text[80] = {};
    const std::pair<std::int32_t, std::intptr_t> answers[] = {
        {3, 0},  {22, 0x4E764566}, {25, 0}, {26, 1}, {27, 0},  {29, 0}, {33, 0}, {34, 0},
        {35, 0}, {38, 0},          {39, 0}, {40, 0}, {41, 0},  {42, 0}, {44, 0}, {45, 0},
        {47, 1}, {48, 0},          {49, 0}, {50, 0}, {51, -1}, {52, 0}, {56, 0}, {58, 2400},
        {62, 0}, {63, -1},         {64, 0}, {65, 0}, {66, 0},  {67, 0}, {68, 0}, {70, 0},
        {71, 0}, {72, 0},          {74, 0}, {75, 0}, {76, 0},  {77, 0}, {78, 0}, {79, 0},
        {13, 0}, {14, 0},          {15, 0}, {19, 0}, {59, 0},  {60, 0}, {61, 0},
    };
    for (const auto& [opcode, answer] : answers)
        EXPECT_EQ(effect.dispatch(opcode, 3, 5, text, 0.25f), answer) << opcode;
    EXPECT_EQ(effect.dispatch(effCanBeAutomated, -5), 1);
    EXPECT_EQ(effect.dispatch(effCanBeAutomated, 1000), 1);
    EXPECT_EQ(effect.dispatch(effSetTotalSampleToProcess, 0, 512), 512);
    EXPECT_EQ(effect.dispatch(effSetTotalSampleToProcess, 0, (std::intptr_t{1} << 32) + 7), 7);
    for (const char* capability : {"receiveVstMidiEvent", "sizeWindow", "", "anything"})
        EXPECT_EQ(effect.dispatch(effCanDo, 0, 0, const_cast<char*>(capability)), -1) << capability;
    for (std::intptr_t value : {-1, 0, 1, 5})
        effect.dispatch(effSetProgram, 0, value);
    EXPECT_EQ(effect.dispatch(effGetProgram), 0);
}

TEST(Dispatcher, SpeakerArrangementQueryWritesNullWhereAsked)
{
    TestEffect effect(nullptr);
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(effect.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<std::intptr_t>(&input), &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    output = &dummy;
    EXPECT_EQ(effect.dispatch(effGetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ(output, nullptr);
}

TEST(Dispatcher, ParameterTextsThroughTheRecord)
{
    TestEffect effect(nullptr);
    char text[kVstMaxProgNameLen + 1];
    std::memset(text, 'x', sizeof(text));
    effect.setParameter(kWetDry, 0.7f);
    effect.dispatch(effGetParamDisplay, kWetDry, 0, text);
    EXPECT_STREQ(text, "0.699999");
    effect.setParameter(kWetDry, 1.0f);
    effect.dispatch(effGetParamDisplay, kWetDry, 0, text);
    EXPECT_STREQ(text, "1.000000");
    effect.dispatch(effGetParamName, kKneeDb, 0, text);
    EXPECT_STREQ(text, "Knee dB");
    effect.dispatch(effGetParamLabel, kKneePct, 0, text);
    EXPECT_STREQ(text, "%");
    effect.dispatch(effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, "Default");
    std::memset(text, 'x', sizeof(text));
    effect.dispatch(effGetParamName, 10, 0, text);
    EXPECT_EQ(text[0], 'x');
}
