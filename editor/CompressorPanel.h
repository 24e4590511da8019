// The editor's panel for every format: its view tree, laid out from layout.py, bound to the parameters.
#pragma once

#include "CControl.h"
#include "PanelHost.h"
#include "PanelLayout.h"

#include <array>
#include <cstdint>

namespace VSTGUI
{
class CFrame;
}

namespace qm07
{

class EditorImages;
class TarvelGR;

constexpr std::int32_t kPanelWidth = layout::kPanelWidth;
constexpr std::int32_t kPanelHeight = layout::kPanelHeight;

/// User-interface thread only. The views belong to the frame; the panel only points at them while built.
class CompressorPanel : public VSTGUI::CControlListener
{
public:
    explicit CompressorPanel(PanelHost& host);

    /// Background, eight knobs, the meter at rest and two levers, from the host's current values;
    /// false, and the frame untouched, when an image is missing. Allocates.
    bool build(VSTGUI::CFrame& frame);
    /// Forgets the views before the frame that owns them is deleted.
    void release();
    /// The control of `index` takes host.parameterValue; nothing while not built or for a bad index.
    void showParameter(std::int32_t index);
    /// The meter shows the reading at the next redraw.
    void showGainReduction(double dB);

    /// A control the user changed: the host stores it.
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

private:
    VSTGUI::CView* makeView(const layout::Placement& place, const EditorImages& images);

    PanelHost& host;
    std::array<VSTGUI::CControl*, kNumParams> controls{}; ///< by tag
    TarvelGR* meter = nullptr;
};

} // namespace qm07
