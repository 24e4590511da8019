// The panel as an LV2 UI: controls written to the host in real units, port events shown on the panel.
#pragma once

#include "PanelEditor.h"
#include "PanelHost.h"
#include "Parameters.h"

#include <lv2/ui/ui.h>

#include <cstdint>

namespace qm07::lv2
{
/// What the host hands a UI at instantiation.
struct UiHost
{
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr; ///< may be null
};

/// Everything here runs on the host's UI thread. The UI keeps its own copy of the stored values,
/// learnt from port events and from its own edits, since it never reaches the DSP instance.
class Lv2Editor final : public PanelHost
{
public:
    /// The panel closes with it.
    explicit Lv2Editor(const UiHost& host);

    /// Allocates the frame; false when the parent is no window or an image is missing.
    bool open(void* parentWindow) { return panel.open(parentWindow); }
    void* window() const { return panel.window(); }
    /// Shows what arrived since the last call, then handles the window's events.
    void idle() { panel.idle(); }
    /// A port's new value from the host (automation, presets, the meter); no allocation.
    void portEvent(std::uint32_t port, float value);

    float parameterValue(std::int32_t index) override { return values[index]; }
    void beginEdit(std::int32_t index) override { touch(index, true); }
    void performEdit(std::int32_t index, float normalized) override;
    void endEdit(std::int32_t index) override { touch(index, false); }

private:
    void touch(std::int32_t index, bool grabbed);

    UiHost host;
    ParameterValues values = defaultValues();
    PanelEditor panel;
};
} // namespace qm07::lv2
