// The built QM07Compressor.clap as a host sees it: counted init, refused creations and the lifecycle.
#include "SharedLibrary.h"
#include "abi/Entry.h"
#include "abi/ext/Log.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace qm07::clap;

namespace
{
// A host that offers only a log, which records what the plug-in says about its caller.
struct TestHost
{
    static const void* extension(const clap_host*, const char* id)
    {
        return std::strcmp(id, CLAP_EXT_LOG) == 0 ? &log : nullptr;
    }
    static void record(const clap_host* h, clap_log_severity, const char* msg)
    {
        static_cast<TestHost*>(h->host_data)->messages.emplace_back(msg);
    }
    static void request(const clap_host*) {}
    static constexpr clap_host_log log = {record};

    std::vector<std::string> messages;
    clap_host host = {CLAP_VERSION, this, "test host", "", "", "1.0", extension, request, request, request};
};

struct ClapModuleTest : ::testing::Test
{
    void SetUp() override
    {
        std::string error;
        library = SharedLibrary::open(QM07_CLAP_PATH, error);
        ASSERT_NE(library, nullptr) << error;
        entry = static_cast<const clap_plugin_entry*>(library->symbol("clap_entry"));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->init(QM07_CLAP_PATH));
        factory = static_cast<const clap_plugin_factory*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
        ASSERT_NE(factory, nullptr);
    }
    void TearDown() override
    {
        if (entry) entry->deinit();
    }
    const clap_plugin* create(const clap_host& h)
    {
        return factory->create_plugin(factory, &h, "com.tarvel.qm07-compressor");
    }

    std::unique_ptr<SharedLibrary> library;
    const clap_plugin_entry* entry = nullptr;
    const clap_plugin_factory* factory = nullptr;
    TestHost host;
};

} // namespace

TEST_F(ClapModuleTest, InitIsCountedSoTheFactoryGoesOnlyWithTheLastDeinit)
{
    ASSERT_TRUE(entry->init(QM07_CLAP_PATH));
    entry->deinit();
    EXPECT_NE(entry->get_factory(CLAP_PLUGIN_FACTORY_ID), nullptr);
    entry->deinit();
    EXPECT_EQ(entry->get_factory(CLAP_PLUGIN_FACTORY_ID), nullptr);
    ASSERT_TRUE(entry->init(QM07_CLAP_PATH));
}

TEST_F(ClapModuleTest, RefusesUnknownIdsAndPreReleaseHosts)
{
    EXPECT_EQ(factory->create_plugin(factory, &host.host, "com.tarvel.qm07"), nullptr);
    EXPECT_EQ(factory->create_plugin(factory, &host.host, nullptr), nullptr);
    EXPECT_EQ(factory->create_plugin(factory, nullptr, "com.tarvel.qm07-compressor"), nullptr);
    TestHost old;
    old.host.clap_version = {0, 19, 0};
    EXPECT_EQ(create(old.host), nullptr);
}

TEST_F(ClapModuleTest, LifecycleCallsOutOfOrderAreRefusedAndLogged)
{
    const clap_plugin* p = create(host.host);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->init(p));
    EXPECT_FALSE(p->init(p));
    EXPECT_FALSE(p->start_processing(p)) << "not active";
    EXPECT_FALSE(p->activate(p, 0.0, 1, 512));
    EXPECT_FALSE(p->activate(p, 44100.0, 512, 64));
    ASSERT_TRUE(p->activate(p, 44100.0, 1, 512));
    EXPECT_FALSE(p->activate(p, 44100.0, 1, 512)) << "already active";
    ASSERT_TRUE(p->start_processing(p));
    EXPECT_FALSE(p->start_processing(p)) << "already processing";
    p->reset(p);
    p->stop_processing(p);
    ASSERT_TRUE(p->start_processing(p)) << "stop returns to active";
    p->stop_processing(p);
    p->deactivate(p);
    ASSERT_TRUE(p->activate(p, 96000.0, 32, 32)) << "inactive again after deactivate";
    p->deactivate(p);
    p->deactivate(p);
    p->destroy(p);
    EXPECT_EQ(host.messages.size(), 4u) << "two bad ranges, one double activate, one double deactivate";
}
