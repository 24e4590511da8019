// Bitmaps from resources: premultiplied bottom-up pixels, opaque RGB, missing images, blends and colour keys.
#include "BlitHelpers.h"
#include "CBitmap.h"
#include "COffscreenContext.h"
#include "GdiState.h"
#include "TestImages.h"
#include "Win32Shared.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

using namespace VSTGUI;

namespace
{

constexpr std::uint32_t argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return a << 24 | r << 16 | g << 8 | b;
}

// The image's row `y` (top-down) from the bitmap's bottom-up storage.
std::uint32_t stored(const CBitmap& bitmap, std::int32_t x, std::int32_t y)
{
    return bitmap.getImage()->pixels[(bitmap.getHeight() - 1 - y) * bitmap.getWidth() + x];
}

std::uint32_t rgbAt(const COffscreenContext& context, std::int32_t x, std::int32_t y)
{
    GdiFlush();
    return context.getBuffer().pixels[y * context.getWidth() + x] & 0xFFFFFF;
}

bool channelsWithin(std::uint32_t a, std::uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance)
            return false;
    return true;
}

// Each test decides which blend entry points exist; the process-wide ones are put back afterwards.
class Win32Bitmap : public ::testing::Test
{
protected:
    void SetUp() override { msimg32 = win32::loadBlendEntryPoints(); }
    void TearDown() override
    {
        win32::releaseBlendEntryPoints(msimg32);
        win32::shared().alphaBlend = nullptr;
        win32::shared().transparentBlt = nullptr;
    }
    // Draws the alpha image over a grey buffer and returns the buffer; the caller forgets it.
    COffscreenContext* blendOverGrey(std::uint8_t alpha)
    {
        auto* buffer = new COffscreenContext(nullptr, 6, 4, CColor{100, 100, 100, 255});
        auto* bitmap = new CBitmap(kAlphaPng);
        bitmap->drawAlphaBlend(buffer, CRect(1, 1, 5, 3), CPoint(), alpha);
        bitmap->forget();
        return buffer;
    }
    HMODULE msimg32 = nullptr;
};

} // namespace

TEST_F(Win32Bitmap, PngIsStoredBottomUpAndPremultiplied)
{
    auto* bitmap = new CBitmap(kAlphaPng);
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 4);
    EXPECT_EQ(bitmap->getHeight(), 2);
    EXPECT_FALSE(bitmap->getNoAlpha());
    EXPECT_EQ(stored(*bitmap, 0, 0), argb(128, 127, 0, 0));
    EXPECT_EQ(stored(*bitmap, 1, 0), argb(255, 0, 255, 0));
    EXPECT_EQ(stored(*bitmap, 2, 0), argb(0, 0, 0, 0));
    EXPECT_EQ(stored(*bitmap, 3, 0), argb(64, 50, 25, 12));
    EXPECT_EQ(stored(*bitmap, 0, 1), argb(255, 10, 20, 30));
    EXPECT_EQ(stored(*bitmap, 2, 1), argb(200, 70, 140, 187));
    bitmap->forget();
}

TEST_F(Win32Bitmap, RgbPngIsOpaqueAndDrawsItsOwnColours)
{
    auto* bitmap = new CBitmap(kOpaquePng);
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(stored(*bitmap, 0, 0), argb(255, 255, 0, 0));
    EXPECT_EQ(stored(*bitmap, 2, 1), argb(255, 250, 251, 252));
    auto* buffer = new COffscreenContext(nullptr, 4, 3, kWhiteCColor);
    bitmap->draw(buffer, CRect(1, 1, 4, 3));
    EXPECT_EQ(rgbAt(*buffer, 1, 1), 0xFF0000u);
    EXPECT_EQ(rgbAt(*buffer, 3, 1), 0x0000FFu);
    EXPECT_EQ(rgbAt(*buffer, 2, 2), 0x804020u);
    EXPECT_EQ(rgbAt(*buffer, 0, 0), 0xFFFFFFu);
    buffer->forget();
    bitmap->forget();
}

TEST_F(Win32Bitmap, OnlyTheLow16BitsNameTheResource)
{
    auto* bitmap = new CBitmap(0x30000 | kOpaquePng);
    EXPECT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 3);
    EXPECT_EQ(bitmap->getResourceID(), 0x30000 | kOpaquePng);
    bitmap->forget();
}

TEST_F(Win32Bitmap, MissingResourceGivesAnEmptyBitmapThatDrawsNothing)
{
    auto* bitmap = new CBitmap(299);
    EXPECT_FALSE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 0);
    EXPECT_EQ(bitmap->getHeight(), 0);
    EXPECT_FALSE(bitmap->loadFromResource(298));
    auto* buffer = new COffscreenContext(nullptr, 3, 3, kWhiteCColor);
    bitmap->draw(buffer, CRect(0, 0, 3, 3));
    bitmap->drawTransparent(buffer, CRect(0, 0, 3, 3));
    bitmap->drawAlphaBlend(buffer, CRect(0, 0, 3, 3), CPoint(), 255);
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(rgbAt(*buffer, x, y), 0xFFFFFFu);
    buffer->forget();
    bitmap->forget();
}

