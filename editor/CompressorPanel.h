// The editor's panel for every format: its view tree, laid out from layout.py, bound to the parameters.
#pragma once

#include "CControl.h"
#include "PanelHost.h"
#include "PanelLayout.h"
#include "ParameterHandOver.h"

#include <array>
#include <cstdint>

namespace VSTGUI
{
class CFrame;
class CFrameHost;
} // namespace VSTGUI

namespace qm07
{

class EditorImages;
class TarvelGR;

constexpr std::int32_t kPanelWidth = layout::kPanelWidth;
constexpr std::int32_t kPanelHeight = layout::kPanelHeight;

/// User-interface thread unless a function says otherwise. The views belong to the frame; the panel only
/// points at them while open.
class CompressorPanel : public VSTGUI::CControlListener
{
public:
    explicit CompressorPanel(PanelHost& host);

    /// A frame in a child of `parentWindow` holding background, eight knobs, the meter at rest and two
    /// levers, from the host's current values; the calling thread is the editor's until close. Null, and
    /// nothing left behind, without a parent, a window or an image. Allocates.
    VSTGUI::CFrame* open(void* parentWindow, VSTGUI::CFrameHost& frameHost);
    /// Forgets the views, then deletes the frame open returned (null: nothing to delete).
    void close(VSTGUI::CFrame* frame);
    /// Any thread, the audio thread included; never allocates, locks or waits. On the editor's own thread
    /// the control takes host.parameterValue at once, from any other at the next showPendingChanges.
    void parameterChangedAnyThread(std::int32_t index);
    void showPendingChanges();
    /// The meter shows the reading at the next redraw.
    void showGainReduction(double dB);

    /// A control the user changed: the host stores it.
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

private:
    bool build(VSTGUI::CFrame& frame);
    VSTGUI::CView* makeView(const layout::Placement& place, const EditorImages& images);
    void release();
    /// The control of `index` takes host.parameterValue; nothing while not open.
    void showParameter(std::int32_t index);

    PanelHost& host;
    ParameterHandOver handOver;
    std::array<VSTGUI::CControl*, kNumParams> controls{}; ///< by tag
    TarvelGR* meter = nullptr;
};

} // namespace qm07
