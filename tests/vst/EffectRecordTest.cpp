// The record the host holds: fields after construction, flag setters, trampolines and deletion on effClose.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
// Counts what reaches the process and parameter entries of the record.
class ProcessProbe : public TestEffect
{
public:
    using TestEffect::TestEffect;
    void processReplacing(float** in, float** out, std::int32_t frames) override
    {
        last = {"replacing", in, out, frames};
    }
    void processDoubleReplacing(double** in, double** out, std::int32_t frames) override
    {
        last = {"double", in, out, frames};
    }
    void process(float** in, float** out, std::int32_t frames) override
    {
        last = {"process", in, out, frames};
    }

    struct Seen
    {
        const char* which;
        const void* in;
        const void* out;
        std::int32_t frames;
    } last{"", nullptr, nullptr, 0};
};
} // namespace

TEST(EffectRecord, FieldsAfterConstruction)
{
    TestEffect effect(nullptr);
    const AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 0);
    EXPECT_EQ(e->numParams, 10);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, 0x1030);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->uniqueID, 0x514D3037);
    EXPECT_EQ(e->object, &effect);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->resvd1, 0);
    EXPECT_EQ(e->resvd2, 0);
    EXPECT_NE(e->dispatcher, nullptr);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->processDoubleReplacing, nullptr);
    EXPECT_NE(e->setParameter, nullptr);
    EXPECT_NE(e->getParameter, nullptr);
    const char zeros[sizeof(e->future)] = {};
    EXPECT_EQ(std::memcmp(e->future, zeros, sizeof(zeros)), 0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}

TEST(EffectRecord, BaseConstructionBeforeTheProductSetsItsIdentity)
{
    class Bare : public AudioEffectX
    {
    public:
        Bare() : AudioEffectX(nullptr, 0, 10) {}
        void processReplacing(float**, float**, std::int32_t) override {}
    } bare;
    EXPECT_EQ(bare.getAeffect()->uniqueID, 0x4E6F4566);
    EXPECT_EQ(bare.getAeffect()->numInputs, 1);
    EXPECT_EQ(bare.getAeffect()->flags, effFlagsCanReplacing);
}

TEST(EffectRecord, FlagSettersSetAndClearTheirBit)
{
    TestEffect effect(nullptr);
    const std::int32_t before = effect.getAeffect()->flags;
    struct Setter
    {
        void (TestEffect::*set)(bool);
        std::int32_t bit;
    };
    const Setter setters[] = {
        {&TestEffect::hasClip, 0x2},
        {&TestEffect::hasVu, 0x4},
        {&TestEffect::canMono, 0x8},
        {&TestEffect::canProcessReplacing, 0x10},
        {&TestEffect::programsAreChunks, 0x20},
        {&TestEffect::isSynth, 0x100},
        {&TestEffect::noTail, 0x200},
        {&TestEffect::wantAsyncOperation, 0x400},
        {&TestEffect::hasExternalBuffer, 0x800},
        {&TestEffect::canDoubleReplacing, 0x1000},
    };
    for (const Setter& s : setters)
    {
        (effect.*s.set)(true);
        EXPECT_EQ(effect.getAeffect()->flags, before | s.bit) << std::hex << s.bit;
        (effect.*s.set)(false);
        EXPECT_EQ(effect.getAeffect()->flags, before & ~s.bit) << std::hex << s.bit;
        (effect.*s.set)((before & s.bit) != 0);
    }
    auto* editor = new RecordingEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.getAeffect()->flags, before | effFlagsHasEditor);
    EXPECT_EQ(effect.getEditor(), editor);
}

TEST(EffectRecord, TrampolinesForwardUnchanged)
{
    ProcessProbe effect(nullptr);
    AEffect* e = effect.getAeffect();
    float a[4] = {};
    float* in[2] = {a, a};
    float* out[2] = {a, a};
    double d[4] = {};
    double* din[2] = {d, d};
    double* dout[2] = {d, d};

    e->processReplacing(e, in, out, 7);
    EXPECT_STREQ(effect.last.which, "replacing");
    EXPECT_EQ(effect.last.in, in);
    EXPECT_EQ(effect.last.out, out);
    EXPECT_EQ(effect.last.frames, 7);
    e->processDoubleReplacing(e, din, dout, 9);
    EXPECT_STREQ(effect.last.which, "double");
    EXPECT_EQ(effect.last.in, din);
    EXPECT_EQ(effect.last.frames, 9);
    e->process(e, in, out, 11);
    EXPECT_STREQ(effect.last.which, "process");
    EXPECT_EQ(effect.last.frames, 11);

    e->setParameter(e, kRatio, 0.25f);
    EXPECT_EQ(effect.getParameter(kRatio), 0.25f);
    EXPECT_EQ(e->getParameter(e, kRatio), 0.25f);
    EXPECT_EQ(e->getParameter(e, 99), 0.0f);
    EXPECT_EQ(e->dispatcher(e, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
}

TEST(EffectRecord, EffCloseDeletesTheEffectAndItsEditor)
{
    int effectsGone = 0;
    int editorsGone = 0;
    auto* effect = new TestEffect(nullptr, &effectsGone);
    effect->setEditor(new RecordingEditor(effect, &editorsGone));
    AEffect* e = effect->getAeffect();

    // No other opcode frees anything.
    for (std::int32_t opcode = 0; opcode < 80; ++opcode)
        if (opcode != effClose && opcode != effGetSpeakerArrangement && opcode != effSetSpeakerArrangement)
            e->dispatcher(e, opcode, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(effectsGone, 0);
    EXPECT_EQ(editorsGone, 0);

    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effectsGone, 1);
    EXPECT_EQ(editorsGone, 1);
}

TEST(EffectRecord, ResumeSendsNothingToTheHost)
{
    FakeHost host;
    TestEffect effect(FakeHost::callback);
    effect.dispatch(effMainsChanged, 0, 1);
    effect.dispatch(effMainsChanged, 0, 0);
    EXPECT_TRUE(host.calls.empty());

    // A synth, or an effect that takes MIDI, asks for events on resume.
    static const char* const kMidi[] = {"receiveVstMidiEvent"};
    effect.registerCapabilities(kMidi, 1);
    effect.dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[0].value, 1);
    effect.registerCapabilities(nullptr, 0);
    effect.isSynth();
    effect.resume();
    EXPECT_EQ(host.calls.size(), 2u);
}
