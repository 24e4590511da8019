// The settings file: its default place, reading what is there, and replacing it whole or not at all.
#include "SettingsFile.h"
#include "State.h"
#include "StateFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>

namespace
{

rlimit savedFiles{};

class ScratchFolder
{
public:
    ScratchFolder()
    {
        char name[] = "/tmp/qm07-settings-XXXXXX";
        path = mkdtemp(name);
    }
    ~ScratchFolder() { std::system(("chmod -R u+w " + path + " && rm -rf " + path).c_str()); }
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

int entries(const std::string& folder)
{
    int count = 0;
    DIR* dir = opendir(folder.c_str());
    while (dirent* entry = readdir(dir))
        count += entry->d_name[0] != '.';
    closedir(dir);
    return count;
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
    struct Fault
    {
        const char* name;
        void (*arm)(const std::string& folder);
        void (*disarm)(const std::string& folder);
    };
    const Fault faults[] = {
        // No descriptor left: the temporary file cannot be made.
        {"no descriptor",
         [](const std::string&)
         {
             getrlimit(RLIMIT_NOFILE, &savedFiles);
             rlimit few{3, savedFiles.rlim_max};
             setrlimit(RLIMIT_NOFILE, &few);
         },
         [](const std::string&) { setrlimit(RLIMIT_NOFILE, &savedFiles); }},
        // The file-size limit fails writes past a few bytes the way a full disk does.
        {"full disk",
         [](const std::string&)
         {
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit small{8, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &small);
         },
         [](const std::string&)
         {
             rlimit none{RLIM_INFINITY, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &none);
         }},
    };
    for (const auto& fault : faults)
    {
        ScratchFolder scratch;
        const std::string path = scratch.path + "/state";
        put(path, "old");
        fault.arm(scratch.path);
        std::string error;
        const bool replaced = qm07::replaceFile(path, "a much longer new content", 25, error);
        fault.disarm(scratch.path);
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
