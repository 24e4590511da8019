// Recording views and PNG helpers shared by the toolkit tests.
#include "ToolkitTestSupport.h"

#include "PngImage.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace VSTGUI;

namespace qm07test
{

ProbeView::ProbeView(const CRect& rect, std::string viewName, Log* sharedLog, bool* destroyedFlag)
    : CView(rect), name(std::move(viewName)), log(sharedLog), destroyed(destroyedFlag)
{
}

ProbeView::~ProbeView()
{
    if (destroyed) *destroyed = true;
}

void ProbeView::record(const std::string& event)
{
    if (log) log->push_back(name + ":" + event);
}

void ProbeView::draw(CDrawContext* context)
{
    ++draws;
    context->getClipRect(lastDrawClip);
    record("draw");
    context->setFillColor(color);
    // The fill leaves the top row and left column out, so start one pixel outside.
    context->fillRect(CRect(size.left - 1, size.top - 1, size.right, size.bottom));
    CView::draw(context);
}

void ProbeView::mouse(CDrawContext*, const CPoint& where, std::int32_t buttons)
{
    lastWhere = where;
    lastButtons = buttons;
    record("mouse");
}

std::int32_t ProbeView::onKeyDown(CKeyCode&)
{
    record("keyDown");
    return keyResult;
}

std::int32_t ProbeView::onKeyUp(CKeyCode&)
{
    record("keyUp");
    return keyResult;
}

bool ProbeView::onWheel(CDrawContext*, const CPoint& where, float)
{
    lastWhere = where;
    record("wheel");
    return wheelResult;
}

bool ProbeView::onDrop(CDrawContext*, CDragContainer*, const CPoint& where)
{
    lastWhere = where;
    record("drop");
    return dropResult;
}

void ProbeView::onDragEnter(CDrawContext*, CDragContainer*, const CPoint& where)
{
    lastWhere = where;
    record("enter");
}

void ProbeView::onDragLeave(CDrawContext*, CDragContainer*, const CPoint&)
{
    record("leave");
}

void ProbeView::onDragMove(CDrawContext*, CDragContainer*, const CPoint& where)
{
    lastWhere = where;
    record("move");
}

void ProbeView::looseFocus(CDrawContext*)
{
    record("looseFocus");
}

std::vector<unsigned char> encodePng(int width, int height, int channels,
                                     const std::vector<std::uint8_t>& pixels)
{
    std::vector<unsigned char> bytes;
    auto append = [](void* context, void* data, int size)
    {
        auto* out = static_cast<std::vector<unsigned char>*>(context);
        const auto* begin = static_cast<unsigned char*>(data);
        out->insert(out->end(), begin, begin + size);
    };
    stbi_write_png_to_func(append, &bytes, width, height, channels, pixels.data(), width * channels);
    return bytes;
}

bool writeSurfacePng(const std::string& path, const raster::Surface& surface)
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(surface.getWidth()) * surface.getHeight() * 4);
    for (std::int32_t y = 0; y < surface.getHeight(); ++y)
        for (std::int32_t x = 0; x < surface.getWidth(); ++x)
        {
            const std::uint32_t p = surface.pixel(x, y);
            const std::uint32_t a = p >> 24;
            auto unpremultiply = [a](std::uint32_t c) {
                return static_cast<std::uint8_t>(
                    a == 0 ? 0 : std::min<std::uint32_t>(255, (c * 255 + a / 2) / a));
            };
            rgba.push_back(unpremultiply((p >> 16) & 0xFF));
            rgba.push_back(unpremultiply((p >> 8) & 0xFF));
            rgba.push_back(unpremultiply(p & 0xFF));
            rgba.push_back(static_cast<std::uint8_t>(a));
        }
    const std::vector<unsigned char> bytes = encodePng(surface.getWidth(), surface.getHeight(), 4, rgba);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return !bytes.empty() && file.good();
}

raster::Surface readSurfacePng(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file),
                                           std::istreambuf_iterator<char>()};
    DecodedImage image;
    if (!decodeImage(bytes.data(), bytes.size(), image)) return raster::Surface(0, 0);
    raster::Surface surface(image.width, image.height);
    for (std::int32_t y = 0; y < image.height; ++y)
        for (std::int32_t x = 0; x < image.width; ++x)
            surface.setPixel(x, y, image.pixels[static_cast<std::size_t>(y) * image.width + x]);
    return surface;
}

std::int32_t countDifferences(const raster::Surface& a, const raster::Surface& b, raster::Surface& difference)
{
    std::int32_t count = 0;
    for (std::int32_t y = 0; y < a.getHeight(); ++y)
        for (std::int32_t x = 0; x < a.getWidth(); ++x)
        {
            const bool same = a.pixel(x, y) == b.pixel(x, y);
            count += !same;
            // Matching pixels are dimmed so that the differences stand out.
            difference.setPixel(x, y, same ? ((a.pixel(x, y) >> 2) & 0x3F3F3Fu) | 0xFF000000u : 0xFFFF0000u);
        }
    return count;
}

void expectMatchesGolden(const raster::Surface& actual, const std::string& name, const std::string& goldenDir,
                         const std::string& outDir)
{
    const std::string golden = goldenDir + "/" + name + ".png";
    const char* update = std::getenv("QM07_UPDATE_GOLDENS");
    if (update && std::string(update) == "1")
    {
        ASSERT_TRUE(writeSurfacePng(golden, actual)) << golden;
        GTEST_SKIP() << "golden rewritten: " << golden;
    }
    const raster::Surface expected = readSurfacePng(golden);
    ASSERT_EQ(actual.getWidth(), expected.getWidth()) << "missing or resized golden " << golden;
    ASSERT_EQ(actual.getHeight(), expected.getHeight());
    raster::Surface difference(actual.getWidth(), actual.getHeight());
    const std::int32_t differing = countDifferences(actual, expected, difference);
    if (differing == 0) return;
    const std::string out = outDir + "/" + name;
    writeSurfacePng(out + "-actual.png", actual);
    writeSurfacePng(out + "-diff.png", difference);
    ADD_FAILURE() << differing << " pixels differ from " << golden << "; see " << out
                  << "-actual.png and -diff.png. If the images or the drawing changed on purpose, "
                  << "run tests/update-goldens.sh.";
}

} // namespace qm07test
