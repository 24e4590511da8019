// The entry point as a host calls it: the version request first, and no effect for a host without one.
#include "PluginLibrary.h"
#include "PluginUnderTest.h"

#include <gtest/gtest.h>

namespace
{
struct Request
{
    bool withoutEffect;
    std::int32_t opcode;
};

std::vector<Request> requests;
std::intptr_t versionAnswer = 0;

std::intptr_t recordingHost(AEffect* effect, std::int32_t opcode, std::int32_t, std::intptr_t, void*, float)
{
    requests.push_back({effect == nullptr, opcode});
    return opcode == audioMasterVersion ? versionAnswer : 0;
}

PluginEntryProc entryOf(const std::unique_ptr<PluginLibrary>& library)
{
    return library ? library->entryPoint() : nullptr;
}
} // namespace

TEST(HostEntry, HostWithoutVersionGetsNoEffect)
{
    std::string error;
    const auto library = PluginLibrary::load(pluginUnderTestPath(), error);
    ASSERT_TRUE(library) << error;
    requests.clear();
    versionAnswer = 0;
    EXPECT_EQ(entryOf(library)(&recordingHost), nullptr);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].withoutEffect);
    EXPECT_EQ(requests[0].opcode, audioMasterVersion);
}

TEST(HostEntry, VersionIsTheFirstRequestAndCloseEndsTheEffect)
{
    std::string error;
    const auto library = PluginLibrary::load(pluginUnderTestPath(), error);
    ASSERT_TRUE(library) << error;
    requests.clear();
    versionAnswer = 2400;
    AEffect* effect = entryOf(library)(&recordingHost);
    ASSERT_NE(effect, nullptr);
    ASSERT_FALSE(requests.empty());
    EXPECT_TRUE(requests[0].withoutEffect);
    EXPECT_EQ(requests[0].opcode, audioMasterVersion);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}
