// The editor's image files and the resource numbers they are stored under, for tests that compare bytes.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ImageFile
{
    int id;
    const char* file;
};

constexpr ImageFile kImageFiles[] = {{101, "101-background.png"}, {102, "102-knob-80.png"},
                                     {103, "103-knob-60.png"},    {104, "104-knob-40.png"},
                                     {105, "105-needle.png"},     {106, "106-lever.png"}};

/// The bytes of an image file in the committed images folder.
inline std::vector<unsigned char> readImageFile(const ImageFile& image)
{
    std::ifstream in(std::string(QM07_IMAGE_DIR) + "/" + image.file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
