// The VST editor: the panel in the host's window, the effect as the panel's host, the order of open and
// close.
#include "TarvelCompressorGUI.h"

#include "CFrame.h"
#include "CKnob.h"
#include "TarvelCompressor.h"

#include <new>
#include <utility>

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
    CFrame* opened = panel.open(parentWindow, *this);
    if (!opened) return false;
    AEffGUIEditor::open(parentWindow);
    setKnobMode(kLinearMode);
    frame = opened;
    // Last: from here the engine feeds the meter's reading.
    compressor.gainReductionFeed().activate(compressor.getSampleRate());
    return true;
}

void TarvelCompressorGUI::close()
{
    compressor.gainReductionFeed().deactivate();
    panel.close(std::exchange(frame, nullptr));
    AEffGUIEditor::close();
}

void TarvelCompressorGUI::idle()
{
    if (!inIdleStuff)
    {
        panel.showPendingChanges();
        if (frame) panel.showGainReduction(compressor.gainReductionFeed().reading());
    }
    AEffGUIEditor::idle();
}

void TarvelCompressorGUI::setParameter(std::int32_t index, float)
{
    panel.parameterChangedAnyThread(index);
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
