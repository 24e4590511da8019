// Opening and closing the panel in a parent window, its idle, and the frame host's calls.
#include "PanelEditor.h"

#include "CFrame.h"
#include "CKnob.h"
#include "PlatformFrame.h"

#include <utility>

namespace qm07
{

namespace
{
constexpr std::uint32_t kPollMilliseconds = 4;
constexpr std::uint32_t kRedrawMilliseconds = 50;
} // namespace

PanelEditor::PanelEditor(PanelHost& owner) : host(owner), panel(owner) {}

PanelEditor::~PanelEditor()
{
    close();
}

bool PanelEditor::open(void* parentWindow)
{
    if (frame) close();
    frame = panel.open(parentWindow, *this);
    return frame != nullptr;
}

void PanelEditor::close()
{
    panel.close(std::exchange(frame, nullptr));
}

void PanelEditor::idle()
{
    panel.showPendingChanges();
    if (frame) frame->idle();
}

void PanelEditor::parameterChangedAnyThread(std::int32_t index)
{
    panel.parameterChangedAnyThread(index);
}

void PanelEditor::showGainReduction(double dB)
{
    panel.showGainReduction(dB);
}

void* PanelEditor::window() const
{
    return frame ? frame->getWindow() : nullptr;
}

void PanelEditor::setVisible(bool visible)
{
    if (frame) frame->setWindowVisible(visible);
}

int PanelEditor::eventDescriptor() const
{
    return frame ? frame->getEventDescriptor() : -1;
}

void PanelEditor::beginEdit(std::int32_t index)
{
    host.beginEdit(index);
}

void PanelEditor::endEdit(std::int32_t index)
{
    host.endEdit(index);
}

void PanelEditor::doIdleStuff()
{
    namespace platform = VSTGUI::platform;
    platform::sleep(kPollMilliseconds);
    const std::uint32_t now = platform::getTicks();
    // Compared as a difference, so the wrap of the tick count changes nothing.
    if (static_cast<std::int32_t>(now - nextRedraw) < 0) return;
    nextRedraw = now + kRedrawMilliseconds;
    idle();
    platform::dispatchPendingPaint();
}

std::int32_t PanelEditor::getKnobMode() const
{
    return VSTGUI::kLinearMode;
}

bool PanelEditor::requestSize(std::int32_t, std::int32_t)
{
    return false;
}

} // namespace qm07
