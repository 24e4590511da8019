// Every request to the host: opcode and arguments sent, the answer's conversion, and the no-callback answer.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

namespace
{
char gText[80];
char gObject[16];
void* const kText = gText;
void* const kObject = gObject;
const std::intptr_t kObjectAnswer = reinterpret_cast<std::intptr_t>(gObject);

template <typename T> std::intptr_t asAnswer(T* pointer)
{
    return reinterpret_cast<std::intptr_t>(pointer);
}

struct Request
{
    const char* name;
    std::function<std::intptr_t(TestEffect&)> call;
    std::int32_t opcode;
    std::int32_t index;
    std::intptr_t value;
    void* ptr;
    float opt;
    std::intptr_t hostAnswer;
    std::intptr_t expected;
    std::intptr_t withoutHost;
};

const Request kRequests[] = {
    {"getMasterVersion", [](TestEffect& e) { return e.getMasterVersion(); }, 1, 0, 0, nullptr, 0, 2400, 2400,
     1},
    {"getCurrentUniqueId", [](TestEffect& e) { return e.getCurrentUniqueId(); }, 2, 0, 0, nullptr, 0, 77, 77,
     0},
    {"isInputConnected", [](TestEffect& e) { return std::intptr_t{e.isInputConnected(3)}; }, 4, 3, 0, nullptr,
     0, 1, 0, 1},
    {"isOutputConnected", [](TestEffect& e) { return std::intptr_t{e.isOutputConnected(2)}; }, 4, 2, 1,
     nullptr, 0, 0, 1, 1},
    {"getTimeInfo", [](TestEffect& e) { return asAnswer(e.getTimeInfo(0x200)); }, 7, 0, 0x200, nullptr, 0,
     kObjectAnswer, kObjectAnswer, 0},
    {"tempoAt", [](TestEffect& e) { return e.tempoAt(9); }, 10, 0, 9, nullptr, 0, 1200000, 1200000, 0},
    {"getNumAutomatableParameters", [](TestEffect& e) { return e.getNumAutomatableParameters(); }, 11, 0, 0,
     nullptr, 0, 8, 8, 0},
    {"getParameterQuantization", [](TestEffect& e) { return e.getParameterQuantization(); }, 12, 0, 0,
     nullptr, 0, 5, 5, 0},
    {"ioChanged", [](TestEffect& e) { return std::intptr_t{e.ioChanged()}; }, 13, 0, 0, nullptr, 0, 3, 1, 0},
    {"needIdle", [](TestEffect& e) { return std::intptr_t{e.needIdle()}; }, 14, 0, 0, nullptr, 0, -1, 1, 0},
    {"sizeWindow", [](TestEffect& e) { return std::intptr_t{e.sizeWindow(800, 220)}; }, 15, 800, 220, nullptr,
     0, 1, 1, 0},
    {"getInputLatency", [](TestEffect& e) { return e.getInputLatency(); }, 18, 0, 0, nullptr, 0, 64, 64, 0},
    {"getOutputLatency", [](TestEffect& e) { return e.getOutputLatency(); }, 19, 0, 0, nullptr, 0, 32, 32, 0},
    {"getPreviousPlug", [](TestEffect& e) { return asAnswer(e.getPreviousPlug(4)); }, 20, 0, 0, nullptr, 0,
     kObjectAnswer, kObjectAnswer, 0},
    {"getNextPlug", [](TestEffect& e) { return asAnswer(e.getNextPlug(4)); }, 21, 0, 0, nullptr, 0,
     kObjectAnswer, kObjectAnswer, 0},
    {"willProcessReplacing", [](TestEffect& e) { return e.willProcessReplacing(); }, 22, 0, 0, nullptr, 0, 2,
     2, 0},
    {"getCurrentProcessLevel", [](TestEffect& e) { return e.getCurrentProcessLevel(); }, 23, 0, 0, nullptr, 0,
     2, 2, 0},
    {"getAutomationState", [](TestEffect& e) { return e.getAutomationState(); }, 24, 0, 0, nullptr, 0, 3, 3,
     0},
    {"offlineStart",
     [](TestEffect& e) { return std::intptr_t{e.offlineStart(static_cast<VstAudioFile*>(kObject), 2, 1)}; },
     25, 1, 2, kObject, 0, 1, 1, 0},
    {"offlineRead",
     [](TestEffect& e)
     { return std::intptr_t{e.offlineRead(static_cast<VstOfflineTask*>(kObject), 6, false)}; },
     26, 0, 6, kObject, 0, 1, 1, 0},
    {"offlineWrite",
     [](TestEffect& e) { return std::intptr_t{e.offlineWrite(static_cast<VstOfflineTask*>(kObject), 6)}; },
     27, 0, 6, kObject, 0, 0, 0, 0},
    {"offlineGetCurrentPass", [](TestEffect& e) { return std::intptr_t{e.offlineGetCurrentPass()}; }, 28, 0,
     0, nullptr, 0, 2, 1, 0},
    {"offlineGetCurrentMetaPass", [](TestEffect& e) { return std::intptr_t{e.offlineGetCurrentMetaPass()}; },
     29, 0, 0, nullptr, 0, 2, 1, 0},
    {"getOutputSpeakerArrangement", [](TestEffect& e) { return asAnswer(e.getOutputSpeakerArrangement()); },
     31, 0, 0, nullptr, 0, kObjectAnswer, kObjectAnswer, 0},
    {"getHostVendorString", [](TestEffect& e) { return std::intptr_t{e.getHostVendorString(gText)}; }, 32, 0,
     0, kText, 0, 1, 1, 0},
    {"getHostProductString", [](TestEffect& e) { return std::intptr_t{e.getHostProductString(gText)}; }, 33,
     0, 0, kText, 0, 1, 1, 0},
    {"getHostVendorVersion", [](TestEffect& e) { return e.getHostVendorVersion(); }, 34, 0, 0, nullptr, 0,
     1000, 1000, 0},
    {"hostVendorSpecific", [](TestEffect& e) { return e.hostVendorSpecific(5, -6, kObject, 0.5f); }, 35, 5,
     -6, kObject, 0.5f, -9, -9, 0},
    {"canHostDo", [](TestEffect& e) { return std::intptr_t{e.canHostDo(gText)}; }, 37, 0, 0, kText, 0, -1, 1,
     0},
    {"getHostLanguage", [](TestEffect& e) { return e.getHostLanguage(); }, 38, 0, 0, nullptr, 0, 2, 2, 0},
    {"openWindow", [](TestEffect& e) { return asAnswer(e.openWindow(static_cast<VstWindow*>(kObject))); }, 39,
     0, 0, kObject, 0, kObjectAnswer, kObjectAnswer, 0},
    {"closeWindow",
     [](TestEffect& e) { return std::intptr_t{e.closeWindow(static_cast<VstWindow*>(kObject))}; }, 40, 0, 0,
     kObject, 0, 1, 1, 0},
    {"getDirectory", [](TestEffect& e) { return asAnswer(e.getDirectory()); }, 41, 0, 0, nullptr, 0,
     kObjectAnswer, kObjectAnswer, 0},
    {"updateDisplay", [](TestEffect& e) { return std::intptr_t{e.updateDisplay()}; }, 42, 0, 0, nullptr, 0, 1,
     1, 0},
    {"beginEdit", [](TestEffect& e) { return std::intptr_t{e.beginEdit(1)}; }, 43, 1, 0, nullptr, 0, 1, 1, 0},
    {"endEdit", [](TestEffect& e) { return std::intptr_t{e.endEdit(1)}; }, 44, 1, 0, nullptr, 0, 1, 1, 0},
    {"openFileSelector",
     [](TestEffect& e) { return std::intptr_t{e.openFileSelector(static_cast<VstFileSelect*>(kObject))}; },
     45, 0, 0, kObject, 0, 1, 1, 0},
    {"closeFileSelector",
     [](TestEffect& e) { return std::intptr_t{e.closeFileSelector(static_cast<VstFileSelect*>(kObject))}; },
     46, 0, 0, kObject, 0, 1, 1, 0},
    {"getChunkFile", [](TestEffect& e) { return std::intptr_t{e.getChunkFile(kObject)}; }, 48, 0, 0, kObject,
     0, 1, 1, 0},
    {"getInputSpeakerArrangement", [](TestEffect& e) { return asAnswer(e.getInputSpeakerArrangement()); }, 49,
     0, 0, nullptr, 0, kObjectAnswer, kObjectAnswer, 0},
};
} // namespace

