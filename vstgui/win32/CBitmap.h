// Image loaded from the module's "PNG" (or bitmap) resources and drawn into a drawing context.
#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"
#include "CReferenceCounter.h"

#include <cstdint>

namespace VSTGUI
{

class CDrawContext;

class CBitmap : public CReferenceCounter
{
public:
    /// Loads the resource at once; a missing one leaves a 0 by 0 bitmap that draws nothing.
    explicit CBitmap(std::int32_t resourceId);
    ~CBitmap() override;

    /// Copies `rect`'s size from `offset` in the image to `rect`; images with alpha are blended.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    /// Images with alpha are blended; bitmap resources leave pixels of the transparent colour unchanged.
    virtual void drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    /// Source-over blend of premultiplied pixels, scaled by `alpha` (0 to 255).
    virtual void drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset,
                                std::uint8_t alpha);
    /// Frees the image; width, height and the no-alpha flag become 0 and false.
    virtual void dispose();
    /// Only the low 16 bits of the number name the resource: first a "PNG", then a bitmap resource.
    virtual bool loadFromResource(std::int32_t resourceId);
    /// Images come from resources only; this only disposes and fails.
    virtual bool loadFromPath(const void* platformPath);

    std::int32_t getResourceID() const { return resourceID; }
    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    bool isLoaded() const { return image != nullptr; }
    bool getNoAlpha() const { return noAlpha; }
    void setTransparentColor(const CColor& color) { transparentColor = color; }
    CColor getTransparentColor() const { return transparentColor; }
    /// Bottom-up premultiplied 0xAARRGGBB rows of a PNG image; null for bitmap resources.
    const std::uint32_t* getPixels() const { return pixels; }

private:
    bool loadPng(const unsigned char* bytes, std::size_t size);
    bool loadBmp(std::uint16_t id);
    void drawColorKeyed(CDrawContext* context, const CRect& rect, const CPoint& offset);

    std::int32_t resourceID = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    CColor transparentColor{255, 255, 255, 0};
    bool noAlpha = true;
    void* image = nullptr;
    std::uint32_t* pixels = nullptr;
};

} // namespace VSTGUI
