// The product's effect with its editor open on a headless window, and pointer gestures played into it.
#pragma once

#include "CControl.h"
#include "CFrame.h"
#include "TarvelCompressor.h"
#include "TarvelCompressorGUI.h"
#include "TestHost.h"
#include "ToolkitTestSupport.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qm07test
{

/// Where the pointer is and which buttons are down, held for one poll of a tracking loop.
struct PointerStep
{
    VSTGUI::CPoint where;
    std::int32_t buttons;
};

/// The control bound to a parameter, found in the open frame by its tag.
VSTGUI::CControl* controlOf(VSTGUI::CFrame& frame, std::int32_t tag);

/// Presses at `at` with `buttons` on the frame, then plays `path` one step per poll of the tracking loop;
/// the buttons are released when the path runs out.
void playGesture(VSTGUI::CFrame& frame, VSTGUI::CPoint at, std::int32_t buttons,
                 const std::vector<PointerStep>& path = {});

/// A fresh compressor at 48 kHz with its editor open and painted in an 800 × 220 host window whose
/// client area sits at the screen's origin, so screen and editor coordinates agree.
class EditorTest : public HeadlessToolkitTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    TarvelCompressorGUI& editor() { return *static_cast<TarvelCompressorGUI*>(effect->getEditor()); }
    VSTGUI::CFrame& frame() { return *editor().getFrame(); }
    VSTGUI::CControl* control(std::int32_t tag);
    void openAndPaint();

    void gesture(VSTGUI::CPoint at, std::int32_t buttons, const std::vector<PointerStep>& path = {})
    {
        playGesture(frame(), at, buttons, path);
    }
    /// The values the host was told for `index` through audioMasterAutomate, in order.
    std::vector<float> automated(std::int32_t index) const;
    /// Opcodes of the edit brackets and automation the host received, in order.
    std::vector<std::int32_t> editRequests() const;

    VSTGUI::headless::Window host;
    std::unique_ptr<TarvelCompressor> effect;
};

} // namespace qm07test
