// The view tree that render tests draw on every back end: background, film strips with alpha, fills, lines.
#pragma once

#include "CFrame.h"

#include <cstdint>

namespace qm07test
{

/// One frame of a film strip (the view's background), blended, or drawn with a constant alpha below 255.
class StripView : public VSTGUI::CView
{
public:
    StripView(const VSTGUI::CRect& rect, VSTGUI::CBitmap* strip, std::int32_t frameIndex,
              std::uint8_t alpha = 255);
    void draw(VSTGUI::CDrawContext* context) override;

    std::int32_t frame;
    std::uint8_t constantAlpha;
};

constexpr VSTGUI::CRect kRenderSceneSize(0, 0, 320, 160);

/// A frame over `parentWindow` (may be null) holding the scene; the caller deletes it. Uses the editor
/// images 101 (background), 102 and 104 (knob strips) and 106 (lever strip) from the module's resources.
VSTGUI::CFrame* buildRenderScene(void* parentWindow);

/// Moves the scene's first knob to another frame and marks it dirty, as a value change would.
void turnFirstKnob(VSTGUI::CFrame& frame, std::int32_t frameIndex);

} // namespace qm07test
