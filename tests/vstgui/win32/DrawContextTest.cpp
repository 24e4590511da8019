// GDI drawing context and off-screen buffer: fill edges, clipping, reuse of GDI objects, fonts, copies.
#include "CDrawContext.h"
#include "COffscreenContext.h"
#include "GdiState.h"
#include "KeyState.h"
#include "MouseButtons.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using namespace VSTGUI;

namespace
{

constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kBlue{0, 0, 255, 255};
constexpr std::uint32_t kRedRgb = 0xFF0000;
constexpr std::uint32_t kWhiteRgb = 0xFFFFFF;

// An off-screen buffer the test owns; GDI must have finished before pixels are read.
struct Buffer
{
    Buffer(std::int32_t width, std::int32_t height, CColor background = kWhiteCColor)
        : context(new COffscreenContext(nullptr, width, height, background))
    {
    }
    ~Buffer() { context->forget(); }
    std::uint32_t rgb(std::int32_t x, std::int32_t y) const
    {
        GdiFlush();
        return context->getBuffer().pixels[y * context->getWidth() + x] & 0xFFFFFF;
    }
    HDC dc() const { return static_cast<HDC>(context->getSystemContext()); }
    COffscreenContext* context;
};

LOGFONTA selectedFont(HDC dc)
{
    LOGFONTA font = {};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
    return font;
}

} // namespace

TEST(Win32DrawContext, FillLeavesTheTopRowAndLeftColumnUntouched)
{
    Buffer buffer(12, 12);
    buffer.context->setFillColor(kRed);
    buffer.context->fillRect(CRect(0, 0, 10, 10));
    EXPECT_EQ(buffer.rgb(0, 0), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(5, 0), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(0, 5), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(1, 1), kRedRgb);
    EXPECT_EQ(buffer.rgb(9, 9), kRedRgb);
    EXPECT_EQ(buffer.rgb(10, 5), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(5, 10), kWhiteRgb);
}

TEST(Win32DrawContext, OffsetMovesDrawingAndClipIsKeptWithoutIt)
{
    Buffer buffer(12, 12);
    buffer.context->offset = CPoint(2, 3);
    buffer.context->setClipRect(CRect(0, 0, 4, 4));
    CRect clip;
    EXPECT_EQ(buffer.context->getClipRect(clip), CRect(0, 0, 4, 4));
    buffer.context->setFillColor(kRed);
    buffer.context->fillRect(CRect(-5, -5, 10, 10));
    // The clip (2, 3)-(6, 7) in buffer pixels bounds the fill, which starts one pixel in from (-3, -2).
    EXPECT_EQ(buffer.rgb(2, 3), kRedRgb);
    EXPECT_EQ(buffer.rgb(5, 6), kRedRgb);
    EXPECT_EQ(buffer.rgb(1, 3), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(2, 2), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(6, 6), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(5, 7), kWhiteRgb);
}

