// Software drawing contexts: GDI's fill edge rule and line ends, state caching, fonts, clipping, copies.
#include "ToolkitTestSupport.h"

#include "COffscreenContext.h"
#include "PremultipliedBlend.h"
#include "Surface.h"

using namespace VSTGUI;
using qm07test::rgb;

namespace
{

class DrawContextTest : public qm07test::HeadlessToolkitTest
{
protected:
    DrawContextTest() : surface(20, 20, rgb(0, 0, 0)), context(new CDrawContext(nullptr, &surface, nullptr))
    {
    }
    ~DrawContextTest() override { context->forget(); }

    /// The pixels of `value` as a set of "x,y" strings, to compare shapes.
    std::vector<CPoint> pixelsOf(std::uint32_t value) const
    {
        std::vector<CPoint> found;
        for (std::int32_t y = 0; y < surface.getHeight(); ++y)
            for (std::int32_t x = 0; x < surface.getWidth(); ++x)
                if (surface.pixel(x, y) == value) found.emplace_back(x, y);
        return found;
    }

    raster::Surface surface;
    CDrawContext* context;
};

TEST_F(DrawContextTest, FillLeavesTheTopRowAndLeftColumnOut)
{
    context->setFillColor(CColor{255, 0, 0, 255});
    context->fillRect(CRect(0, 0, 10, 10));
    const std::vector<CPoint> red = pixelsOf(rgb(255, 0, 0));
    ASSERT_EQ(81u, red.size());
    EXPECT_EQ(CPoint(1, 1), red.front());
    EXPECT_EQ(CPoint(9, 9), red.back());

    context->offset = CPoint(5, 5);
    context->setFillColor(CColor{0, 255, 0, 255});
    context->fillRect(CRect(0, 0, 3, 3));
    EXPECT_EQ(4u, pixelsOf(rgb(0, 255, 0)).size());
    EXPECT_EQ(rgb(0, 255, 0), surface.pixel(6, 6)) << "the offset moves the fill";
}

TEST_F(DrawContextTest, LinesLeaveTheEndPointOut)
{
    context->setFrameColor(CColor{255, 255, 0, 255});
    context->moveTo(CPoint(2, 3));
    context->lineTo(CPoint(7, 3));
    const std::vector<CPoint> horizontal = pixelsOf(rgb(255, 255, 0));
    ASSERT_EQ(5u, horizontal.size());
    EXPECT_EQ(CPoint(6, 3), horizontal.back());

    context->setFrameColor(CColor{0, 255, 255, 255});
    context->lineTo(CPoint(7, 13)); // continues from the last end point
    const std::vector<CPoint> vertical = pixelsOf(rgb(0, 255, 255));
    ASSERT_EQ(10u, vertical.size());
    EXPECT_EQ(CPoint(7, 3), vertical.front());
    EXPECT_EQ(CPoint(7, 12), vertical.back());

    context->setFrameColor(CColor{255, 0, 255, 255});
    context->moveTo(CPoint(0, 0));
    context->lineTo(CPoint(8, 4));
    const std::vector<CPoint> slope = pixelsOf(rgb(255, 0, 255));
    ASSERT_EQ(8u, slope.size()) << "one pixel per column of the major axis";
    for (const CPoint& p : slope)
        EXPECT_NEAR(p.h / 2.0, p.v, 0.5) << p.h << "," << p.v;
}

TEST_F(DrawContextTest, DrawingStaysInsideTheClipRectangle)
{
    context->offset = CPoint(2, 2);
    context->setClipRect(CRect(0, 0, 5, 5));
    CRect clip;
    EXPECT_EQ(CRect(0, 0, 5, 5), context->getClipRect(clip)) << "read back without the offset";
    context->setFillColor(CColor{255, 0, 0, 255});
    context->fillRect(CRect(-10, -10, 30, 30));
    const std::vector<CPoint> red = pixelsOf(rgb(255, 0, 0));
    ASSERT_EQ(25u, red.size());
    EXPECT_EQ(CPoint(2, 2), red.front());
    EXPECT_EQ(CPoint(6, 6), red.back());
}

TEST_F(DrawContextTest, UnchangedStateCreatesNoNewObjects)
{
    const raster::ObjectCounts start = context->getDevice().made;
    context->setFrameColor(CColor{1, 2, 3, 255});
    context->setFrameColor(CColor{1, 2, 3, 255});
    EXPECT_EQ(start.pens + 1, context->getDevice().made.pens);
    context->setFrameColor(CColor{1, 2, 3, 0});
    EXPECT_EQ(start.pens + 2, context->getDevice().made.pens) << "alpha takes part in the comparison";
    context->setLineWidth(1);
    context->setLineStyle(kLineSolid);
    EXPECT_EQ(start.pens + 2, context->getDevice().made.pens);

    context->setFillColor(kBlackCColor);
    EXPECT_EQ(start.brushes, context->getDevice().made.brushes) << "black is the default fill";
    context->setFillColor(kWhiteCColor);
    context->setFillColor(kWhiteCColor);
    EXPECT_EQ(start.brushes + 1, context->getDevice().made.brushes);

    context->setFont(kSystemFont);
    EXPECT_EQ(start.fonts, context->getDevice().made.fonts);
}

TEST_F(DrawContextTest, FreshContextHasTheDocumentedDefaults)
{
    EXPECT_EQ(kWhiteCColor, context->getFrameColor());
    EXPECT_EQ(kBlackCColor, context->getFillColor());
    EXPECT_EQ(kWhiteCColor, context->getFontColor());
    EXPECT_EQ(kLineSolid, context->getLineStyle());
    EXPECT_EQ(1, context->getLineWidth());
    EXPECT_EQ(kCopyMode, context->getDrawMode());
    CRect clip;
    EXPECT_EQ(CRect(0, 0, 1000, 1000), context->getClipRect(clip)) << "no frame: the default clip";
}

TEST_F(DrawContextTest, FontIdsSelectTheirStandardSizeAndTheSystemFontIsAlwaysBold)
{
    struct Case
    {
        std::int32_t id, size, style;
        std::int32_t font, fontSize, weight;
    };
    const Case cases[] = {
        {9, 40, 0, kSystemFont, 12, 700}, // outside the table, and the size argument is not used
        {-1, 0, 0, kSystemFont, 12, 700},
        {kSymbolFont, 0, kItalicFace | kUnderlineFace, kSymbolFont, 13, 400},
        {kNormalFontBig, 0, kBoldFace, kNormalFontBig, 14, 700},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        context->setFont(c.id, c.size, c.style);
        EXPECT_EQ(c.font, context->getFont());
        EXPECT_EQ(c.fontSize, context->getFontSize());
        EXPECT_EQ(c.style, context->getFontStyle());
        EXPECT_EQ(c.weight, fontWeight(context->getFont(), context->getFontStyle()));
    }
}

TEST_F(DrawContextTest, WindowContextTakesTheWindowPixelsAndGivesThemBack)
{
    headless::Window window;
    window.screenOrigin = CPoint(30, 40);
    window.surface = std::make_unique<raster::Surface>(10, 10);
    auto* onWindow = new CDrawContext(nullptr, nullptr, &window);
    EXPECT_EQ(1, window.contextsOut);
    EXPECT_EQ(window.surface.get(), raster::surfaceOf(onWindow));
    EXPECT_EQ(CPoint(30, 40), onWindow->offsetScreen);
    onWindow->forget();
    EXPECT_EQ(0, window.contextsOut);

    auto* onGivenPixels = new CDrawContext(nullptr, &surface, &window);
    EXPECT_EQ(0, window.contextsOut) << "a given device context is never obtained or released";
    onGivenPixels->forget();
}

TEST_F(DrawContextTest, MouseButtonsComeFromTheInputState)
{
    headless::environment().buttons = kRButton | kControl;
    EXPECT_EQ(kRButton | kControl, context->getMouseButtons());
}

TEST_F(DrawContextTest, OffscreenStartsInItsBackgroundAndCopiesBothWays)
{
    auto* buffer = new COffscreenContext(nullptr, 6, 4, CColor{9, 8, 7, 255});
    const raster::Surface& pixels = *raster::surfaceOf(buffer);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 6; ++x)
            ASSERT_EQ(rgb(9, 8, 7), pixels.pixel(x, y)) << "fill and outline cover every pixel";

