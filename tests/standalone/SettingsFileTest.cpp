// The settings file: its default place, reading what is there, and replacing it whole or not at all.
#include "SettingsFile.h"
#include "State.h"
#include "StateFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

namespace fs = std::filesystem;

class ScratchFolder
{
public:
    ScratchFolder()
    {
        char name[] = "/tmp/qm07-settings-XXXXXX";
        path = mkdtemp(name);
    }
    ~ScratchFolder() { fs::remove_all(path); }
    std::string path;
};

std::string contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void put(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::ptrdiff_t entries(const std::string& folder)
{
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

TEST(StandaloneSettingsFile, DefaultPlace)
{
    EXPECT_EQ(qm07::defaultStatePath("/x/conf", "/home/u"), "/x/conf/qm07-compressor/state");
    EXPECT_EQ(qm07::defaultStatePath("", "/home/u"), "/home/u/.config/qm07-compressor/state");
    EXPECT_EQ(qm07::defaultStatePath(nullptr, "/home/u"), "/home/u/.config/qm07-compressor/state");
    EXPECT_EQ(qm07::defaultStatePath(nullptr, nullptr), "");
}

TEST(StandaloneSettingsFile, ReplacesWholeAndMakesFolders)
{
    ScratchFolder scratch;
    const std::string path = scratch.path + "/a/b/state";
    std::string error;
    ASSERT_TRUE(qm07::replaceFile(path, "first", 5, error)) << error;
    ASSERT_TRUE(qm07::replaceFile(path, "second", 6, error)) << error;
    EXPECT_EQ(contents(path), "second");
    EXPECT_EQ(entries(scratch.path + "/a/b"), 1) << "a temporary file was left";
}

/// Each fault must leave the old file as it was and no temporary file beside it.
TEST(StandaloneSettingsFile, FaultsKeepTheOldFile)
{
    // Past the size limit a write fails as on a full disk, rather than raising SIGXFSZ.
    std::signal(SIGXFSZ, SIG_IGN);
    const struct
    {
        const char* name;
        decltype(RLIMIT_NOFILE) resource;
        rlim_t limit;
    } faults[] = {{"no descriptor left", RLIMIT_NOFILE, 3}, {"full disk", RLIMIT_FSIZE, 8}};
    for (const auto& fault : faults)
    {
        ScratchFolder scratch;
        const std::string path = scratch.path + "/state";
        put(path, "old");
        rlimit saved{};
        getrlimit(fault.resource, &saved);
        const rlimit tight{fault.limit, saved.rlim_max};
        setrlimit(fault.resource, &tight);
        std::string error;
        const bool replaced = qm07::replaceFile(path, "a much longer new content", 25, error);
        setrlimit(fault.resource, &saved);
        EXPECT_FALSE(replaced) << fault.name;
        EXPECT_FALSE(error.empty()) << fault.name;
        EXPECT_EQ(contents(path), "old") << fault.name;
        EXPECT_EQ(entries(scratch.path), 1) << fault.name << ": a temporary file was left";
    }
}

TEST(StandaloneStateFile, OnlyAFortyByteFileIsOurs)
{
    ScratchFolder scratch;
    const std::string path = scratch.path + "/state";
    qm07::ParameterValues saved = qm07::defaultValues();
    saved[qm07::kThresh] = 0.25f;
    saved[qm07::kWetDry] = 0.75f;
    std::string message;
    ASSERT_TRUE(qm07::saveState(path, saved, message)) << message;
    const std::string good = contents(path);
    ASSERT_EQ(good.size(), qm07::kStateBytes);

    struct Case
    {
        const char* name;
        std::string bytes;
        bool ours;
    };
    const Case cases[] = {
        {"as saved", good, true},
        {"empty", "", false},
        {"cut short", good.substr(0, 39), false},
        {"one byte more", good + "x", false},
        {"a text file", std::string(200, 'a'), false},
    };
    for (const auto& c : cases)
    {
        put(path, c.bytes);
        qm07::ParameterValues loaded = qm07::defaultValues();
        message.clear();
        EXPECT_EQ(qm07::loadState(path, loaded, message), c.ours) << c.name;
        EXPECT_EQ(loaded, c.ours ? saved : qm07::defaultValues()) << c.name;
        EXPECT_EQ(message.empty(), c.ours) << c.name;
    }
    qm07::ParameterValues untouched = qm07::defaultValues();
    message.clear();
    EXPECT_FALSE(qm07::loadState(scratch.path + "/missing", untouched, message));
    EXPECT_TRUE(message.empty()) << "a missing file is the first start, not a fault: " << message;
}

} // namespace
