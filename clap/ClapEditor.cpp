// Edits queued for the host, then a flush requested; the host's changes and the meter shown at idle.
#include "ClapEditor.h"

#include "HostValues.h"

namespace qm07
{

bool ClapEditor::open(void* parent, bool visible, double sampleRate)
{
    links.values.takeUnseen(); // the panel is built from the values as they are now
    if (!panel.open(parent)) return false;
    panel.setVisible(visible);
    // Last: from here the engine feeds the meter's reading.
    links.meter.activate(sampleRate);
    return true;
}

void ClapEditor::close()
{
    if (!panel.isOpen()) return;
    links.meter.deactivate();
    panel.close();
}

void ClapEditor::idle()
{
    const std::uint32_t unseen = links.values.takeUnseen();
    for (std::int32_t index = 0; index < kNumParams; ++index)
        if (unseen & (1u << index)) panel.parameterChangedAnyThread(index);
    if (panel.isOpen()) panel.showGainReduction(links.meter.reading());
    panel.idle();
}

void ClapEditor::beginEdit(std::int32_t index)
{
    links.edits.begin(index);
    links.host.requestFlush();
}

void ClapEditor::performEdit(std::int32_t index, float normalized)
{
    if (!isParameterIndex(index)) return;
    const double plain = hostValueOf(index, normalized);
    links.values.setFromEditor(index, storedFromHost(index, plain, links.values.value(index)));
    links.edits.value(index, plain);
    links.host.requestFlush();
}

void ClapEditor::endEdit(std::int32_t index)
{
    links.edits.end(index);
    links.host.requestFlush();
}

} // namespace qm07
