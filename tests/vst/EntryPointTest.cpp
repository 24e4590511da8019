// The exported entry point against hosts that answer, hosts that don't, and a factory that fails.
#include "EffectRecord.h"
#include "PluginFactory.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace
{
int gCreated = 0;
bool gFactoryFails = false;
} // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
    ++gCreated;
    return gFactoryFails ? nullptr : new TestEffect(audioMaster);
}

namespace
{
struct EntryPoint : ::testing::Test
{
    void SetUp() override
    {
        gCreated = 0;
        gFactoryFails = false;
    }
};
} // namespace

TEST_F(EntryPoint, AsksTheVersionWithANullRecordThenReturnsTheEffectsRecord)
{
    FakeHost host;
    host.answers[audioMasterVersion] = 2400;
    AEffect* e = VSTPluginMain(FakeHost::callback);
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].effect, nullptr);
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls[0].index, 0);
    EXPECT_EQ(host.calls[0].value, 0);
    EXPECT_EQ(host.calls[0].ptr, nullptr);
    EXPECT_EQ(host.calls[0].opt, 0.0f);
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(gCreated, 1);
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST_F(EntryPoint, AHostWithoutAVersionGetsNoEffect)
{
    FakeHost host;
    EXPECT_EQ(VSTPluginMain(FakeHost::callback), nullptr);
    EXPECT_EQ(gCreated, 0);
}

TEST_F(EntryPoint, ANullCallbackGetsNullInsteadOfACrash)
{
    EXPECT_EQ(VSTPluginMain(nullptr), nullptr);
    EXPECT_EQ(gCreated, 0);
}

TEST_F(EntryPoint, AFailedCreationGivesNull)
{
    FakeHost host;
    host.answers[audioMasterVersion] = 1;
    gFactoryFails = true;
    EXPECT_EQ(VSTPluginMain(FakeHost::callback), nullptr);
    EXPECT_EQ(gCreated, 1);
}