TEST(HostRequests, EachSendsOneRequestAndConvertsTheAnswer)
{
    for (const Request& r : kRequests)
    {
        FakeHost host;
        host.answers[r.opcode] = r.hostAnswer;
        TestEffect effect(FakeHost::callback);
        EXPECT_EQ(r.call(effect), r.expected) << r.name;
        ASSERT_EQ(host.calls.size(), 1u) << r.name;
        const FakeHost::Call& c = host.calls[0];
        EXPECT_EQ(c.effect, effect.getAeffect()) << r.name;
        EXPECT_EQ(c.opcode, r.opcode) << r.name;
        EXPECT_EQ(c.index, r.index) << r.name;
        EXPECT_EQ(c.value, r.value) << r.name;
        EXPECT_EQ(c.ptr, r.ptr) << r.name;
        EXPECT_EQ(c.opt, r.opt) << r.name;
    }
}

TEST(HostRequests, WithoutACallbackEachAnswersItsDefault)
{
    for (const Request& r : kRequests)
    {
        TestEffect effect(nullptr);
        EXPECT_EQ(r.call(effect), r.withoutHost) << r.name;
    }
}

TEST(HostRequests, ZeroVersionCountsAsOne)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    EXPECT_EQ(effect.getMasterVersion(), 1);
}

