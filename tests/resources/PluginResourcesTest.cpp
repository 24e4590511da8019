// The built plug-in modules (the VST DLL and the .clap) carry the six PNG resources and the version record
// that hosts and Explorer read, naming each its own file.
#include "ImageFiles.h"
#include "ProductInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

struct Module
{
    const char* path;
    const char* fileName;
};

class PluginResources : public ::testing::TestWithParam<Module>
{
protected:
    void SetUp() override
    {
        module = LoadLibraryA(GetParam().path);
        ASSERT_NE(module, nullptr) << "cannot load " << GetParam().path;
    }
    void TearDown() override
    {
        if (module != nullptr) FreeLibrary(module);
    }

    std::vector<unsigned char> resource(int id, const char* type) const
    {
        HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (info == nullptr) return {};
        const DWORD size = SizeofResource(module, info);
        const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
        return data == nullptr ? std::vector<unsigned char>() : std::vector<unsigned char>(data, data + size);
    }

    HMODULE module = nullptr;
};

TEST_P(PluginResources, HoldsEachImageAsPngUnderItsNumber)
{
    for (const ImageFile& image : kImageFiles)
    {
        SCOPED_TRACE(image.file);
        const std::vector<unsigned char> expected = readImageFile(image);
        ASSERT_GT(expected.size(), 8u) << "image file missing";
        EXPECT_EQ(resource(image.id, "PNG"), expected);
    }
    EXPECT_TRUE(resource(107, "PNG").empty());
}

std::string versionString(const std::vector<unsigned char>& info, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0)
        return {};
    return std::string(value);
}

std::string dottedVersion(DWORD high, DWORD low)
{
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

TEST_P(PluginResources, CarriesTheProjectsVersionAndProductIdentity)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(GetParam().path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(GetParam().path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const std::string version = std::string(qm07::kVersionString) + ".0";
    EXPECT_EQ(dottedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS), version);
    EXPECT_EQ(dottedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS), version);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    EXPECT_EQ(versionString(info, "ProductName"), qm07::kProductName);
    EXPECT_EQ(versionString(info, "CompanyName"), qm07::kVendorName);
    EXPECT_EQ(versionString(info, "FileVersion"), version);
    EXPECT_EQ(versionString(info, "ProductVersion"), version);
    EXPECT_EQ(versionString(info, "OriginalFilename"), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(EveryModule, PluginResources,
                         ::testing::Values(Module{QM07_PLUGIN_PATH, "QM07Compressor.dll"},
                                           Module{QM07_CLAP_PATH, "QM07Compressor.clap"}));

} // namespace
