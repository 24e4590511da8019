// A scripted host and a minimal effect and editor, so that frame and editor calls can be traced to the host.
#pragma once

#include "AEffGUIEditor.h"
#include "AudioEffectExt.h"
#include "CFrame.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qm07test
{

/// What the host saw and how it answers; one per process, reset by each test.
struct ScriptedHost
{
    struct Request
    {
        std::int32_t opcode;
        std::int32_t index;
        std::intptr_t value;
        std::string text;
        float opt;
    };
    std::vector<Request> requests;
    bool canSizeWindow = false;
    bool sizeWindowSucceeds = true;
    std::function<void()> onIdle; ///< runs inside audioMasterIdle

    static ScriptedHost& instance();
    static std::intptr_t callback(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                  std::intptr_t value, void* ptr, float opt);
    std::int32_t count(std::int32_t opcode) const;
};

class TestEffect : public AudioEffectX
{
public:
    TestEffect();
    void processReplacing(float**, float**, std::int32_t) override {}
};

/// Opens a frame of the given size holding the given views, like a plug-in's editor does.
class TestEditor : public AEffGUIEditor
{
public:
    explicit TestEditor(AudioEffect* effect, VSTGUI::CRect frameSize = VSTGUI::CRect(0, 0, 200, 100));
    bool open(void* parentWindow) override;
    void close() override;

    std::function<void(VSTGUI::CFrame&)> populate;
    VSTGUI::CRect size;
    std::uint32_t pendingTicks() const { return lastTicks; }
};

} // namespace qm07test
