// The VST editor: the panel in the host's window, the effect as the panel's host, the order of open and
// close.
#include "TarvelCompressorGUI.h"

#include "CFrame.h"
#include "CKnob.h"
#include "TarvelCompressor.h"

#include <new>

using namespace qm07;

using namespace VSTGUI;

TarvelCompressorGUI::TarvelCompressorGUI(TarvelCompressor* owner) : AEffGUIEditor(owner), compressor(*owner)
{
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<std::int16_t>(qm07::kPanelHeight);
    rect.right = static_cast<std::int16_t>(qm07::kPanelWidth);
}

TarvelCompressorGUI::~TarvelCompressorGUI()
{
    close();
}

bool TarvelCompressorGUI::open(void* parentWindow)
{
    // A second open without a close would leave the first tree and window behind.
    if (frame) close();
    if (!parentWindow) return false;
    // Everything set from now on is either read below or shown at the next idle.
    handOver.clear();
    auto* newFrame = new CFrame(CRect(0, 0, qm07::kPanelWidth, qm07::kPanelHeight), parentWindow, this);
    if (!newFrame->getWindow() || !panel.build(*newFrame))
    {
        panel.release();
        delete newFrame;
        return false;
    }
    AEffGUIEditor::open(parentWindow);
    setKnobMode(kLinearMode);
    handOver.attach();
    frame = newFrame;
    // Last: from here the engine feeds the meter's reading.
    compressor.gainReductionFeed().activate(compressor.getSampleRate());
    return true;
}

void TarvelCompressorGUI::close()
{
    compressor.gainReductionFeed().deactivate();
    handOver.detach();
    CFrame* closing = frame;
    frame = nullptr;
    panel.release();
    delete closing;
    AEffGUIEditor::close();
}

void TarvelCompressorGUI::idle()
{
    if (!inIdleStuff)
    {
        handOver.showPending([this](std::int32_t index) { showParameter(index); });
        if (frame) panel.showGainReduction(compressor.gainReductionFeed().reading());
    }
    AEffGUIEditor::idle();
}

void TarvelCompressorGUI::setParameter(std::int32_t index, float)
{
    handOver.changed(index, [this](std::int32_t shown) { showParameter(shown); });
}

void TarvelCompressorGUI::showParameter(std::int32_t index)
{
    if (frame) panel.showParameter(index);
}

float TarvelCompressorGUI::parameterValue(std::int32_t index)
{
    return compressor.getParameter(index);
}

void TarvelCompressorGUI::beginEdit(std::int32_t index)
{
    AEffGUIEditor::beginEdit(index);
}

void TarvelCompressorGUI::performEdit(std::int32_t index, float normalized)
{
    if (frame) compressor.setParameterAutomated(index, normalized);
}

void TarvelCompressorGUI::endEdit(std::int32_t index)
{
    AEffGUIEditor::endEdit(index);
}

AEffEditor* createCompressorEditor(TarvelCompressor& effect)
{
    return new (std::nothrow) TarvelCompressorGUI(&effect);
}
