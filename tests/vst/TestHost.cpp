// The scripted host, effect and editor used by the frame and editor tests.
#include "TestHost.h"

namespace qm07test
{

ScriptedHost& ScriptedHost::instance()
{
    static ScriptedHost host;
    return host;
}

std::intptr_t ScriptedHost::callback(AEffect*, std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                     void* ptr, float opt)
{
    ScriptedHost& host = instance();
    const bool hasText = opcode == audioMasterCanDo && ptr;
    host.requests.push_back({opcode, index, value, hasText ? static_cast<const char*>(ptr) : "", opt});
    switch (opcode)
    {
    case audioMasterVersion:
        return 2400;
    case audioMasterCanDo:
        return host.canSizeWindow && hasText && std::string(static_cast<const char*>(ptr)) == "sizeWindow";
    case audioMasterSizeWindow:
        return host.sizeWindowSucceeds ? 1 : 0;
    case audioMasterIdle:
        if (host.onIdle) host.onIdle();
        return 1;
    default:
        return 0;
    }
}

std::int32_t ScriptedHost::count(std::int32_t opcode) const
{
    std::int32_t n = 0;
    for (const Request& request : requests)
        n += request.opcode == opcode;
    return n;
}

TestEffect::TestEffect() : AudioEffectX(&ScriptedHost::callback, 1, 10) {}

TestEditor::TestEditor(AudioEffect* owner, VSTGUI::CRect frameSize) : AEffGUIEditor(owner), size(frameSize)
{
    rect.right = static_cast<std::int16_t>(frameSize.getWidth());
    rect.bottom = static_cast<std::int16_t>(frameSize.getHeight());
}

bool TestEditor::open(void* parentWindow)
{
    AEffGUIEditor::open(parentWindow);
    frame = new VSTGUI::CFrame(size, parentWindow, this);
    if (populate) populate(*frame);
    return true;
}

void TestEditor::close()
{
    delete frame;
    frame = nullptr;
    AEffGUIEditor::close();
}

} // namespace qm07test
