// Layout of the editor, the wiring of its controls to the parameters, and the order of open and close.
#include "TarvelCompressorGUI.h"

#include "CAnimKnob.h"
#include "CBitmap.h"
#include "CFrame.h"
#include "CHorizontalSwitch.h"
#include "CKnob.h"
#include "EditorImages.h"
#include "PlatformFrame.h"
#include "TarvelCompressor.h"
#include "TarvelGR.h"

#include <new>

using namespace qm07;

using namespace VSTGUI;

namespace
{
constexpr std::int32_t kKnobFrames = 97;
constexpr std::int32_t kLeverPositions = 3;

struct KnobPlacement
{
    ParameterIndex tag;
    CRect rect;
    EditorImage strip;
};

// In the order of creation; a strip's frames are as tall as the knob.
constexpr KnobPlacement kKnobs[] = {
    {kThresh, {135, 20, 215, 100}, kKnob80Image},   {kRatio, {265, 20, 345, 100}, kKnob80Image},
    {kGain, {395, 20, 475, 100}, kKnob80Image},     {kAttack, {80, 130, 140, 190}, kKnob60Image},
    {kRelease, {210, 130, 270, 190}, kKnob60Image}, {kKneeDb, {340, 130, 400, 190}, kKnob60Image},
    {kKneePct, {470, 130, 530, 190}, kKnob60Image}, {kWetDry, {640, 140, 680, 180}, kKnob40Image},
};
constexpr CRect kMeterRect{570, 20, 750, 100};
constexpr struct
{
    ParameterIndex tag;
    CRect rect;
} kLevers[] = {{kScMode, {580, 150, 620, 190}}, {kPush, {700, 150, 740, 190}}};
} // namespace

TarvelCompressorGUI::TarvelCompressorGUI(TarvelCompressor* owner) : AEffGUIEditor(owner), compressor(*owner)
{
    auto* faceplate = new CBitmap(kFaceplateImage);
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<std::int16_t>(faceplate->getHeight());
    rect.right = static_cast<std::int16_t>(faceplate->getWidth());
    faceplate->forget();
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
    pendingParameters.store(0);
    EditorImages images;
    if (!images.complete()) return false;
    CBitmap* faceplate = images[kFaceplateImage];
    auto* newFrame =
        new CFrame(CRect(0, 0, faceplate->getWidth(), faceplate->getHeight()), parentWindow, this);
    if (!newFrame->getWindow())
    {
        delete newFrame;
        return false;
    }
    AEffGUIEditor::open(parentWindow);
    setKnobMode(kLinearMode);
    newFrame->setBackground(faceplate);
    buildControls(*newFrame, images);
    editorThread.store(VSTGUI::platform::currentThread());
    frame = newFrame;
    // Last: from here the meter reads the engine's feed.
    compressor.gainReductionFeed().activate(compressor.getSampleRate());
    return true;
}

void TarvelCompressorGUI::buildControls(CFrame& target, const EditorImages& images)
{
    for (const KnobPlacement& place : kKnobs)
    {
        auto* knob = new CAnimKnob(place.rect, this, place.tag, kKnobFrames, place.rect.getHeight(),
                                   images[place.strip]);
        parameterControls[place.tag] = knob;
        target.addView(knob);
    }
    grMeter = new TarvelGR(kMeterRect, images[kNeedleImage], compressor.gainReductionFeed());
    target.addView(grMeter);
    for (const auto& lever : kLevers)
    {
        auto* control = new CHorizontalSwitch(lever.rect, this, lever.tag, kLeverPositions,
                                              lever.rect.getHeight(), kLeverPositions, images[kLeverImage]);
        parameterControls[lever.tag] = control;
        target.addView(control);
    }
    for (std::int32_t tag = 0; tag < kNumParams; ++tag)
    {
        parameterControls[tag]->setValue(compressor.getParameter(tag));
        parameterControls[tag]->setDefaultValue(qm07::kParameters[tag].defaultValue);
    }
}

void TarvelCompressorGUI::close()
{
    compressor.gainReductionFeed().deactivate();
    editorThread.store(0);
    CFrame* closing = frame;
    frame = nullptr;
    parameterControls.fill(nullptr);
    grMeter = nullptr;
    delete closing;
    AEffGUIEditor::close();
}

void TarvelCompressorGUI::idle()
{
    if (!inIdleStuff) showPendingParameters();
    AEffGUIEditor::idle();
}

bool TarvelCompressorGUI::onEditorThread() const
{
    return editorThread.load(std::memory_order_relaxed) == VSTGUI::platform::currentThread();
}

void TarvelCompressorGUI::setParameter(std::int32_t index, float)
{
    // Compared as unsigned, so negative indices are refused too.
    if (static_cast<std::uint32_t>(index) >= kNumParams) return;
    if (onEditorThread())
        showParameter(index);
    else
        pendingParameters.fetch_or(1u << index, std::memory_order_release);
}

void TarvelCompressorGUI::showPendingParameters()
{
    const std::uint32_t pending = pendingParameters.exchange(0, std::memory_order_acquire);
    for (std::int32_t index = 0; index < kNumParams; ++index)
        if (pending & (1u << index)) showParameter(index);
}

void TarvelCompressorGUI::showParameter(std::int32_t index)
{
    // The control shows what the effect stored (clamped), not the value it was given.
    if (frame && parameterControls[index]) parameterControls[index]->setValue(compressor.getParameter(index));
}

void TarvelCompressorGUI::valueChanged(CDrawContext*, CControl* control)
{
    if (!frame) return;
    const std::int32_t tag = control->getTag();
    if (static_cast<std::uint32_t>(tag) >= kNumParams) return;
    compressor.setParameterAutomated(tag, control->getValue());
    control->setDirty(true);
}

AEffEditor* createCompressorEditor(TarvelCompressor& effect)
{
    return new (std::nothrow) TarvelCompressorGUI(&effect);
}
