// Loading and releasing the editor's images.
#include "EditorImages.h"

#include "CBitmap.h"

namespace qm07
{

EditorImages::EditorImages()
{
    for (std::size_t i = 0; i < bitmaps.size(); ++i)
        bitmaps[i] = new VSTGUI::CBitmap(layout::kImages[i].id);
}

EditorImages::~EditorImages()
{
    for (VSTGUI::CBitmap* bitmap : bitmaps)
        bitmap->forget();
}

bool EditorImages::complete() const
{
    for (const VSTGUI::CBitmap* bitmap : bitmaps)
        if (bitmap->getWidth() <= 0 || bitmap->getHeight() <= 0) return false;
    return true;
}

VSTGUI::CBitmap* EditorImages::operator[](layout::ImageId id) const
{
    for (std::size_t i = 0; i < bitmaps.size(); ++i)
        if (layout::kImages[i].id == id) return bitmaps[i];
    return nullptr;
}

} // namespace qm07
