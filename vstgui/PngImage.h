// Decoding of embedded images into the premultiplied 32-bit pixels every back end draws from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VSTGUI
{

/// Top-down rows of 0xAARRGGBB words (bytes blue, green, red, alpha in memory), colours premultiplied.
struct DecodedImage
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;
};

/// True when the bytes start with the PNG signature.
bool isPng(const unsigned char* data, std::size_t size);

/// Decodes any image stb_image reads. Images without an alpha channel become opaque; a pixel whose
/// alpha a is below 255 gets each colour c replaced by (c * a) >> 8, the rounding the GDI back end
/// has always used. False (and `image` left empty) for null, empty or undecodable bytes.
bool decodeImage(const unsigned char* data, std::size_t size, DecodedImage& image);

/// decodeImage for bytes that stay where they are, unchanged, for the life of the module (its resources):
/// each is decoded once per process and copied from then on, so an editor opens without decoding.
/// User-interface threads only; takes a lock.
bool decodeResourceImage(const unsigned char* data, std::size_t size, DecodedImage& image);

} // namespace VSTGUI
