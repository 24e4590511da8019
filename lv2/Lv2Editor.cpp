// The UI's side of the ports: edits go out through the host's write function, never to the instance.
#include "Lv2Editor.h"

#include "HostValues.h"
#include "PortLayout.h"
#include "PortValues.h"

namespace qm07::lv2
{
Lv2Editor::Lv2Editor(const UiHost& uiHost) : host(uiHost), panel(*this) {}

void Lv2Editor::portEvent(std::uint32_t port, float value)
{
    if (port == kGainReductionPort) panel.showGainReduction(value);
    const std::int32_t index = parameterOfPort(port);
    if (index < 0) return;
    values[index] = storedFromHost(index, value, values[index]);
    panel.parameterChangedAnyThread(index);
}

void Lv2Editor::performEdit(std::int32_t index, float normalized)
{
    // The copy holds what the DSP will make of the port value, as a port event would bring it.
    const float port = portValue(index, normalized);
    values[index] = storedFromHost(index, port, values[index]);
    host.write(host.controller, controlPort(index), sizeof port, 0, &port);
}

void Lv2Editor::touch(std::int32_t index, bool grabbed)
{
    if (host.touch) host.touch->touch(host.touch->handle, controlPort(index), grabbed);
}
} // namespace qm07::lv2
