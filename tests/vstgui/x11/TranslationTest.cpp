// The X11 back end's pure parts: pixels in the server's layouts, the changed area of a window, keys and
// buttons in the toolkit's terms.
#include "InputTranslation.h"
#include "MouseButtons.h"
#include "PixelFormat.h"
#include "WindowPixels.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

using namespace VSTGUI;
using namespace VSTGUI::x11;

namespace
{

constexpr std::uint32_t kRgb[] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr std::uint32_t kBgr[] = {0x0000FF, 0x00FF00, 0xFF0000};
constexpr std::uint32_t kTenBits[] = {0x3FF00000, 0x000FFC00, 0x000003FF};

PixelFormat format(const std::uint32_t (&masks)[3], std::uint8_t depth, std::uint8_t bitsPerPixel,
                   bool msbFirst)
{
    return {masks[0], masks[1], masks[2], depth, bitsPerPixel, 32, msbFirst};
}

} // namespace

TEST(X11Pixels, PackedInTheServersLayout)
{
    // One column of two pixels, so each row's padding shows too.
    const struct
    {
        const char* name;
        PixelFormat format;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"24-bit, 32 bpp, LSB first",
         format(kRgb, 24, 32, false),
         {0x56, 0x34, 0x12, 0, 0xFF, 0xFF, 0xFF, 0}},
        {"24-bit, 32 bpp, MSB first", format(kRgb, 24, 32, true), {0, 0x12, 0x34, 0x56, 0, 0xFF, 0xFF, 0xFF}},
        {"24-bit BGR", format(kBgr, 24, 32, false), {0x12, 0x34, 0x56, 0, 0xFF, 0xFF, 0xFF, 0}},
        {"32-bit with alpha set",
         format(kRgb, 32, 32, false),
         {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"24 bpp rows padded", format(kRgb, 24, 24, false), {0x56, 0x34, 0x12, 0, 0xFF, 0xFF, 0xFF, 0}},
        // 0x12, 0x34, 0x56 scaled to 10 bits: 72, 209, 345.
        {"30-bit", format(kTenBits, 30, 32, false), {0x59, 0x45, 0x83, 0x04, 0xFF, 0xFF, 0xFF, 0x3F}},
    };
    raster::Surface source(3, 2);
    source.setPixel(1, 0, 0xFF123456u);
    source.setPixel(1, 1, 0xFFFFFFFFu);
    for (const auto& c : cases)
    {
        ASSERT_TRUE(canPack(c.format)) << c.name;
        std::vector<std::uint8_t> bytes;
        packPixels(source, CRect(1, 0, 2, 2), c.format, bytes);
        EXPECT_EQ(bytes, c.bytes) << c.name;
    }
    EXPECT_FALSE(canPack(format(kRgb, 16, 16, false)));
    EXPECT_EQ(rowBytes(format(kRgb, 24, 24, false), 3), 12u);
}

TEST(X11Pixels, OnlyWhatChangedOrWasLostGoesOut)
{
    struct Dot
    {
        std::int32_t x, y;
        std::uint32_t pixel;
    };
    constexpr std::uint32_t kBlack = 0xFF000000u;
    constexpr std::uint32_t kRed = 0xFFFF0000u;
    const struct
    {
        const char* name;
        std::vector<Dot> dots;
        CRect lost;
        CRect expected;
    } cases[] = {
        {"nothing", {}, {}, {}},
        {"one pixel", {{5, 7, kRed}}, {}, {5, 7, 6, 8}},
        {"two apart", {{2, 3, kRed}, {10, 1, kRed}}, {}, {2, 1, 11, 4}},
        {"redrawn as it was", {{4, 4, kBlack}}, {}, {}},
        {"last row and column", {{15, 11, kRed}}, {}, {15, 11, 16, 12}},
        {"exposed and changed", {{8, 8, kRed}}, {0, 0, 4, 4}, {0, 0, 9, 9}},
        {"exposed past the edge", {}, {-5, -5, 3, 3}, {0, 0, 3, 3}},
    };
    for (const auto& c : cases)
    {
        WindowPixels pixels(16, 12);
        for (const Dot& dot : c.dots)
            pixels.surface().setPixel(dot.x, dot.y, dot.pixel);
        pixels.resend(c.lost);
        EXPECT_EQ(pixels.takeChanges(), c.expected) << c.name;
        EXPECT_TRUE(pixels.takeChanges().isEmpty()) << c.name << ": sent twice";
    }
}

TEST(X11Input, KeysBecomeTheRecordsHostsSend)
{
    const KeyboardMapping mapping{8, 2, {XK_a, XK_A, XK_Tab, XK_ISO_Left_Tab, XK_Up, 0, XK_Return, 0}};
    const struct
    {
        std::uint8_t keycode;
        bool shift;
        CKeyCode expected;
    } cases[] = {
        {8, false, {'a', 0, 0}},
        {8, true, {'A', 0, kModifierShift}},
        {9, false, {'\t', kVirtualKeyTab, 0}},
        {9, true, {'\t', kVirtualKeyTab, kModifierShift}},
        {10, true, {0, kVirtualKeyUp, kModifierShift}}, // no shifted keysym: the first one
        {11, false, {'\r', 0, 0}},
        {7, false, {0, 0, 0}},  // below the mapping
        {12, false, {0, 0, 0}}, // past it
    };
    for (const auto& c : cases)
    {
        const CKeyCode code = keyCodeOf(keysymOf(mapping, c.keycode, c.shift), c.shift);
        const std::string name = std::to_string(c.keycode) + (c.shift ? " shifted" : "");
        EXPECT_EQ(code.character, c.expected.character) << name;
        EXPECT_EQ(code.virt, c.expected.virt) << name;
        EXPECT_EQ(code.modifier, c.expected.modifier) << name;
    }
}

TEST(X11Input, APressCarriesItsButtonAndTheModifiersHeld)
{
    constexpr std::uint16_t kShiftMask = 1, kControlMask = 4, kMod1Mask = 8, kNumLockMask = 16,
                            kButton1Mask = 256;
    const struct
    {
        std::uint8_t button;
        std::uint16_t state;
        std::int32_t expected;
    } cases[] = {
        {1, 0, kLButton},
        {3, kShiftMask | kControlMask, kRButton | kShift | kControl},
        {2, kMod1Mask | kButton1Mask, kMButton | kAlt | kLButton},
        {1, kNumLockMask, kLButton},
        {4, 0, 0}, // a wheel notch is no button
    };
    for (const auto& c : cases)
        EXPECT_EQ(buttonsOfPress(c.button, c.state), c.expected) << int(c.button) << " " << c.state;
}