    surface.setPixel(3, 3, rgb(100, 0, 0));
    surface.setPixel(4, 3, rgb(0, 100, 0));
    context->offset = CPoint(1, 1);
    buffer->copyTo(context, CRect(2, 2, 4, 4), CPoint(0, 0));
    EXPECT_EQ(rgb(100, 0, 0), pixels.pixel(0, 0)) << "source rectangle plus the source's offset";

    buffer->copyFrom(context, CRect(10, 10, 13, 11), CPoint(0, 0));
    EXPECT_EQ(rgb(100, 0, 0), surface.pixel(11, 11));
    EXPECT_EQ(rgb(0, 100, 0), surface.pixel(12, 11));
    EXPECT_EQ(rgb(9, 8, 7), surface.pixel(13, 11));
    EXPECT_EQ(rgb(0, 0, 0), surface.pixel(11, 12)) << "only the rectangle's size is copied";
    buffer->forget();
}

TEST(PremultipliedBlend, SourceOverWithConstantAlphaRoundsToNearest)
{
    const std::uint32_t halfRed = 0x80800000u; // alpha 128, red 128 premultiplied
    EXPECT_EQ(0xFF80007Fu, blendPremultiplied(0xFF0000FFu, halfRed, 255)) << "half red over blue";
    EXPECT_EQ(0xFF0000FFu, blendPremultiplied(0xFF0000FFu, halfRed, 0))
        << "constant alpha 0 leaves the destination";
    EXPECT_EQ(0xFF4000BFu, blendPremultiplied(0xFF0000FFu, halfRed, 128));
    EXPECT_EQ(0xFF123456u, blendPremultiplied(0xFF000000u, 0xFF123456u, 255)) << "opaque source replaces";
    EXPECT_EQ(0xFF0A141Eu, blendPremultiplied(0xFF0A141Eu, 0x00000000u, 255)) << "transparent source";
    // 127 + 200 * 127 / 255 = 127 + 99.6
    EXPECT_EQ(0xFFE36464u, blendPremultiplied(0xFFC8C8C8u, 0x807F0000u, 255));
}

} // namespace
