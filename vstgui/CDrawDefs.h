// Drawing-state constants and the standard font table shared by every drawing back end.
#pragma once

#include <cstdint>

namespace VSTGUI
{

enum CLineStyle : std::int32_t
{
    kLineSolid = 0,
    kLineOnOffDash = 1,
};

enum CDrawMode : std::int32_t
{
    kCopyMode = 0,
};

enum CFontStyle : std::int32_t
{
    kBoldFace = 1,
    kItalicFace = 2,
    kUnderlineFace = 4,
};

enum CFontId : std::int32_t
{
    kSystemFont = 0,
    kNormalFontVeryBig,
    kNormalFontBig,
    kNormalFont,
    kNormalFontSmall,
    kNormalFontSmaller,
    kNormalFontVerySmall,
    kSymbolFont,
    kNumStandardFonts,
};

struct StandardFont
{
    std::int32_t size; ///< character height in pixels
    const char* face;
};

constexpr StandardFont kStandardFonts[kNumStandardFonts] = {
    {12, "Arial"}, {18, "Arial"}, {14, "Arial"}, {12, "Arial"},
    {11, "Arial"}, {10, "Arial"}, {9, "Arial"},  {13, "Symbol"},
};

/// Unknown ids fall back to the system font rather than reading past the table.
constexpr std::int32_t normalizeFontId(std::int32_t fontId)
{
    return (fontId < 0 || fontId >= kNumStandardFonts) ? kSystemFont : fontId;
}

/// The system font is always bold; otherwise the bold style bit decides.
constexpr std::int32_t fontWeight(std::int32_t fontId, std::int32_t style)
{
    return (fontId == kSystemFont || (style & kBoldFace)) ? 700 : 400;
}

} // namespace VSTGUI
