// The six images of the editor, loaded together and released together.
#pragma once

#include <array>
#include <cstdint>

namespace VSTGUI
{
class CBitmap;
}

enum EditorImage : std::int32_t
{
    kFaceplateImage = 101,
    kKnob80Image = 102,
    kKnob60Image = 103,
    kKnob40Image = 104,
    kNeedleImage = 105,
    kLeverImage = 106,
};

/// UI thread. Holds one reference on each image for the time of building the editor.
class EditorImages
{
public:
    EditorImages();
    ~EditorImages();
    EditorImages(const EditorImages&) = delete;
    EditorImages& operator=(const EditorImages&) = delete;

    /// Every image was found and decoded.
    bool complete() const;
    VSTGUI::CBitmap* operator[](EditorImage id) const { return bitmaps[id - kFaceplateImage]; }

private:
    std::array<VSTGUI::CBitmap*, 6> bitmaps{};
};
