// Image of the software back end: PNG resources decoded into premultiplied 32-bit pixels.
#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"
#include "CReferenceCounter.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace VSTGUI
{

class CDrawContext;

namespace soft
{
class Surface;
}

class CBitmap : public CReferenceCounter
{
public:
    /// Loads the resource whose low 16 bits are `resourceId`; a missing one leaves a 0 x 0 bitmap.
    explicit CBitmap(std::int32_t resourceId);
    ~CBitmap() override;

    /// Copies the image from `offset` into `rect`; images with alpha are blended instead.
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    /// Images with alpha blend; images without alpha leave pixels of the transparent colour out.
    virtual void drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint());
    virtual void drawAlphaBlend(CDrawContext* context, const CRect& rect, const CPoint& offset,
                                std::uint8_t alpha);
    /// Frees the pixels and clears width, height and the no-alpha flag.
    virtual void dispose();
    virtual bool loadFromResource(std::int32_t resourceId);
    /// Images come only from resources; this only disposes and answers false.
    virtual bool loadFromPath(const void* platformPath);

    std::int32_t getResourceID() const { return resourceID; }
    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }
    bool isLoaded() const { return image != nullptr; }
    bool getNoAlpha() const { return noAlpha; }
    void setTransparentColor(const CColor& color) { transparentColor = color; }
    CColor getTransparentColor() const { return transparentColor; }

    // Software back end only.
    /// The path `loadFromResource` takes after finding the bytes: a PNG keeps its alpha, any other
    /// format stb_image reads is an opaque image drawn with the colour key.
    bool loadFromMemory(const unsigned char* data, std::size_t size);
    const soft::Surface* getSurface() const { return image.get(); }

private:
    /// Takes the pixels; an opaque image is drawn with the colour key.
    bool adopt(std::shared_ptr<const soft::Surface> pixels, bool opaque);

    std::int32_t resourceID = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    CColor transparentColor{255, 255, 255, 0};
    bool noAlpha = true;
    std::shared_ptr<const soft::Surface> image;
};

} // namespace VSTGUI
