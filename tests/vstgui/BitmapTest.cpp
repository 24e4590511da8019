// Bitmaps: decoding and premultiplication, opaque images, film-strip frames, colour key, missing resources.
#include "ToolkitTestSupport.h"

#include "CBitmap.h"
#include "FilmStrip.h"
#include "PngImage.h"
#include "Surface.h"

#include <stb_image_write.h>

using namespace VSTGUI;
using qm07test::encodePng;
using qm07test::rgb;

namespace
{

class BitmapTest : public qm07test::HeadlessToolkitTest
{
protected:
    BitmapTest() : surface(8, 8, rgb(0, 0, 255)), context(new CDrawContext(nullptr, &surface, nullptr)) {}
    ~BitmapTest() override { context->forget(); }

    /// A bitmap of a missing resource, filled from the given bytes.
    static CBitmap* fromBytes(const std::vector<unsigned char>& bytes)
    {
        auto* bitmap = new CBitmap(0xFFFF);
        EXPECT_TRUE(bitmap->loadFromMemory(bytes.data(), bytes.size()));
        return bitmap;
    }

    raster::Surface surface;
    CDrawContext* context;
};

TEST(ImageDecoding, PartlyTransparentPixelsArePremultipliedWithTruncation)
{
    const std::vector<std::uint8_t> rgba = {255, 0, 0, 128, 10, 200, 30, 255, 255, 255, 255, 0};
    const std::vector<unsigned char> png = encodePng(3, 1, 4, rgba);
    DecodedImage image;
    ASSERT_TRUE(decodeImage(png.data(), png.size(), image));
    ASSERT_EQ(3, image.width);
    EXPECT_EQ(0x807F0000u, image.pixels[0]) << "alpha 128 and red 255 give red 127";
    EXPECT_EQ(0xFF0AC81Eu, image.pixels[1]) << "opaque pixels keep their colour";
    EXPECT_EQ(0x00000000u, image.pixels[2]);
}

TEST(ImageDecoding, ImagesWithoutAlphaChannelAreOpaque)
{
    const std::vector<std::uint8_t> rgb3 = {1, 2, 3, 4, 5, 6};
    const std::vector<unsigned char> png = encodePng(2, 1, 3, rgb3);
    DecodedImage image;
    ASSERT_TRUE(decodeImage(png.data(), png.size(), image));
    EXPECT_EQ(0xFF010203u, image.pixels[0]);
    EXPECT_EQ(0xFF040506u, image.pixels[1]);
    const std::vector<unsigned char> grey = encodePng(1, 1, 1, {77});
    ASSERT_TRUE(decodeImage(grey.data(), grey.size(), image));
    EXPECT_EQ(0xFF4D4D4Du, image.pixels[0]) << "grey expands to equal channels";
}

TEST(ImageDecoding, BadBytesDecodeToNothing)
{
    DecodedImage image;
    const unsigned char junk[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(decodeImage(junk, sizeof junk, image));
    EXPECT_FALSE(decodeImage(nullptr, 10, image));
    EXPECT_EQ(0, image.width);
    EXPECT_TRUE(image.pixels.empty());
}

TEST_F(BitmapTest, OpaquePngDrawsExactlyItsPixels)
{
    CBitmap* bitmap = fromBytes(encodePng(2, 2, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
    EXPECT_FALSE(bitmap->getNoAlpha());
    bitmap->draw(context, CRect(3, 3, 5, 5));
    EXPECT_EQ(rgb(10, 20, 30), surface.pixel(3, 3));
    EXPECT_EQ(rgb(100, 110, 120), surface.pixel(4, 4));
    EXPECT_EQ(rgb(0, 0, 255), surface.pixel(5, 5));
    bitmap->forget();
}

TEST_F(BitmapTest, TransparentPixelsBlendOverTheDestination)
{
    CBitmap* bitmap = fromBytes(encodePng(2, 1, 4, {255, 0, 0, 128, 0, 255, 0, 0}));
    bitmap->drawTransparent(context, CRect(0, 0, 2, 1));
    EXPECT_EQ(rgb(127, 0, 127), surface.pixel(0, 0)) << "half red over blue";
    EXPECT_EQ(rgb(0, 0, 255), surface.pixel(1, 0)) << "fully transparent leaves the destination";
    bitmap->drawAlphaBlend(context, CRect(0, 1, 2, 2), CPoint(), 0);
    EXPECT_EQ(rgb(0, 0, 255), surface.pixel(0, 1)) << "constant alpha 0 draws nothing";
    bitmap->forget();
}

TEST_F(BitmapTest, FilmStripFramesAreSelectedBySourceOffset)
{
    // Three frames of 2 x 2: red, green, white.
    std::vector<std::uint8_t> strip;
    const std::uint8_t colours[3][3] = {{255, 0, 0}, {0, 255, 0}, {255, 255, 255}};
    for (const auto& colour : colours)
        for (int i = 0; i < 4; ++i)
            strip.insert(strip.end(), colour, colour + 3);
    CBitmap* bitmap = fromBytes(encodePng(2, 6, 3, strip));
    const std::int32_t frames = filmStripFrameCount(bitmap->getHeight(), 2);
    ASSERT_EQ(3, frames);
    for (std::int32_t k = 0; k < frames; ++k)
        bitmap->draw(context, CRect(2 * k, 0, 2 * k + 2, 2), filmStripOffset(k, 2));
    EXPECT_EQ(rgb(255, 0, 0), surface.pixel(1, 1));
    EXPECT_EQ(rgb(0, 255, 0), surface.pixel(2, 0));
    EXPECT_EQ(rgb(255, 255, 255), surface.pixel(5, 1));
    EXPECT_EQ(rgb(0, 0, 255), surface.pixel(1, 2)) << "one frame only, not the frame below";
    bitmap->forget();
}

TEST(FilmStripArithmetic, OffsetsCountsAndClamping)
{
    EXPECT_EQ(CPoint(0, 48 * 80), filmStripOffset(48, 80));
    EXPECT_EQ(97, filmStripFrameCount(7760, 80));
    EXPECT_EQ(100, filmStripFrameCount(8000, 80));
    EXPECT_EQ(0, filmStripFrameCount(7760, 0));
    EXPECT_EQ(96, clampFrameIndex(200, 97));
    EXPECT_EQ(0, clampFrameIndex(-3, 97));
    EXPECT_EQ(0, clampFrameIndex(5, 0));
}

TEST_F(BitmapTest, ImagesWithoutAlphaUseTheTransparentColourAsKey)
{
    std::vector<unsigned char> bmp;
    auto append = [](void* out, void* data, int size)
    {
        auto* bytes = static_cast<std::vector<unsigned char>*>(out);
        bytes->insert(bytes->end(), static_cast<unsigned char*>(data),
                      static_cast<unsigned char*>(data) + size);
    };
    const std::uint8_t pixels[] = {255, 255, 255, 9, 9, 9};
    ASSERT_NE(0, stbi_write_bmp_to_func(append, &bmp, 2, 1, 3, pixels));
    CBitmap* bitmap = fromBytes(bmp);
    EXPECT_TRUE(bitmap->getNoAlpha());
    bitmap->drawTransparent(context, CRect(0, 0, 2, 1));
    EXPECT_EQ(rgb(0, 0, 255), surface.pixel(0, 0)) << "white is the default key";
    EXPECT_EQ(rgb(9, 9, 9), surface.pixel(1, 0));
    bitmap->draw(context, CRect(0, 0, 2, 1));
    EXPECT_EQ(rgb(255, 255, 255), surface.pixel(0, 0)) << "a plain draw copies every pixel";
    bitmap->forget();
}

TEST_F(BitmapTest, MissingResourceGivesAnEmptyBitmapThatDrawsNothing)
{
    auto* bitmap = new CBitmap(4242);
    EXPECT_EQ(0, bitmap->getWidth());
    EXPECT_EQ(0, bitmap->getHeight());
    EXPECT_FALSE(bitmap->loadFromResource(4243));
    bitmap->draw(context, CRect(0, 0, 8, 8));
    bitmap->drawTransparent(context, CRect(0, 0, 8, 8));
    EXPECT_EQ(rgb(0, 0, 255), surface.pixel(4, 4));
    EXPECT_FALSE(bitmap->loadFromPath("anything.png"));
    bitmap->forget();
}

TEST_F(BitmapTest, OnlyTheLowSixteenBitsOfTheNumberCount)
{
    auto* background = new CBitmap(101 + 0x10000);
    EXPECT_EQ(800, background->getWidth());
    EXPECT_EQ(220, background->getHeight());
    EXPECT_EQ(101 + 0x10000, background->getResourceID());
    auto* lever = new CBitmap(106);
    EXPECT_EQ(40, lever->getWidth());
    EXPECT_EQ(3, filmStripFrameCount(lever->getHeight(), 40));
    lever->forget();
    background->forget();
}

TEST(ReferenceCounting, RememberedObjectsNeedOneMoreForget)
{
    bool destroyed = false;
    auto* view = new qm07test::ProbeView(CRect(), "view", nullptr, &destroyed);
    view->remember();
    view->forget();
    EXPECT_FALSE(destroyed);
    view->forget();
    EXPECT_TRUE(destroyed);
}

TEST(Geometry, InclusiveEdgesAndBoundNeverInverts)
{
    const CRect a(0, 0, 10, 10);
    EXPECT_TRUE(a.pointInside(CPoint(10, 10)));
    EXPECT_FALSE(a.pointInside(CPoint(11, 10)));
    EXPECT_TRUE(a.overlaps(CRect(10, 10, 20, 20))) << "corner contact";
    EXPECT_FALSE(a.overlaps(CRect(11, 0, 20, 10)));
    CRect disjoint(20, 20, 30, 30);
    disjoint.bound(a);
    EXPECT_EQ(0, disjoint.getWidth());
    EXPECT_EQ(0, disjoint.getHeight());
}

} // namespace
