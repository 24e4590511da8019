// The editor base that keeps the editor rectangle and the frame, and forwards the host's calls to it.
#pragma once

#include "AEffEditor.h"
#include "CFrameHost.h"

#include <cstdint>

class AudioEffectX;

namespace VSTGUI
{
class CFrame;
}

class AEffGUIEditor : public AEffEditor, public VSTGUI::CFrameHost
{
public:
    /// Constructor thread of the effect: attaches itself to the effect and starts OLE.
    explicit AEffGUIEditor(AudioEffect* effect);
    /// Deletes a frame still open, then leaves OLE, balancing the constructor.
    ~AEffGUIEditor() override;

    /// UI thread (effEditGetRect); no allocation.
    bool getRect(ERect** rect) override;
    /// UI thread (effEditIdle): redraws the frame's dirty views; does nothing while the host is being
    /// given idle time from `doIdleStuff`.
    void idle() override;
    /// UI thread (effEditKeyDown); true only when the frame used the key.
    bool onKeyDown(VstKeyCode& keyCode) override;
    /// UI thread (effEditKeyUp); true only when the frame used the key.
    bool onKeyUp(VstKeyCode& keyCode) override;
    /// UI thread; routes the wheel to the view under the pointer. Allocates a drawing context.
    bool onWheel(float distance) override;
    /// UI thread (effSetEditKnobMode); sets the mode shared by every editor of the process.
    bool setKnobMode(std::int32_t mode) override;
    /// Any thread that sets parameters; the base does nothing.
    void setParameter(std::int32_t index, float value) override;

    /// UI thread (a control, through the frame): the host's gesture bracket for a parameter.
    void beginEdit(std::int32_t index) override;
    void endEdit(std::int32_t index) override;
    /// UI thread, from a control's mouse-tracking loop: about every 50 ms redraws, handles one paint
    /// request and gives the host idle time.
    void doIdleStuff() override;
    /// UI thread: the process-wide knob mode.
    std::int32_t getKnobMode() const override;
    /// UI thread (the frame's setSize): asks the host to size its window where it says it can.
    bool requestSize(std::int32_t width, std::int32_t height) override;

    VSTGUI::CFrame* getFrame() const { return frame; }

    /// The knob mode of the process: set by the host, read by the knobs through the frame.
    static std::int32_t knobMode;

protected:
    AudioEffectX* getEffectX();

    ERect rect{0, 0, 0, 0};
    std::uint32_t lastTicks = 0;
    bool inIdleStuff = false;
    VSTGUI::CFrame* frame = nullptr;
};
