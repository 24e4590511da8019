// The panel's views from the layout table, and the wiring of its controls to the parameters.
#include "CompressorPanel.h"

#include "CAnimKnob.h"
#include "CBitmap.h"
#include "CFrame.h"
#include "CHorizontalSwitch.h"
#include "EditorImages.h"
#include "TarvelGR.h"

using namespace VSTGUI;

namespace qm07
{

namespace
{
CRect rectOf(const layout::Placement& place)
{
    return CRect(place.rect[0], place.rect[1], place.rect[2], place.rect[3]);
}
} // namespace

CompressorPanel::CompressorPanel(PanelHost& owner) : host(owner) {}

CFrame* CompressorPanel::open(void* parentWindow, CFrameHost& frameHost)
{
    if (!parentWindow) return nullptr;
    // Everything set from now on is either read by build or marked for the next showPendingChanges.
    handOver.clear();
    auto* frame = new CFrame(CRect(0, 0, kPanelWidth, kPanelHeight), parentWindow, &frameHost);
    if (!frame->getWindow() || !build(*frame))
    {
        close(frame);
        return nullptr;
    }
    handOver.attach();
    return frame;
}

void CompressorPanel::close(CFrame* frame)
{
    handOver.detach();
    release();
    delete frame;
}

void CompressorPanel::parameterChangedAnyThread(std::int32_t index)
{
    handOver.changed(index, [this](std::int32_t shown) { showParameter(shown); });
}

void CompressorPanel::showPendingChanges()
{
    handOver.showPending([this](std::int32_t index) { showParameter(index); });
}

bool CompressorPanel::build(CFrame& frame)
{
    EditorImages images;
    if (!images.complete()) return false;
    frame.setBackground(images[layout::kBackgroundImage]);
    for (const layout::Placement& place : layout::kControls)
        frame.addView(makeView(place, images));
    for (std::int32_t tag = 0; tag < kNumParams; ++tag)
    {
        controls[tag]->setValue(host.parameterValue(tag));
        controls[tag]->setDefaultValue(kParameters[tag].defaultValue);
    }
    return true;
}

CView* CompressorPanel::makeView(const layout::Placement& place, const EditorImages& images)
{
    const CRect rect = rectOf(place);
    CBitmap* strip = images[place.image];
    const std::int32_t frames = layout::imageFile(place.image).frames;
    switch (place.kind)
    {
    case layout::ControlKind::kMeter:
        meter = new TarvelGR(rect, strip, frames);
        return meter;
    case layout::ControlKind::kLever:
        controls[place.tag] =
            new CHorizontalSwitch(rect, this, place.tag, frames, rect.getHeight(), frames, strip);
        return controls[place.tag];
    case layout::ControlKind::kKnob:
        break;
    }
    // A strip's frames are as tall as the knob.
    controls[place.tag] = new CAnimKnob(rect, this, place.tag, frames, rect.getHeight(), strip);
    return controls[place.tag];
}

void CompressorPanel::release()
{
    controls.fill(nullptr);
    meter = nullptr;
}

void CompressorPanel::showParameter(std::int32_t index)
{
    // The control shows what the host stored (clamped), not the value it was given.
    if (controls[index]) controls[index]->setValue(host.parameterValue(index));
}

void CompressorPanel::showGainReduction(double dB)
{
    if (meter) meter->setReading(dB);
}

void CompressorPanel::valueChanged(CDrawContext*, CControl* control)
{
    const std::int32_t tag = control->getTag();
    // Only a control of this tree while built.
    if (!isParameterIndex(tag) || controls[tag] != control) return;
    host.performEdit(tag, control->getValue());
    control->setDirty(true);
}

} // namespace qm07
