// The view tree that render tests draw on every back end: background, film strips with alpha, fills, lines.
#pragma once

#include "CFrame.h"

namespace qm07test
{

constexpr VSTGUI::CRect kRenderSceneSize(0, 0, 320, 160);

/// A frame over `parentWindow` (may be null) holding the scene; the caller deletes it. Uses the editor
/// images 101 (background), 102 and 104 (knob strips) and 106 (lever strip) from the module's resources.
VSTGUI::CFrame* buildRenderScene(void* parentWindow);

/// Moves the scene's first knob to another frame and marks it dirty, as a value change would.
void turnFirstKnob(VSTGUI::CFrame& frame, std::int32_t frameIndex);

} // namespace qm07test
