// The module's PNG resources are byte for byte the image files, under the numbers the editor loads.
#include "ResourceLookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

struct Image
{
    int id;
    const char* file;
};

constexpr Image kImages[] = {{101, "101-background.png"}, {102, "102-knob-80.png"}, {103, "103-knob-60.png"},
                             {104, "104-knob-40.png"},    {105, "105-needle.png"},  {106, "106-lever.png"}};

std::vector<unsigned char> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> bytesOf(qm07::ResourceBytes r)
{
    return r.data == nullptr ? std::vector<unsigned char>()
                             : std::vector<unsigned char>(r.data, r.data + r.size);
}

TEST(ResourceLookup, EachImageIsEmbeddedUnderItsNumber)
{
    for (const Image& image : kImages)
    {
        SCOPED_TRACE(image.file);
        const std::vector<unsigned char> expected = readFile(std::string(QM07_IMAGE_DIR) + "/" + image.file);
        ASSERT_GT(expected.size(), 8u) << "image file missing";
        const qm07::ResourceBytes found = qm07::findResource(image.id, "PNG");
        ASSERT_NE(found.data, nullptr);
        EXPECT_EQ(bytesOf(found), expected);
    }
}

TEST(ResourceLookup, MatchesLikeWindowsResourceNumbersAndTypes)
{
    const std::vector<unsigned char> byNumber = bytesOf(qm07::findResource(103, "PNG"));
    ASSERT_FALSE(byNumber.empty());
    EXPECT_EQ(bytesOf(qm07::findResource(103 + 0x10000, "PNG")), byNumber) << "only the low 16 bits count";
    EXPECT_EQ(bytesOf(qm07::findResource(103, "png")), byNumber) << "type names ignore case";
}

TEST(ResourceLookup, MissingResourcesAnswerNothing)
{
    for (qm07::ResourceBytes r :
         {qm07::findResource(100, "PNG"), qm07::findResource(107, "PNG"), qm07::findResource(101, "PNGX"),
          qm07::findResource(101, "PN"), qm07::findResource(101, "BMP"), qm07::findResource(101, nullptr)})
    {
        EXPECT_EQ(r.data, nullptr);
        EXPECT_EQ(r.size, 0u);
    }
}

} // namespace
