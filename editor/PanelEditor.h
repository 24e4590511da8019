// The panel in a parent window for the formats other than VST: frame, panel and the parameter hand-over.
#pragma once

#include "CFrameHost.h"
#include "CompressorPanel.h"

#include <cstdint>

namespace VSTGUI
{
class CFrame;
}

namespace qm07
{

/// UI thread unless a function says otherwise. The format's adapter is the PanelHost and gives the
/// meter its readings; the panel's edit gestures go to it.
class PanelEditor final : public VSTGUI::CFrameHost
{
public:
    explicit PanelEditor(PanelHost& host);
    virtual ~PanelEditor();
    PanelEditor(const PanelEditor&) = delete;
    PanelEditor& operator=(const PanelEditor&) = delete;

    /// Builds the panel from the host's values in a child of `parentWindow`; false, and still closed,
    /// without a parent, an image or a window. Allocates.
    bool open(void* parentWindow);
    void close();
    bool isOpen() const { return frame != nullptr; }
    /// Shows the parameters changed from other threads, then redraws what changed.
    void idle();
    /// Any thread, the audio thread included; never allocates, locks or waits. Shown at once on the
    /// editor's thread, else at the next idle.
    void parameterChangedAnyThread(std::int32_t index);
    /// Shown at the next redraw.
    void showGainReduction(double dB);
    /// The frame's native window, or null while closed.
    void* window() const;
    /// Shows or hides the frame's window; nothing while closed.
    void setVisible(bool visible);
    /// What the host's main loop watches for the window's events, or −1 (closed, or none needed).
    int eventDescriptor() const;

    void beginEdit(std::int32_t index) override;
    void endEdit(std::int32_t index) override;
    /// About every 50 ms redraws and handles one paint request; sleeps briefly on every call, so a
    /// tracking loop does not spin.
    void doIdleStuff() override;
    /// Linear dragging, whatever another editor in the process chose.
    std::int32_t getKnobMode() const override;
    /// The panel has one size.
    bool requestSize(std::int32_t width, std::int32_t height) override;

private:
    PanelHost& host;
    CompressorPanel panel;
    VSTGUI::CFrame* frame = nullptr;
    std::uint32_t nextRedraw = 0;
};

} // namespace qm07
