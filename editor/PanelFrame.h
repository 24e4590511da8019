// The one place where a PanelEditor's frame is wired to its CFrameHost.
#pragma once

#include "CFrame.h"
#include "CFrameHost.h"

namespace qm07
{

/// UI thread; allocates. A frame in `parentWindow` whose edit gestures, tracking-loop idle and knob mode
/// are the host's.
VSTGUI::CFrame* createPanelFrame(const VSTGUI::CRect& size, void* parentWindow, VSTGUI::CFrameHost& host);

} // namespace qm07
