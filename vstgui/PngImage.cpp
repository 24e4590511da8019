// Embedded images to premultiplied pixels, through stb_image.
#include "PngImage.h"

#include <stb_image.h>

#include <cstring>
#include <map>
#include <mutex>

namespace VSTGUI
{

namespace
{

std::uint32_t premultiplied(const unsigned char* rgba, bool hasAlpha)
{
    std::uint32_t red = rgba[0];
    std::uint32_t green = rgba[1];
    std::uint32_t blue = rgba[2];
    const std::uint32_t alpha = hasAlpha ? rgba[3] : 255u;
    if (alpha != 255u)
    {
        red = (red * alpha) >> 8;
        green = (green * alpha) >> 8;
        blue = (blue * alpha) >> 8;
    }
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

} // namespace

bool isPng(const unsigned char* data, std::size_t size)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data && size >= sizeof signature && std::memcmp(data, signature, sizeof signature) == 0;
}

bool decodeImage(const unsigned char* data, std::size_t size, DecodedImage& image)
{
    image = DecodedImage();
    if (!data || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) return false;
    int width = 0;
    int height = 0;
    int channels = 0;
    // Four channels are always requested so that grey images convert like colour ones.
    unsigned char* rgba =
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, STBI_rgb_alpha);
    if (!rgba) return false;
    const bool hasAlpha = channels == 2 || channels == 4;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = premultiplied(rgba + 4 * i, hasAlpha);
    stbi_image_free(rgba);
    return true;
}

namespace
{
// At namespace scope rather than inside the function: the guarded first use of a function-local static
// costs the calling thread a record in the DLL's own threads library that unloading never frees.
std::mutex decodedGuard;
std::map<const unsigned char*, DecodedImage> decoded;
} // namespace

bool decodeResourceImage(const unsigned char* data, std::size_t size, DecodedImage& image)
{
    const std::lock_guard<std::mutex> lock(decodedGuard);
    auto found = decoded.find(data);
    if (found == decoded.end())
    {
        if (!decodeImage(data, size, image)) return false;
        decoded.emplace(data, image);
        return true;
    }
    image = found->second;
    return true;
}

} // namespace VSTGUI