TEST(HostRequests, RequestsWithoutAnswers)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    effect.masterIdle();
    effect.wantEvents(3);
    effect.setOutputSamplerate(96000.0f);
    ASSERT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterIdle);
    EXPECT_EQ(host.calls[1].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[1].value, 3);
    EXPECT_EQ(host.calls[2].opcode, audioMasterSetOutputSampleRate);
    EXPECT_EQ(host.calls[2].opt, 96000.0f);

    TestEffect alone(nullptr);
    alone.masterIdle();
    alone.wantEvents(1);
    alone.setOutputSamplerate(1.0f);
}

TEST(HostRequests, NullSelectorsAndPathsAreNotSent)
{
    FakeHost host;
    host.answers[audioMasterOpenFileSelector] = 1;
    TestEffect effect(FakeHost::callback);
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(host.calls.empty());
}

TEST(HostRequests, AutomationStoresFirstThenTellsTheHost)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    effect.setParameterAutomated(kRatio, 0.75f);
    EXPECT_EQ(effect.getParameter(kRatio), 0.75f);
    ASSERT_EQ(effect.changes.size(), 1u);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[0].index, kRatio);
    EXPECT_EQ(host.calls[0].opt, 0.75f);

    TestEffect alone(nullptr);
    alone.setParameterAutomated(kGain, 0.5f);
    EXPECT_EQ(alone.getParameter(kGain), 0.5f);
}

TEST(HostRequests, SampleRateAndBlockSizeOnlyTakePositiveAnswers)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    for (std::intptr_t answer : {std::intptr_t{0}, std::intptr_t{-48000}})
    {
        host.answers[audioMasterGetSampleRate] = answer;
        host.answers[audioMasterGetBlockSize] = answer;
        EXPECT_EQ(effect.updateSampleRate(), 44100.0);
        EXPECT_EQ(effect.updateBlockSize(), 1024);
    }
    host.answers[audioMasterGetSampleRate] = 96000;
    host.answers[audioMasterGetBlockSize] = 256;
    EXPECT_EQ(effect.updateSampleRate(), 96000.0);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.updateBlockSize(), 256);
    EXPECT_EQ(effect.getBlockSize(), 256);

    TestEffect alone(nullptr);
    alone.setSampleRate(22050.0f);
    EXPECT_EQ(alone.updateSampleRate(), 22050.0);
    EXPECT_EQ(alone.updateBlockSize(), 1024);
}

TEST(SpeakerTools, AllocateMatchAndRelease)
{
    TestEffect effect(nullptr);
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 3));
    EXPECT_EQ(source->numChannels, 3);
    source->type = 7;
    VstSpeakerProperties* speakers = source->speakers;
    for (int i = 0; i < 3; ++i)
    {
        speakers[i].azimuth = 0.5f * static_cast<float>(i);
        speakers[i].type = i + 1;
        std::memset(speakers[i].name, 'n', sizeof(speakers[i].name)); // no terminator at all
    }

    VstSpeakerArrangement* copy = nullptr;
    ASSERT_TRUE(effect.matchArrangement(&copy, source));
    EXPECT_EQ(copy->type, 7);
    EXPECT_EQ(copy->numChannels, 3);
    VstSpeakerProperties* copied = copy->speakers;
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(copied[i].azimuth, 0.5f * static_cast<float>(i));
        EXPECT_EQ(copied[i].type, i + 1);
        EXPECT_EQ(std::strlen(copied[i].name), 63u);
    }

    EXPECT_FALSE(effect.matchArrangement(&copy, nullptr));
    EXPECT_FALSE(effect.allocateArrangement(&copy, -1));
    EXPECT_FALSE(effect.copySpeaker(nullptr, speakers));
    EXPECT_TRUE(effect.deallocateArrangement(&copy));
    EXPECT_EQ(copy, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&source));
    EXPECT_FALSE(effect.deallocateArrangement(nullptr));
}
