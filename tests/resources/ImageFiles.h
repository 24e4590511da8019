// The editor's image files and the resource numbers they are stored under, for tests that compare bytes.
#pragma once

#include "PanelImages.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using ImageFile = qm07::layout::ImageFile;
constexpr const auto& kImageFiles = qm07::layout::kImages;

/// The bytes of an image file in the committed images folder.
inline std::vector<unsigned char> readImageFile(const ImageFile& image)
{
    std::ifstream in(std::string(QM07_IMAGE_DIR) + "/" + image.file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
