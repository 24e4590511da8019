// The module's PNG resources are byte for byte the image files, under the numbers the editor loads.
#include "ResourceLookup.h"

#include "ImageFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

std::vector<unsigned char> bytesOf(qm07::ResourceBytes r)
{
    return r.data == nullptr ? std::vector<unsigned char>()
                             : std::vector<unsigned char>(r.data, r.data + r.size);
}

TEST(ResourceLookup, EachImageIsEmbeddedUnderItsNumber)
{
    for (const ImageFile& image : kImageFiles)
    {
        SCOPED_TRACE(image.file);
        const std::vector<unsigned char> expected = readImageFile(image);
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
