// The plug-in's editor: eight film-strip knobs, two levers and the needle meter on the faceplate.
#pragma once

#include "AEffGUIEditor.h"
#include "CControl.h"
#include "Parameters.h"

#include <array>
#include <atomic>
#include <cstdint>

class TarvelCompressor;
class EditorImages;
class TarvelGR;

class TarvelCompressorGUI : public AEffGUIEditor, public VSTGUI::CControlListener
{
public:
    /// Constructor thread of the effect; attaches itself and takes its size from the faceplate image.
    explicit TarvelCompressorGUI(TarvelCompressor* owner);
    /// Closes a tree still open, so no window, frame or meter outlives the effect.
    ~TarvelCompressorGUI() override;

    /// UI thread (effEditOpen). Builds the view tree from the current values; false, and still closed,
    /// when there is no parent window or an image or the window cannot be had.
    bool open(void* parentWindow) override;
    /// UI thread (effEditClose): stops the meter feed first, then deletes the tree.
    void close() override;
    /// UI thread (effEditIdle): shows what the host changed from other threads, then redraws.
    void idle() override;
    /// Any thread, the audio thread included; never allocates, locks or waits. On the editor's own
    /// thread the control follows at once; from any other thread the change is handed over to the next
    /// idle, since a control may be deleted by close at any moment there.
    void setParameter(std::int32_t index, float value) override;

    /// UI thread: a control the user changed; the effect stores it and tells the host.
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

private:
    /// UI thread: the control of `index` takes the effect's stored value.
    void showParameter(std::int32_t index);
    void showPendingParameters();
    bool onEditorThread() const;
    void buildControls(VSTGUI::CFrame& target, const EditorImages& images);

    TarvelCompressor& compressor;
    std::array<VSTGUI::CControl*, qm07::kNumParams> parameterControls{}; ///< by tag; owned by the frame
    TarvelGR* grMeter = nullptr;                                   ///< owned by the frame
    std::atomic<std::uint32_t> pendingParameters{0};               ///< one bit per parameter index
    std::atomic<std::uint64_t> editorThread{0};                    ///< the opening thread while open, else 0

    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
};

/// The factory the effect's constructor is given: creates the editor, which attaches itself.
AEffEditor* createCompressorEditor(TarvelCompressor& effect);
