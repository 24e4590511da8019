// Loading and releasing the editor's images.
#include "EditorImages.h"

#include "CBitmap.h"

EditorImages::EditorImages()
{
    for (std::size_t i = 0; i < bitmaps.size(); ++i)
        bitmaps[i] = new VSTGUI::CBitmap(kFaceplateImage + static_cast<std::int32_t>(i));
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
