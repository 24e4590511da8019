// The editor's images, loaded together and released together.
#pragma once

#include "PanelImages.h"

#include <array>
#include <iterator>

namespace VSTGUI
{
class CBitmap;
}

namespace qm07
{

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
    VSTGUI::CBitmap* operator[](layout::ImageId id) const;

private:
    std::array<VSTGUI::CBitmap*, std::size(layout::kImages)> bitmaps{};
};

} // namespace qm07
