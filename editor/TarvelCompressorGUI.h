// The plug-in's VST editor: the compressor panel in the host's window, bound to the effect.
#pragma once

#include "AEffGUIEditor.h"
#include "CompressorPanel.h"
#include "PanelHost.h"

#include <cstdint>

class TarvelCompressor;

class TarvelCompressorGUI : public AEffGUIEditor, public qm07::PanelHost
{
public:
    /// Constructor thread of the effect; attaches itself, with the panel's size.
    explicit TarvelCompressorGUI(TarvelCompressor* owner);
    /// Closes a tree still open, so no window, frame or meter outlives the effect.
    ~TarvelCompressorGUI() override;

    /// UI thread (effEditOpen). Builds the panel from the current values, then starts the meter feed;
    /// false, and still closed, when there is no parent window or an image or the window cannot be had.
    bool open(void* parentWindow) override;
    /// UI thread (effEditClose): stops the meter feed first, then deletes the tree.
    void close() override;
    /// UI thread (effEditIdle): shows what the host changed from other threads and the feed's reading,
    /// then redraws.
    void idle() override;
    /// Any thread, the audio thread included; never allocates, locks or waits. On the editor's own
    /// thread the control follows at once; from any other thread the change is handed over to the next
    /// idle.
    void setParameter(std::int32_t index, float value) override;

    /// UI thread: the panel's host is the effect.
    float parameterValue(std::int32_t index) override;
    void beginEdit(std::int32_t index) override;
    void performEdit(std::int32_t index, float normalized) override;
    void endEdit(std::int32_t index) override;

private:
    TarvelCompressor& compressor;
    qm07::CompressorPanel panel{*this};
};

/// The factory the effect's constructor is given: creates the editor, which attaches itself.
AEffEditor* createCompressorEditor(TarvelCompressor& effect);
