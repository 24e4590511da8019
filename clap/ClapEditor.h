// The panel as a CLAP editor: edits leave as gesture and value events, and what others changed, and the
// meter's reading, reach the panel at each idle.
#pragma once

#include "EditEventQueue.h"
#include "GainReductionFeed.h"
#include "HostAccess.h"
#include "PanelEditor.h"
#include "PanelHost.h"
#include "SharedValues.h"

#include <cstdint>

namespace qm07
{

/// Everything here runs on the main thread. It never touches the engine: values go through the shared
/// copy, the meter's reading through the feed, both owned by the instance and outliving the editor.
class ClapEditor final : public PanelHost
{
public:
    struct Links
    {
        SharedValues& values;
        EditEventQueue& edits;
        const HostAccess& host;
        GainReductionFeed& meter;
    };

    explicit ClapEditor(const Links& to) : links(to), panel(*this) {}
    ~ClapEditor() { close(); }
    ClapEditor(const ClapEditor&) = delete;
    ClapEditor& operator=(const ClapEditor&) = delete;

    /// Allocates. The panel in `parent`, shown or not; the meter fed at `sampleRate` from then on. False,
    /// and closed, when it cannot be made.
    bool open(void* parent, bool visible, double sampleRate);
    /// The meter's feed stops first, then the panel goes.
    void close();
    bool isOpen() const { return panel.isOpen(); }
    void setVisible(bool visible) { panel.setVisible(visible); }
    /// The descriptor to watch for the window's events, or −1.
    int eventDescriptor() const { return panel.eventDescriptor(); }
    /// Values changed by others, the meter's reading, then the window's events and redraws.
    void idle();

    float parameterValue(std::int32_t index) override { return links.values.value(index); }
    void beginEdit(std::int32_t index) override;
    /// Stored as the host value it sends stands for, so recorded automation plays back the same bits.
    void performEdit(std::int32_t index, float normalized) override;
    void endEdit(std::int32_t index) override;

private:
    Links links;
    PanelEditor panel;
};

} // namespace qm07
