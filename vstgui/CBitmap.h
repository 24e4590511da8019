// Image loaded from the module's resources by number and drawn into a drawing context.
#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"
#include "CReferenceCounter.h"

#include <cstddef>
#include <cstdint>

namespace VSTGUI
{

class CDrawContext;
struct DecodedImage;

/// Used on the user-interface thread only. The back end defines `Image`, the decoded pixels in the form
/// it draws from, and the private operations marked below.
class CBitmap : public CReferenceCounter
{
public:
    struct Image;

    /// Loads the resource at once; a missing one leaves a 0 by 0 bitmap that draws nothing.
    explicit CBitmap(std::int32_t resourceId);
    ~CBitmap() override;

    /// Copies `rect`'s size from `offset` in the image to `rect`; images with alpha are blended.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    /// Images with alpha are blended; images without leave the pixels of the transparent colour out.
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

    /// Decodes the bytes as `loadFromResource` decodes a resource, but keeps no copy for later loads: a
    /// PNG keeps its alpha, any other format stb_image reads becomes an opaque image drawn with the colour
    /// key.
    bool loadFromMemory(const unsigned char* data, std::size_t size);

    std::int32_t getResourceID() const { return resourceID; }
    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    bool isLoaded() const { return image != nullptr; }
    bool getNoAlpha() const { return noAlpha; }
    void setTransparentColor(const CColor& color) { transparentColor = color; }
    CColor getTransparentColor() const { return transparentColor; }
    /// The back end's pixels, for its own code and its tests; null while nothing is loaded.
    const Image* getImage() const { return image; }

private:
    // Defined by the back end. The loads set the image, width and height; the draws get a context with a
    // target and a loaded image.
    bool adoptImage(const DecodedImage& decoded);
    /// Decodes bytes that stay in place for the module's life; a back end may share the result between
    /// bitmaps of the same resource.
    bool adoptResourceImage(const unsigned char* data, std::size_t size);
    /// The bitmap resource `id`: an image without alpha.
    bool loadBitmapResource(std::uint16_t id);
    void releaseImage();
    void copyImage(CDrawContext& context, const CRect& rect, const CPoint& offset);
    void copyImageKeyed(CDrawContext& context, const CRect& rect, const CPoint& offset);
    void blendImage(CDrawContext& context, const CRect& rect, const CPoint& offset, std::uint8_t alpha);

    std::int32_t resourceID = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    CColor transparentColor{255, 255, 255, 0};
    bool noAlpha = true;
    Image* image = nullptr;
};

} // namespace VSTGUI