TEST(Win32DrawContext, PenAndBrushAreMadeOnlyWhenTheirStateChanges)
{
    Buffer buffer(4, 4);
    CDrawContext& context = *buffer.context;
    context.setFrameColor(kRed);
    context.setFillColor(kRed);
    HGDIOBJ pen = GetCurrentObject(buffer.dc(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(buffer.dc(), OBJ_BRUSH);

    context.setFrameColor(kRed);
    context.setLineWidth(1);
    context.setLineStyle(kLineSolid);
    context.setFillColor(kRed);
    EXPECT_EQ(GetCurrentObject(buffer.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(buffer.dc(), OBJ_BRUSH), brush);

    context.setFrameColor(kBlue);
    context.setFillColor(kBlue);
    HGDIOBJ newPen = GetCurrentObject(buffer.dc(), OBJ_PEN);
    EXPECT_NE(newPen, pen);
    EXPECT_NE(GetCurrentObject(buffer.dc(), OBJ_BRUSH), brush);
    // The replaced objects are deleted, not leaked.
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    LOGPEN description = {};
    GetObjectA(newPen, sizeof(description), &description);
    EXPECT_EQ(description.lopnColor, RGB(0, 0, 255));
    EXPECT_EQ(description.lopnWidth.x, 1);
}

TEST(Win32DrawContext, FontsComeFromTheStandardTable)
{
    Buffer buffer(4, 4);
    CDrawContext& context = *buffer.context;
    context.setFont(3, 40, kItalicFace | kUnderlineFace);
    LOGFONTA font = selectedFont(buffer.dc());
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_TRUE(font.lfUnderline);

    context.setFont(9, 30, 0);
    font = selectedFont(buffer.dc());
    EXPECT_EQ(context.getFont(), kSystemFont);
    EXPECT_EQ(context.getFontSize(), 12);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_STREQ(font.lfFaceName, "Arial");

    context.setFont(kSymbolFont, 0, kBoldFace);
    font = selectedFont(buffer.dc());
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfPitchAndFamily & 0xF0, FF_DECORATIVE);
    EXPECT_STREQ(font.lfFaceName, "Symbol");
}

TEST(Win32DrawContext, AGivenDeviceContextIsRestoredAndKept)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    auto* context = new CDrawContext(nullptr, dc, nullptr);
    context->setFrameColor(kRed);
    context->setFillColor(kBlue);
    context->setFont(kNormalFontBig);
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
    context->forget();
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    DeleteDC(dc);
}

TEST(Win32DrawContext, LinesUseTheFrameColourAndLeaveOutTheEndPoint)
{
    Buffer buffer(8, 8);
    buffer.context->setFrameColor(kRed);
    buffer.context->moveTo(CPoint(1, 2));
    buffer.context->lineTo(CPoint(6, 2));
    EXPECT_EQ(buffer.rgb(1, 2), kRedRgb);
    EXPECT_EQ(buffer.rgb(5, 2), kRedRgb);
    EXPECT_EQ(buffer.rgb(6, 2), kWhiteRgb);
    EXPECT_EQ(buffer.rgb(3, 3), kWhiteRgb);
}

TEST(Win32OffscreenContext, StartsInItsBackgroundColour)
{
    Buffer buffer(5, 4, kBlue);
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(buffer.rgb(x, y), 0x0000FFu) << x << "," << y;
}

TEST(Win32OffscreenContext, CopiesHonourTheOtherContextsOffset)
{
    Buffer source(8, 8);
    source.context->setFillColor(kRed);
    source.context->fillRect(CRect(3, 3, 6, 6)); // pixels (4, 4) to (5, 5)
    Buffer dest(8, 8, kBlue);
    dest.context->offset = CPoint(1, 0);
    source.context->copyFrom(dest.context, CRect(0, 0, 2, 2), CPoint(4, 4));
    EXPECT_EQ(dest.rgb(1, 0), kRedRgb);
    EXPECT_EQ(dest.rgb(2, 1), kRedRgb);
    EXPECT_EQ(dest.rgb(0, 0), 0x0000FFu);
    EXPECT_EQ(dest.rgb(3, 0), 0x0000FFu);

    Buffer back(8, 8, kBlue);
    source.context->offset = CPoint(2, 2);
    back.context->copyTo(source.context, CRect(2, 2, 4, 4), CPoint(5, 6));
    EXPECT_EQ(back.rgb(5, 6), kRedRgb);
    EXPECT_EQ(back.rgb(6, 7), kRedRgb);
    EXPECT_EQ(back.rgb(4, 6), 0x0000FFu);
}

TEST(Win32DrawContext, SwappedButtonsExchangeLeftAndRight)
{
    EXPECT_EQ(win32::mouseButtonsFromKeys(true, false, false, false, false, false, false), kLButton);
    EXPECT_EQ(win32::mouseButtonsFromKeys(true, false, false, false, false, false, true), kRButton);
    EXPECT_EQ(win32::mouseButtonsFromKeys(false, false, true, false, false, false, true), kLButton);
    EXPECT_EQ(win32::mouseButtonsFromKeys(false, true, false, true, true, true, true),
              kMButton | kShift | kControl | kAlt);
}