TEST_F(Win32Bitmap, BlendWithoutMsimg32MatchesAlphaBlend)
{
    ASSERT_NE(win32::shared().alphaBlend, nullptr);
    for (std::uint8_t alpha : {std::uint8_t{255}, std::uint8_t{77}})
    {
        COffscreenContext* system = blendOverGrey(alpha);
        win32::shared().alphaBlend = nullptr;
        COffscreenContext* fallback = blendOverGrey(alpha);
        win32::loadBlendEntryPoints();
        for (std::int32_t y = 0; y < 4; ++y)
            for (std::int32_t x = 0; x < 6; ++x)
                EXPECT_TRUE(channelsWithin(rgbAt(*system, x, y), rgbAt(*fallback, x, y), 1))
                    << "alpha " << int(alpha) << " at " << x << "," << y << ": " << std::hex
                    << rgbAt(*system, x, y) << " vs " << rgbAt(*fallback, x, y);
        system->forget();
        fallback->forget();
    }
}

TEST_F(Win32Bitmap, BlendedPixelsFollowSourceOver)
{
    COffscreenContext* buffer = blendOverGrey(255);
    EXPECT_EQ(rgbAt(*buffer, 0, 0), 0x646464u); // outside the drawn rectangle
    EXPECT_EQ(rgbAt(*buffer, 2, 1), 0x00FF00u); // opaque source
    EXPECT_EQ(rgbAt(*buffer, 3, 1), 0x646464u); // fully transparent source
    EXPECT_TRUE(channelsWithin(rgbAt(*buffer, 1, 1), 0xB13232u, 1)) << std::hex << rgbAt(*buffer, 1, 1);
    buffer->forget();
}

TEST_F(Win32Bitmap, ASourceBeyondTheImageIsCutToIt)
{
    auto* buffer = new COffscreenContext(nullptr, 6, 4, kWhiteCColor);
    auto* bitmap = new CBitmap(kOpaquePng);
    // Asks for 4 × 3 pixels from (1, 1) of a 3 × 2 image: only (1, 1) to (2, 1) exist.
    bitmap->draw(buffer, CRect(0, 0, 4, 3), CPoint(1, 1));
    EXPECT_EQ(rgbAt(*buffer, 0, 0), 0x804020u);
    EXPECT_EQ(rgbAt(*buffer, 1, 0), 0xFAFBFCu);
    EXPECT_EQ(rgbAt(*buffer, 2, 0), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(*buffer, 0, 1), 0xFFFFFFu);
    bitmap->forget();
    buffer->forget();
}

TEST_F(Win32Bitmap, BitmapResourceIsOpaqueAndKeyedByTheTransparentColour)
{
    for (bool withTransparentBlt : {true, false})
    {
        if (!withTransparentBlt) win32::shared().transparentBlt = nullptr;
        auto* bitmap = new CBitmap(kKeyedBmp);
        ASSERT_TRUE(bitmap->isLoaded());
        EXPECT_TRUE(bitmap->getNoAlpha());
        EXPECT_EQ(bitmap->getWidth(), 4);
        auto* buffer = new COffscreenContext(nullptr, 4, 2, CColor{0, 0, 0, 255});
        bitmap->drawTransparent(buffer, CRect(0, 0, 4, 2));
        const std::uint32_t expected[2][4] = {{0x000000, 0xFF0000, 0x000000, 0x0000FF},
                                              {0x00FF00, 0x000000, 0xFEFFFF, 0x000000}};
        for (std::int32_t y = 0; y < 2; ++y)
            for (std::int32_t x = 0; x < 4; ++x)
                EXPECT_EQ(rgbAt(*buffer, x, y), expected[y][x])
                    << (withTransparentBlt ? "TransparentBlt" : "mask") << " at " << x << "," << y;
        bitmap->draw(buffer, CRect(0, 0, 4, 2));
        EXPECT_EQ(rgbAt(*buffer, 0, 0), 0xFFFFFFu);
        buffer->forget();
        bitmap->forget();
    }
}

TEST(Win32Blit, SourceClipMovesTheDestinationWithIt)
{
    win32::BlitArea area{10, 20, -2, 1, 6, 4};
    ASSERT_TRUE(win32::clipToSource(area, 3, 3));
    EXPECT_EQ(area.destX, 12);
    EXPECT_EQ(area.destY, 20);
    EXPECT_EQ(area.srcX, 0);
    EXPECT_EQ(area.srcY, 1);
    EXPECT_EQ(area.width, 3);
    EXPECT_EQ(area.height, 2);
    win32::BlitArea outside{0, 0, 5, 0, 2, 2};
    EXPECT_FALSE(win32::clipToSource(outside, 3, 3));
}
