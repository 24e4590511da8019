// The render scene in a real child window: what the window shows after painting and after an idle redraw
// must match the software renderer's golden images within 1 per channel.
#include "CFrame.h"
#include "COffscreenContext.h"
#include "PngImage.h"
#include "RenderScene.h"
#include "TestWindows.h"
#include "Win32Shared.h"

#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{

struct Image
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels; ///< top-down 0xAARRGGBB
};

Image readGolden(const std::string& name)
{
    std::ifstream file(std::string(QM07_GOLDEN_DIR) + "/" + name + ".png", std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    DecodedImage decoded;
    decodeImage(bytes.data(), bytes.size(), decoded);
    return {decoded.width, decoded.height, decoded.pixels};
}

void writePng(const std::string& path, const Image& image)
{
    std::vector<unsigned char> rgb;
    for (std::uint32_t pixel : image.pixels)
        for (int shift : {16, 8, 0})
            rgb.push_back(static_cast<unsigned char>(pixel >> shift));
    stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(), image.width * 3);
}

/// What the window shows, read back through its device context.
Image capture(HWND window, std::int32_t width, std::int32_t height)
{
    Image image{width, height, {}};
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC windowContext = GetDC(window);
    HDC memory = CreateCompatibleDC(windowContext);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, windowContext, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, windowContext);
    return image;
}

bool within(std::uint32_t a, std::uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance)
            return false;
    return true;
}

/// On a mismatch the capture and a difference image (differing pixels red) land in the build tree.
void expectMatchesGolden(const Image& actual, const std::string& name)
{
    const Image golden = readGolden(name);
    ASSERT_EQ(golden.width, actual.width) << "missing or resized golden " << name;
    ASSERT_EQ(golden.height, actual.height);
    Image difference = actual;
    std::int32_t differing = 0;
    for (std::size_t i = 0; i < actual.pixels.size(); ++i)
    {
        const bool same = within(actual.pixels[i], golden.pixels[i], 1);
        differing += !same;
        difference.pixels[i] = same ? (actual.pixels[i] >> 2) & 0x3F3F3Fu : 0xFF0000u;
    }
    if (differing == 0) return;
    const std::string out = std::string(QM07_RENDER_OUT_DIR) + "/" + name + "-win32";
    writePng(out + "-actual.png", actual);
    writePng(out + "-diff.png", difference);
    ADD_FAILURE() << differing << " pixels differ by more than 1 from the golden " << name << "; see " << out
                  << "-actual.png and -diff.png";
}

class Win32RenderWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame.reset(qm07test::buildRenderScene(host.handle));
        window = static_cast<HWND>(frame->getWindow());
        ASSERT_NE(window, nullptr);
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    Image shown() const
    {
        return capture(window, qm07test::kRenderSceneSize.getWidth(), qm07test::kRenderSceneSize.getHeight());
    }

    test::HostWindow host{10, 10, 330, 170};
    std::unique_ptr<CFrame> frame;
    HWND window = nullptr;
};

} // namespace

TEST_F(Win32RenderWindow, PaintedWindowMatchesTheSoftwareRender)
{
    expectMatchesGolden(shown(), "toolkit-scene");
}

TEST_F(Win32RenderWindow, IdleRedrawOfATurnedKnobMatchesTheSoftwareRender)
{
    qm07test::turnFirstKnob(*frame, 60);
    frame->idle();
    expectMatchesGolden(shown(), "toolkit-scene-turned");
}

TEST_F(Win32RenderWindow, WithoutMsimg32TheFallbackBlendShowsTheSamePixels)
{
    // The frame looked the entry points up; a system without msimg32 would have left them null.
    win32::shared().alphaBlend = nullptr;
    win32::shared().transparentBlt = nullptr;
    // Nothing of the earlier paint may survive in the back buffer.
    RECT whole = {0, 0, qm07test::kRenderSceneSize.right, qm07test::kRenderSceneSize.bottom};
    FillRect(static_cast<HDC>(frame->getBackBuffer()->getSystemContext()), &whole,
             static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    frame->setDirty(true);
    frame->idle();
    expectMatchesGolden(shown(), "toolkit-scene");
}

TEST_F(Win32RenderWindow, PaintCopiesOnlyTheDamagedRectangle)
{
    const Image before = shown();
    HDC windowContext = GetDC(window);
    RECT whole = {0, 0, 320, 160};
    FillRect(windowContext, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, windowContext);
    RECT damaged = {100, 50, 200, 120};
    InvalidateRect(window, &damaged, FALSE);
    UpdateWindow(window);
    const Image after = shown();
    auto at = [](const Image& image, int x, int y) { return image.pixels[y * image.width + x] & 0xFFFFFFu; };
    EXPECT_EQ(at(after, 100, 50), at(before, 100, 50));
    EXPECT_EQ(at(after, 199, 119), at(before, 199, 119));
    EXPECT_EQ(at(after, 150, 80), at(before, 150, 80));
    EXPECT_EQ(at(after, 99, 50), 0u);
    EXPECT_EQ(at(after, 200, 119), 0u);
    EXPECT_EQ(at(after, 150, 120), 0u);
}
