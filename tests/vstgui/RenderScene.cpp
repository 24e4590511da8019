// Scene construction shared by the software renderer's render test and the Win32 window comparison.
#include "RenderScene.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "FilmStrip.h"

using namespace VSTGUI;

namespace qm07test
{

namespace
{

/// Fills and one-pixel lines in the drawing context's colours.
class ShapesView : public CView
{
public:
    using CView::CView;

    void draw(CDrawContext* context) override
    {
        const CRect r = size;
        context->setFillColor(CColor{230, 60, 40, 255});
        context->fillRect(CRect(r.left, r.top, r.left + 30, r.top + 20));
        context->setFillColor(CColor{40, 200, 90, 255});
        context->fillRect(CRect(r.left + 20, r.top + 10, r.left + 50, r.top + 40));
        context->setFrameColor(CColor{255, 255, 0, 255});
        context->moveTo(CPoint(r.left, r.bottom - 1));
        context->lineTo(CPoint(r.right - 1, r.top));
        context->lineTo(CPoint(r.right - 1, r.bottom - 1));
        context->setFrameColor(kWhiteCColor);
        context->moveTo(CPoint(r.left + 5, r.top + 45));
        context->lineTo(CPoint(r.left + 60, r.top + 57));
        setDirty(false);
    }
};

} // namespace

StripView::StripView(const CRect& rect, CBitmap* strip, std::int32_t frameIndex, std::uint8_t alpha)
    : CView(rect), frame(frameIndex), constantAlpha(alpha)
{
    setBackground(strip);
}

void StripView::draw(CDrawContext* context)
{
    const std::int32_t frameHeight = size.getHeight();
    const std::int32_t index =
        clampFrameIndex(frame, filmStripFrameCount(background->getHeight(), frameHeight));
    if (constantAlpha == 255)
        background->drawTransparent(context, size, filmStripOffset(index, frameHeight));
    else
        background->drawAlphaBlend(context, size, filmStripOffset(index, frameHeight), constantAlpha);
    setDirty(false);
}

CFrame* buildRenderScene(void* parentWindow)
{
    auto* frame = new CFrame(kRenderSceneSize, parentWindow, nullptr);
    auto* background = new CBitmap(101);
    auto* bigKnob = new CBitmap(102);
    auto* smallKnob = new CBitmap(104);
    auto* lever = new CBitmap(106);
    frame->setBackground(background);
    frame->setBackgroundOffset(CPoint(40, 20));

    frame->addView(new StripView(CRect(10, 10, 90, 90), bigKnob, 20));
    frame->addView(new StripView(CRect(70, 60, 150, 140), bigKnob, 75)); // overlaps the first one
    frame->addView(new StripView(CRect(170, 20, 210, 60), smallKnob, 96));
    frame->addView(new StripView(CRect(230, 20, 270, 60), lever, 1));
    frame->addView(new StripView(CRect(270, 20, 310, 60), lever, 2, 128));
    frame->addView(new ShapesView(CRect(170, 80, 310, 150)));

    auto* group = new CViewContainer(CRect(20, 100, 60, 150), frame);
    group->setBackgroundColor(CColor{20, 30, 120, 255});
    group->addView(new StripView(CRect(0, 10, 40, 50), smallKnob, 0));
    frame->addView(group);

    lever->forget();
    smallKnob->forget();
    bigKnob->forget();
    background->forget();
    return frame;
}

void turnFirstKnob(CFrame& frame, std::int32_t frameIndex)
{
    auto* knob = static_cast<StripView*>(frame.getView(0));
    knob->frame = frameIndex;
    knob->setDirty(true);
}

} // namespace qm07test
